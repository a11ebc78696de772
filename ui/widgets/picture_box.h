#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

namespace harvoline {

// A picture control.
class PictureBox : public QWidget {
  public:
    enum class Fit {
        Plain,            // drawn at the top left, unscaled
        Stretch,          // stretched over the whole control
        Proportional,     // scaled to fit, aspect kept, centred
        CentreShrinkOnly, // centred, scaled down to fit with its aspect kept, never enlarged
    };

    PictureBox(QWidget* parent, const QString& name, Fit fit);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return PictureImage; }
    // Pixels of exactly this colour are drawn transparent.
    void SetTransparentColor(std::uint32_t bgr);
    // The picture's own size counts this many times, on a magnified window: a plain
    // picture grows with it, and a shrink-only one may grow as far.
    void SetScale(double scale);
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
    double Scale = 1.0;
};

} // namespace harvoline
