#pragma once

#include <QPoint>
#include <QSize>
#include <array>

namespace harvoline {

// What the layout pass reads from the window's controls.
struct LayoutInput {
    QSize Window;
    int TitelWidth = 0;
    int TitelHeight = 0;
    int Bevel1Left = 0;
    QSize Player;
    int CoverPanelSize = 0;
    int TimesUpTop = 0;
    int TimesUpHeight = 0;
    QSize BuzzerPanel;
    int MiniCoverWidth = 0;
    int AnzahlWidth = 0;
};

// Where the layout pass puts them.
struct LayoutResult {
    int TitelLeft = 0;
    int HVIconLeft = 0;
    int Bevel1Width = 0;
    int PlayerTop = 0;
    std::array<int, 4> PlayerLeft{};
    QPoint CoverPanelPos;
    int CoverPanelSize = 0;
    QPoint BuzzerPanelPos;
    int MiniCoverLeft = 0;
    QPoint ResizePos;
    int AnzahlLeft = 0;
};

LayoutResult ComputeLayout(const LayoutInput& in);

} // namespace harvoline
