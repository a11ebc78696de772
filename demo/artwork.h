#pragma once

#include <QString>

class QPainter;
class QSize;

namespace harvoline::demo {

constexpr int StyleCount = 8;

// A colourful geometric picture with a title (and an artist, when given) written on it.
struct Artwork {
    QString title;
    QString artist;
    int style = 0;  // 0 to StyleCount - 1
    double hue = 0; // 0 to 1
    quint32 seed = 1;
};

// Paints the picture over the whole size; time (seconds) moves it along, 0 for a still.
void Paint(QPainter& painter, QSize size, const Artwork& art, double time);

} // namespace harvoline::demo
