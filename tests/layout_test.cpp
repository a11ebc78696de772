#include "ui/layout.h"

#include <gtest/gtest.h>

using namespace harvoline;

namespace {

LayoutInput DesignInput(int w, int h) {
    LayoutInput in;
    in.Window = QSize(w, h);
    in.TitleWidth = 140;
    in.TitleHeight = 37;
    in.AnswerTrackLeft = 360;
    in.SeatPanel = QSize(190, 313);
    in.CoverPanelSize = 566;
    in.AnswerBarTop = 200;
    in.AnswerBarHeight = 41;
    in.BuzzerSetupPanel = QSize(385, 73);
    in.MiniCoverWidth = 161;
    return in;
}

} // namespace

TEST(Layout, PlacesSeatPanelsByWidthAndHeight) {
    struct Case {
        int W, H;
        std::array<int, 4> Lefts;
        int Top;
    };
    const Case cases[] = {
        {800, 566, {5, 205, 405, 605}, 248},  {1024, 768, {5, 274, 548, 819}, 415},
        {700, 566, {5, 205, 405, 605}, 248}, // never closer than at the design width
        {1024, 600, {5, 274, 548, 819}, 248}, {1024, 601, {5, 274, 548, 819}, 248},
        {1024, 602, {5, 274, 548, 819}, 249}, {1024, 400, {5, 274, 548, 819}, 248},
    };
    for (const Case& c : cases) {
        const LayoutResult out = ComputeLayout(DesignInput(c.W, c.H));
        EXPECT_EQ(out.SeatLefts, c.Lefts) << c.W << "x" << c.H;
        EXPECT_EQ(out.SeatTop, c.Top) << c.W << "x" << c.H;
    }
}

TEST(Layout, CentresTitleAndAlignsTheRightHandControls) {
    const LayoutResult out = ComputeLayout(DesignInput(800, 566));
    EXPECT_EQ(out.TitleLeft, (800 - 140) / 2 - 20);
    EXPECT_EQ(out.MenuIconLeft, out.TitleLeft - 40);
    EXPECT_EQ(out.AnswerTrackWidth, 800 - 15 - 360);
    EXPECT_EQ(out.BuzzerSetupPos, QPoint((800 - 385) / 2 - 20, 248 - 50 - 73));
    EXPECT_EQ(out.MiniCoverLeft, 800 - 161 - 7);
    EXPECT_EQ(out.ResizeGripPos, QPoint(782, 548));
    // Odd differences round toward zero, also when negative.
    EXPECT_EQ(ComputeLayout(DesignInput(801, 566)).TitleLeft, 330 - 20);
    LayoutInput wide = DesignInput(100, 566);
    wide.TitleWidth = 141;
    EXPECT_EQ(ComputeLayout(wide).TitleLeft, -20 - 20);
}

TEST(Layout, FitsTheCoverPanelIntoLowWindows) {
    struct Case {
        int H;
        int CoverSizeBefore;
        QPoint Pos;
        int Size;
    };
    const Case cases[] = {
        {900, 566, {117, 246}, 566},            // below the answer bar
        {812, 566, {117, 246}, 566},            // exactly fits
        {770, 566, {117, 195}, 566},            // 5 above the bar's top
        {610, 566, {117, 37}, 566},             // at the title's height
        {500, 566, {(800 - 463) / 2, 37}, 463}, // shrunk to the space left
        {900, 463, {117, 246}, 566},            // grows back once there is room
    };
    for (const Case& c : cases) {
        LayoutInput in = DesignInput(800, c.H);
        in.CoverPanelSize = c.CoverSizeBefore;
        const LayoutResult out = ComputeLayout(in);
        EXPECT_EQ(out.CoverPanelPos, c.Pos) << c.H;
        EXPECT_EQ(out.CoverPanelSize, c.Size) << c.H;
    }
}
