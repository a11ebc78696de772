#include "ui/widgets/caption_label.h"

#include "ui/widgets/colours.h"

namespace harvoline {

CaptionLabel::CaptionLabel(QWidget* parent, const QString& name, bool autoSize)
    : QLabel(parent), AutoSize(autoSize) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
}

void CaptionLabel::SetCaption(const QString& text) {
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

void CaptionLabel::ShowCaption(const QString& text) {
    if (text != CaptionText) {
        SetCaption(text);
    }
}

void CaptionLabel::ShowFitted(const QString& text, int maxWidth, int fullPixels, int leastPixels) {
    CaptionText = text;
    QFont fitted = font();
    fitted.setPixelSize(fullPixels);
    while (fitted.pixelSize() > leastPixels &&
           QFontMetrics(fitted).horizontalAdvance(text) > maxWidth) {
        fitted.setPixelSize(fitted.pixelSize() - 1);
    }
    if (fitted != font()) {
        setFont(fitted);
    }
    setText(QFontMetrics(fitted).elidedText(text, Qt::ElideMiddle, maxWidth));
    if (AutoSize) {
        FitToText();
    }
}

void CaptionLabel::FitToText() {
    if (wordWrap()) {
        resize(width(), heightForWidth(width()));
    } else {
        adjustSize();
    }
}

void CaptionLabel::SetFontColor(std::uint32_t bgr) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ColorFromValue(bgr));
    setPalette(p);
}

} // namespace harvoline
