#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <initializer_list>

class QWidget;

namespace harvoline {

// The big screen: the whole content, laid out at the design size, magnified by one factor
// and centred in the window, so that a TV shows the laptop's picture larger and sharp.
struct ContentScale {
    static constexpr QSize DesignSize{800, 566};

    double Factor = 1.0;
    QPoint Offset;

    // min(width / 800, height / 566), the content centred in the window.
    static ContentScale For(const QSize& window);
    bool IsIdentity() const { return Factor == 1.0 && Offset.isNull(); }
    // A design rectangle in window pixels; an inner one lies in a scaled parent, so the
    // offset is left out. Neighbours keep their common edges.
    QRect Map(const QRect& design, bool inner = false) const;
};

// Every widget under the root that ScaleContent magnified goes back to the geometry and font
// it had at the design size; the others stay as they are.
void RestoreDesign(QWidget* root);

// Magnifies every widget under the root, remembering its design geometry and font. The
// layers cover the window and stay as they are, but their children are magnified as the
// root's are.
void ScaleContent(QWidget* root, const ContentScale& scale,
                  std::initializer_list<const QWidget*> layers);

// The geometry a widget has at the design size, whether it is magnified or not.
QRect DesignGeometry(const QWidget* widget);

} // namespace harvoline
