#include "ui/widgets/make_controls.h"

namespace harvoline {

QFont PixelFont(int pixels, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry, const QFont& font) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

CaptionLabel* MakeLabel(QWidget* parent, const QString& name, const QPoint& pos, const QFont& font,
                        bool autoSize) {
    auto* label = new CaptionLabel(parent, name, autoSize);
    label->setFont(font);
    label->move(pos);
    return label;
}

} // namespace harvoline
