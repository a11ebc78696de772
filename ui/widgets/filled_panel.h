#pragma once

#include <QWidget>
#include <cstdint>

namespace harvoline {

// A filled panel with an optional raised bevel, border and centred caption.
class FilledPanel : public QWidget {
  public:
    FilledPanel(QWidget* parent, const QString& name);

    void SetColor(std::uint32_t bgr);
    std::uint32_t Color() const { return ColorValue; }
    void SetCaption(const QString& caption);
    QString Caption() const { return CaptionText; }
    void SetCaptionColor(std::uint32_t bgr);
    // Bevel width 1 draws a raised edge; the border lies inside it in the panel colour.
    void SetBevel(int bevelWidth, int borderWidth);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::uint32_t ColorValue = 0xC0C0C0;
    QString CaptionText;
    int BevelWidth = 0;
    int BorderWidth = 0;
};

} // namespace harvoline
