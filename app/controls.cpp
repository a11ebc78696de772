#include "app/controls.h"

#include <QPaintEvent>
#include <QPainter>

namespace harvoline {

QColor ColorFromValue(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

bool IsShown(const QWidget* w) { return !w->isHidden(); }

bool IsEnabledFlag(const QWidget* w) { return w->isEnabledTo(w->parentWidget()); }

TPanel::TPanel(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    // A panel fills itself, so nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPanel::SetColor(std::uint32_t bgr) {
    ColorValue = bgr;
    update();
}

void TPanel::SetCaption(const QString& caption) {
    CaptionText = caption;
    update();
}

void TPanel::SetCaptionColor(std::uint32_t bgr) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ColorFromValue(bgr));
    setPalette(p);
}

void TPanel::SetBevel(int bevelWidth, int borderWidth) {
    BevelWidth = bevelWidth;
    BorderWidth = borderWidth;
    update();
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour = ColorFromValue(ColorValue);
    painter.fillRect(rect(), colour);
    if (BevelWidth > 0) {
        const QRect r = rect().adjusted(0, 0, -1, -1);
        painter.setPen(colour.lighter(160));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(colour.darker(160));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    if (!CaptionText.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setFont(font());
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, CaptionText);
    }
}

TImage::TImage(QWidget* parent, const QString& name, Fit fit) : QWidget(parent), FitMode(fit) {
    setObjectName(name);
}

void TImage::SetPicture(const QImage& picture) {
    PictureImage = picture;
    Prepare();
}

void TImage::SetTransparentColor(std::uint32_t bgr) {
    TransparentColor = bgr;
    Prepare();
}

void TImage::Prepare() {
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

QRect TImage::PictureRect() const {
    if (PictureImage.isNull()) {
        return {};
    }
    const QSize picture = PictureImage.size();
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

void TImage::paintEvent(QPaintEvent* event) {
    if (Drawn.isNull()) {
        return;
    }
    const QRect target = PictureRect();
    // Scaled once per size, not at every paint.
    if (Scaled.size() != target.size()) {
        Scaled = QPixmap::fromImage(Drawn.size() == target.size()
                                        ? Drawn
                                        : Drawn.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation));
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawPixmap(target.topLeft(), Scaled);
}

TLabel::TLabel(QWidget* parent, const QString& name, bool autoSize)
    : QLabel(parent), AutoSize(autoSize) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
}

void TLabel::SetCaption(const QString& text) {
    CaptionText = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (wordWrap()) {
        // A line that ends with a blank goes on in the next one: the label wraps the
        // paragraph to its own width.
        shown.replace(QStringLiteral(" \n"), QStringLiteral(" "));
    }
    setText(shown);
    if (AutoSize) {
        FitToText();
    }
}

void TLabel::FitToText() {
    if (wordWrap()) {
        resize(width(), heightForWidth(width()));
    } else {
        adjustSize();
    }
}

void TLabel::SetFontColor(std::uint32_t bgr) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ColorFromValue(bgr));
    setPalette(p);
}

} // namespace harvoline
