#include "app/layout.h"

#include <algorithm>

namespace harvoline {

namespace {

constexpr int DesignCoverSize = 566;
constexpr int NarrowestPlayerLefts[4] = {5, 205, 405, 605};

} // namespace

LayoutResult ComputeLayout(const LayoutInput& in) {
    const int w = in.Window.width();
    const int h = in.Window.height();
    LayoutResult out;

    out.TitelLeft = (w - in.TitelWidth) / 2 - 20;
    out.HVIconLeft = out.TitelLeft - 40;
    out.Bevel1Width = w - 15 - in.Bevel1Left;

    out.PlayerTop = std::max(h - in.Player.height() - 40, 248);
    const int gap = (w - 4 * in.Player.width() - 10) / 3;
    out.PlayerLeft = {5, in.Player.width() + gap, 2 * in.Player.width() + 2 * gap,
                      w - 15 - in.Player.width()};
    if (out.PlayerLeft[1] < NarrowestPlayerLefts[1]) {
        std::copy(std::begin(NarrowestPlayerLefts) + 1, std::end(NarrowestPlayerLefts),
                  out.PlayerLeft.begin() + 1);
    }

    // The cover panel is square; one shrunk for a low window grows back first.
    int coverSize = std::max(in.CoverPanelSize, DesignCoverSize);
    int coverTop = in.TimesUpTop + in.TimesUpHeight + 5;
    if (coverTop + coverSize > h) {
        coverTop = in.TimesUpTop - 5;
    }
    if (coverTop + coverSize > h) {
        coverTop = in.TitelHeight;
    }
    if (coverTop + coverSize > h) {
        coverSize = h - coverTop;
    }
    out.CoverPanelSize = coverSize;
    out.CoverPanelPos = QPoint((w - coverSize) / 2, coverTop);

    out.BuzzerPanelPos = QPoint((w - in.BuzzerPanel.width()) / 2 - 20,
                                out.PlayerTop - 50 - in.BuzzerPanel.height());
    out.MiniCoverLeft = w - in.MiniCoverWidth - 7;
    out.ResizePos = QPoint(w - 18, h - 18);
    out.AnzahlLeft = w - 15 - in.AnzahlWidth;
    return out;
}

} // namespace harvoline
