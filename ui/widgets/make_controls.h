#pragma once

#include "ui/widgets/caption_label.h"

#include <QFont>
#include <QPushButton>

namespace harvoline {

// The program's font at a height in pixels.
QFont PixelFont(int pixels, bool bold = false);

// A button that never takes the focus: a click on it gives the focus to the window, so that
// an open name editor loses it and closes before the click acts.
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry, const QFont& font);

CaptionLabel* MakeLabel(QWidget* parent, const QString& name, const QPoint& pos, const QFont& font,
                        bool autoSize = true);

} // namespace harvoline
