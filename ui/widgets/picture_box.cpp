#include "ui/widgets/picture_box.h"

#include "ui/widgets/colours.h"

#include <QPaintEvent>
#include <QPainter>

namespace harvoline {

PictureBox::PictureBox(QWidget* parent, const QString& name, Fit fit)
    : QWidget(parent), FitMode(fit) {
    setObjectName(name);
}

void PictureBox::SetPicture(const QImage& picture) {
    PictureImage = picture;
    Prepare();
}

void PictureBox::SetTransparentColor(std::uint32_t bgr) {
    TransparentColor = bgr;
    Prepare();
}

void PictureBox::Prepare() {
    Scaled = QPixmap();
    Drawn = PictureImage;
    if (TransparentColor >= 0 && !Drawn.isNull()) {
        Drawn = Drawn.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = ColorFromValue(static_cast<std::uint32_t>(TransparentColor)).rgb();
        for (int y = 0; y < Drawn.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(Drawn.scanLine(y));
            for (int x = 0; x < Drawn.width(); ++x) {
                if ((line[x] | 0xFF000000u) == key) {
                    line[x] = 0;
                }
            }
        }
    }
    update();
}

void PictureBox::SetScale(double scale) {
    Scale = scale;
    update();
}

QRect PictureBox::PictureRect() const {
    if (PictureImage.isNull()) {
        return {};
    }
    const QSize picture = Scale == 1.0 ? PictureImage.size() : PictureImage.size() * Scale;
    switch (FitMode) {
    case Fit::Plain:
        return QRect(QPoint(0, 0), picture);
    case Fit::Stretch:
        return rect();
    case Fit::Proportional:
    case Fit::CentreShrinkOnly: {
        QSize fitted = picture;
        if (FitMode == Fit::Proportional || picture.width() > width() ||
            picture.height() > height()) {
            fitted = picture.scaled(size(), Qt::KeepAspectRatio);
        }
        return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2),
                     fitted);
    }
    }
    return {};
}

void PictureBox::paintEvent(QPaintEvent* event) {
    if (Drawn.isNull()) {
        return;
    }
    const QRect target = PictureRect();
    // Scaled once per size, not at every paint.
    if (Scaled.size() != target.size()) {
        Scaled = QPixmap::fromImage(
            Drawn.size() == target.size()
                ? Drawn
                : Drawn.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawPixmap(target.topLeft(), Scaled);
}

} // namespace harvoline
