#pragma once

#include <QPoint>
#include <QSize>
#include <array>

namespace harvoline {

// What the layout pass reads from the window's controls.
struct LayoutInput {
    QSize Window;
    int TitleWidth = 0;
    int TitleHeight = 0;
    int AnswerTrackLeft = 0;
    QSize SeatPanel;
    int CoverPanelSize = 0;
    int AnswerBarTop = 0;
    int AnswerBarHeight = 0;
    QSize BuzzerSetupPanel;
    int MiniCoverWidth = 0;
};

// Where the layout pass puts them.
struct LayoutResult {
    int TitleLeft = 0;
    int MenuIconLeft = 0;
    int AnswerTrackWidth = 0;
    int SeatTop = 0;
    std::array<int, 4> SeatLefts{};
    QPoint CoverPanelPos;
    int CoverPanelSize = 0;
    QPoint BuzzerSetupPos;
    int MiniCoverLeft = 0;
    QPoint ResizeGripPos;
};

LayoutResult ComputeLayout(const LayoutInput& in);

} // namespace harvoline
