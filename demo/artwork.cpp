#include "demo/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

namespace harvoline::demo {
namespace {

// Five related colours around the picture's hue.
QColor Shade(const Artwork& art, int k) {
    static constexpr double Offsets[] = {0.0, 0.09, 0.5, 0.58, 0.25};
    static constexpr double Saturations[] = {0.85, 0.6, 0.75, 0.5, 0.9};
    static constexpr double Values[] = {0.95, 0.7, 0.9, 0.5, 0.8};
    const int i = (k % 5 + 5) % 5;
    return QColor::fromHsvF(static_cast<float>(std::fmod(art.hue + Offsets[i], 1.0)),
                            static_cast<float>(Saturations[i]), static_cast<float>(Values[i]));
}

void Rings(QPainter& p, double w, double h, const Artwork& art, double time) {
    const double step = std::hypot(w, h) / 24;
    const double phase = time * 0.8;
    const int shift = static_cast<int>(std::floor(phase));
    for (int i = 13; i >= 0; --i) {
        const double r = (i + phase - shift) * step;
        p.setBrush(Shade(art, i - shift));
        p.drawEllipse(QPointF(w / 2, h / 2), r, r);
    }
}

void Stripes(QPainter& p, double w, double h, const Artwork& art, double time) {
    const double band = std::min(w, h) / 9;
    const double reach = std::hypot(w, h);
    p.translate(w / 2, h / 2);
    p.rotate(25 + 8 * time);
    const double shift = std::fmod(time * band * 1.2, 3 * band);
    for (int i = -static_cast<int>(reach / band) - 3; band * i < reach; ++i) {
        p.setBrush(Shade(art, (i % 3 + 3) % 3));
        p.drawRect(QRectF(i * band + shift, -reach, band, 2 * reach));
    }
}

void Mosaic(QPainter& p, double w, double h, const Artwork& art, double time) {
    QRandomGenerator random(art.seed);
    const double cell = std::min(w, h) / 6;
    for (int y = 0; y * cell < h; ++y) {
        for (int x = 0; x * cell < w; ++x) {
            const QPointF a(x * cell, y * cell), b(a.x() + cell, a.y()),
                c(a.x() + cell, a.y() + cell), d(a.x(), a.y() + cell);
            const bool slash = random.bounded(2) == 0;
            const int wave = static_cast<int>(time * 1.5 + (x + y) * 0.4);
            for (int half = 0; half < 2; ++half) {
                p.setBrush(Shade(art, random.bounded(5) + wave));
                const QPointF corner = half ? (slash ? c : d) : (slash ? a : b);
                const QPointF triangle[] = {corner, slash ? b : a, slash ? d : c};
                p.drawPolygon(triangle, 3);
            }
        }
    }
}

void Sunburst(QPainter& p, double w, double h, const Artwork& art, double time) {
    const QPointF centre(w * 0.35, h * 0.4);
    const double reach = 2 * std::hypot(w, h);
    constexpr int Rays = 18;
    p.fillRect(QRectF(0, 0, w, h), Shade(art, 2));
    p.translate(centre);
    p.rotate(time * 15);
    for (int i = 0; i < Rays; i += 2) {
        const double a0 = 2 * M_PI * i / Rays, a1 = 2 * M_PI * (i + 1) / Rays;
        const QPointF wedge[] = {{0, 0},
                                 {reach * std::cos(a0), reach * std::sin(a0)},
                                 {reach * std::cos(a1), reach * std::sin(a1)}};
        p.setBrush(Shade(art, 0));
        p.drawPolygon(wedge, 3);
    }
    p.setBrush(Shade(art, 4));
    p.drawEllipse(QPointF(0, 0), std::min(w, h) * 0.16, std::min(w, h) * 0.16);
}

void Dots(QPainter& p, double w, double h, const Artwork& art, double time) {
    const double step = std::min(w, h) / 12;
    p.fillRect(QRectF(0, 0, w, h), Shade(art, 3));
    for (int y = 0; y * step < h + step; ++y) {
        for (int x = 0; x * step < w + step; ++x) {
            const double distance = std::hypot(x * step - w / 2, y * step - h / 2) / std::min(w, h);
            const double r = step * 0.48 * (0.55 + 0.45 * std::sin(distance * 14 - time * 3));
            p.setBrush(Shade(art, (x + y) % 3));
            p.drawEllipse(QPointF(x * step, y * step), r, r);
        }
    }
}

void Waves(QPainter& p, double w, double h, const Artwork& art, double time) {
    p.fillRect(QRectF(0, 0, w, h), Shade(art, 2));
    for (int k = 0; k < 5; ++k) {
        const double base = h * (0.15 + 0.17 * k);
        const double length = w / (1.2 + 0.35 * k);
        const double phase = time * (1 + 0.4 * k) + k;
        QPainterPath path(QPointF(0, h));
        for (int x = 0; x <= 64; ++x) {
            const double px = w * x / 64;
            path.lineTo(px, base + h * 0.05 * std::sin(2 * M_PI * px / length + phase));
        }
        path.lineTo(w, h);
        p.setBrush(Shade(art, k == 2 ? 4 : k));
        p.drawPath(path);
    }
}

void Split(QPainter& p, QRectF area, int depth, QRandomGenerator& random, const Artwork& art,
           double time) {
    const int pick = random.bounded(8);
    if (depth == 0) {
        p.setBrush(pick < 5 ? Shade(art, pick) : QColor(245, 240, 228));
        p.drawRect(area);
        return;
    }
    const double ratio = 0.3 + 0.4 * random.generateDouble() + 0.08 * std::sin(time * 1.3 + depth);
    QRectF first = area, second = area;
    if (area.width() > area.height()) {
        first.setWidth(area.width() * ratio);
        second.setLeft(first.right());
    } else {
        first.setHeight(area.height() * ratio);
        second.setTop(first.bottom());
    }
    Split(p, first, depth - 1, random, art, time);
    Split(p, second, depth - 1, random, art, time);
}

void Blocks(QPainter& p, double w, double h, const Artwork& art, double time) {
    QRandomGenerator random(art.seed);
    p.setPen(QPen(QColor(20, 20, 24), std::min(w, h) / 70));
    Split(p, QRectF(0, 0, w, h), 4, random, art, time);
    p.setPen(Qt::NoPen);
}

void Bubbles(QPainter& p, double w, double h, const Artwork& art, double time) {
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, Shade(art, 3));
    sky.setColorAt(1, Shade(art, 1));
    p.fillRect(QRectF(0, 0, w, h), sky);
    QRandomGenerator random(art.seed);
    for (int i = 0; i < 40; ++i) {
        const double r = std::min(w, h) * (0.03 + 0.1 * random.generateDouble());
        const double x = w * random.generateDouble();
        const double speed = 0.05 + 0.1 * random.generateDouble();
        const double y =
            h + r - std::fmod(random.generateDouble() * (h + 2 * r) + time * speed * h, h + 2 * r);
        QColor colour = Shade(art, random.bounded(5));
        colour.setAlpha(150);
        p.setBrush(colour);
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

// The title in big letters on a dark band at the bottom, the artist below it.
void Caption(QPainter& p, double w, double h, const Artwork& art) {
    const QRectF band(0, h * 0.68, w, h * 0.32);
    p.fillRect(band, QColor(0, 0, 0, 150));
    const QRectF text = band.adjusted(w * 0.05, h * 0.02, -w * 0.05, -h * 0.02);
    QFont font("DejaVu Sans");
    font.setBold(true);
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap;
    const double titleHeight = art.artist.isEmpty() ? text.height() : text.height() * 0.66;
    for (int pixels = static_cast<int>(h * 0.09); pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        p.setFont(font);
        const QRectF needed = p.boundingRect(text, flags, art.title);
        if (needed.height() <= titleHeight && needed.width() <= text.width()) {
            break;
        }
    }
    p.setPen(Qt::white);
    p.drawText(QRectF(text.left(), text.top(), text.width(), titleHeight), flags | Qt::AlignVCenter,
               art.title);
    font.setBold(false);
    font.setPixelSize(static_cast<int>(h * 0.05));
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 210));
    p.drawText(
        QRectF(text.left(), text.top() + titleHeight, text.width(), text.height() - titleHeight),
        flags | Qt::AlignVCenter, art.artist);
}

} // namespace

void Paint(QPainter& painter, QSize size, const Artwork& art, double time) {
    using Design = void (*)(QPainter&, double, double, const Artwork&, double);
    static constexpr Design Designs[StyleCount] = {Rings, Stripes, Mosaic, Sunburst,
                                                   Dots,  Waves,   Blocks, Bubbles};
    const double w = size.width(), h = size.height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    Designs[art.style % StyleCount](painter, w, h, art, time);
    painter.restore();
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    Caption(painter, w, h, art);
    painter.restore();
}

} // namespace harvoline::demo
