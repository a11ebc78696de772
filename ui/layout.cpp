#include "ui/layout.h"

#include <algorithm>

namespace harvoline {

namespace {

constexpr int DesignCoverSize = 566;
constexpr int NarrowestSeatLefts[4] = {5, 205, 405, 605};

} // namespace

LayoutResult ComputeLayout(const LayoutInput& in) {
    const int w = in.Window.width();
    const int h = in.Window.height();
    LayoutResult out;

    out.TitleLeft = (w - in.TitleWidth) / 2 - 20;
    out.MenuIconLeft = out.TitleLeft - 40;
    out.AnswerTrackWidth = w - 15 - in.AnswerTrackLeft;

    out.SeatTop = std::max(h - in.SeatPanel.height() - 40, 248);
    const int gap = (w - 4 * in.SeatPanel.width() - 10) / 3;
    out.SeatLefts = {5, in.SeatPanel.width() + gap, 2 * in.SeatPanel.width() + 2 * gap,
                     w - 15 - in.SeatPanel.width()};
    if (out.SeatLefts[1] < NarrowestSeatLefts[1]) {
        std::copy(std::begin(NarrowestSeatLefts) + 1, std::end(NarrowestSeatLefts),
                  out.SeatLefts.begin() + 1);
    }

    // The cover panel is square; one shrunk for a low window grows back first.
    int coverSize = std::max(in.CoverPanelSize, DesignCoverSize);
    int coverTop = in.AnswerBarTop + in.AnswerBarHeight + 5;
    if (coverTop + coverSize > h) {
        coverTop = in.AnswerBarTop - 5;
    }
    if (coverTop + coverSize > h) {
        coverTop = in.TitleHeight;
    }
    if (coverTop + coverSize > h) {
        coverSize = h - coverTop;
    }
    out.CoverPanelSize = coverSize;
    out.CoverPanelPos = QPoint((w - coverSize) / 2, coverTop);

    out.BuzzerSetupPos = QPoint((w - in.BuzzerSetupPanel.width()) / 2 - 20,
                                out.SeatTop - 50 - in.BuzzerSetupPanel.height());
    out.MiniCoverLeft = w - in.MiniCoverWidth - 7;
    out.ResizeGripPos = QPoint(w - 18, h - 18);
    return out;
}

} // namespace harvoline
