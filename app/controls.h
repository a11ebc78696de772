#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

namespace harvoline {

// Colours are kept as 0x00BBGGRR values.
QColor ColorFromValue(std::uint32_t bgr);

constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t Yellow = 0x00FFFF;
constexpr std::uint32_t Lime = 0x00FF00;
constexpr std::uint32_t MoneyGreen = 0xC0DCC0;
constexpr std::uint32_t Gray = 0x808080;

// The control's own Visible and Enabled flags, whether or not the window is on screen.
bool IsShown(const QWidget* w);
bool IsEnabledFlag(const QWidget* w);

// A filled panel with an optional raised bevel, border and centred caption.
class TPanel : public QWidget {
  public:
    explicit TPanel(QWidget* parent, const QString& name);

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

// A picture control.
class TImage : public QWidget {
  public:
    enum class Fit {
        Plain,            // drawn at the top left, unscaled
        Stretch,          // stretched over the whole control
        Proportional,     // scaled to fit, aspect kept, centred
        CentreShrinkOnly, // centred, scaled down to fit with its aspect kept, never enlarged
    };

    TImage(QWidget* parent, const QString& name, Fit fit);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return PictureImage; }
    // Pixels of exactly this colour are drawn transparent.
    void SetTransparentColor(std::uint32_t bgr);
    // Where the picture lands inside the control.
    QRect PictureRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Prepare();

    Fit FitMode;
    QImage PictureImage;
    QImage Drawn;
    QPixmap Scaled;
    std::int64_t TransparentColor = -1;
};

// A label; an auto-sized one fits itself to its text whenever the text changes.
class TLabel : public QLabel {
  public:
    TLabel(QWidget* parent, const QString& name, bool autoSize);

    // CR LF and lone CR break lines as LF does; Caption() keeps the text as given.
    void SetCaption(const QString& text);
    const QString& Caption() const { return CaptionText; }
    void SetFontColor(std::uint32_t bgr);
    // Sizes the label to its text; a wrapping label keeps its width and takes the height.
    void FitToText();

  private:
    bool AutoSize;
    QString CaptionText;
};

} // namespace harvoline
