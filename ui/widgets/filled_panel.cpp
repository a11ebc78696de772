#include "ui/widgets/filled_panel.h"

#include "ui/widgets/colours.h"

#include <QPaintEvent>
#include <QPainter>

namespace harvoline {

FilledPanel::FilledPanel(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    // A panel fills itself, so nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FilledPanel::SetColor(std::uint32_t bgr) {
    ColorValue = bgr;
    update();
}

void FilledPanel::SetCaption(const QString& caption) {
    CaptionText = caption;
    update();
}

void FilledPanel::SetCaptionColor(std::uint32_t bgr) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ColorFromValue(bgr));
    setPalette(p);
}

void FilledPanel::SetBevel(int bevelWidth, int borderWidth) {
    BevelWidth = bevelWidth;
    BorderWidth = borderWidth;
    update();
}

void FilledPanel::paintEvent(QPaintEvent*) {
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

} // namespace harvoline
