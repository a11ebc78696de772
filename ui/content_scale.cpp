#include "ui/content_scale.h"

#include "ui/widgets/picture_box.h"

#include <QFont>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>

namespace harvoline {

namespace {

constexpr const char* DesignRectProperty = "designGeometry";
constexpr const char* DesignFontProperty = "designFont";

int Scaled(int design, double factor) {
    return static_cast<int>(std::lround(design * factor));
}

QFont ScaledFont(QFont font, double factor) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, Scaled(font.pixelSize(), factor)));
    } else {
        font.setPointSizeF(font.pointSizeF() * factor);
    }
    return font;
}

void SetPictureScale(QWidget* widget, double factor) {
    if (auto* picture = dynamic_cast<PictureBox*>(widget)) {
        picture->SetScale(factor);
    }
}

// The widgets that belong to the window's content: popups and dialogs are windows of
// their own, and a video's native view is placed, magnified, by the one who makes it.
void ForEachChild(QWidget* parent, const std::function<void(QWidget*)>& visit) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow() &&
            !widget->testAttribute(Qt::WA_NativeWindow)) {
            visit(widget);
        }
    }
}

void Magnify(QWidget* parent, bool inner, const ContentScale& scale,
             std::initializer_list<const QWidget*> layers) {
    // Children first: a font they take from their parent is recorded at its design size.
    ForEachChild(parent, [&](QWidget* widget) {
        const bool layer = std::find(layers.begin(), layers.end(), widget) != layers.end();
        Magnify(widget, inner || !layer, scale, layers);
        if (!layer) {
            widget->setProperty(DesignRectProperty, widget->geometry());
            widget->setProperty(DesignFontProperty, widget->font());
            widget->setGeometry(scale.Map(widget->geometry(), inner));
            widget->setFont(ScaledFont(widget->font(), scale.Factor));
            SetPictureScale(widget, scale.Factor);
        }
    });
}

} // namespace

ContentScale ContentScale::For(const QSize& window) {
    ContentScale scale;
    scale.Factor = std::min(static_cast<double>(window.width()) / DesignSize.width(),
                            static_cast<double>(window.height()) / DesignSize.height());
    scale.Offset = QPoint((window.width() - Scaled(DesignSize.width(), scale.Factor)) / 2,
                          (window.height() - Scaled(DesignSize.height(), scale.Factor)) / 2);
    return scale;
}

QRect ContentScale::Map(const QRect& design, bool inner) const {
    const QPoint topLeft(Scaled(design.left(), Factor), Scaled(design.top(), Factor));
    const QPoint end(Scaled(design.left() + design.width(), Factor),
                     Scaled(design.top() + design.height(), Factor));
    const QRect mapped(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
    return inner ? mapped : mapped.translated(Offset);
}

void RestoreDesign(QWidget* root) {
    ForEachChild(root, [](QWidget* widget) {
        const QVariant design = widget->property(DesignRectProperty);
        if (design.isValid()) {
            widget->setGeometry(design.toRect());
            widget->setFont(widget->property(DesignFontProperty).value<QFont>());
            widget->setProperty(DesignRectProperty, QVariant());
            widget->setProperty(DesignFontProperty, QVariant());
            SetPictureScale(widget, 1.0);
        }
        RestoreDesign(widget);
    });
}

void ScaleContent(QWidget* root, const ContentScale& scale,
                  std::initializer_list<const QWidget*> layers) {
    Magnify(root, false, scale, layers);
}

QRect DesignGeometry(const QWidget* widget) {
    const QVariant design = widget->property(DesignRectProperty);
    return design.isValid() ? design.toRect() : widget->geometry();
}

} // namespace harvoline
