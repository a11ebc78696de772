#pragma once

#include <QLabel>
#include <cstdint>

namespace harvoline {

// A label that shows its text as written; an auto-sized one fits itself to its text
// whenever the text changes.
class CaptionLabel : public QLabel {
  public:
    CaptionLabel(QWidget* parent, const QString& name, bool autoSize);

    // CR LF and lone CR break lines as LF does; Caption() keeps the text as given.
    void SetCaption(const QString& text);
    // Sets the caption unless it is the one shown already.
    void ShowCaption(const QString& text);
    // Shows a one-line text in at most maxWidth pixels: the font shrinks from its full pixel
    // size as far as leastPixels, and what still does not fit is elided in the middle.
    // Caption() keeps the whole text.
    void ShowFitted(const QString& text, int maxWidth, int fullPixels, int leastPixels);
    const QString& Caption() const { return CaptionText; }
    void SetFontColor(std::uint32_t bgr);
    // Sizes the label to its text; a wrapping label keeps its width and takes the height.
    void FitToText();

  private:
    bool AutoSize;
    QString CaptionText;
};

} // namespace harvoline
