#include "app/layout.h"

#include <gtest/gtest.h>

using namespace harvoline;

namespace {

LayoutInput DesignInput(int w, int h) {
    LayoutInput in;
    in.Window = QSize(w, h);
    in.TitelWidth = 140;
    in.TitelHeight = 37;
    in.Bevel1Left = 360;
    in.Player = QSize(190, 313);
    in.CoverPanelSize = 566;
    in.TimesUpTop = 200;
    in.TimesUpHeight = 41;
    in.BuzzerPanel = QSize(385, 73);
    in.MiniCoverWidth = 161;
    in.AnzahlWidth = 100;
    return in;
}

} // namespace

TEST(Layout, PlacesPlayerPanelsByWidthAndHeight) {
    struct Case {
        int W, H;
        std::array<int, 4> Lefts;
        int Top;
    };
    const Case cases[] = {
        {800, 566, {5, 205, 405, 605}, 248},
        {1024, 768, {5, 274, 548, 819}, 415},
        {700, 566, {5, 205, 405, 605}, 248}, // never closer than at the design width
        {1024, 600, {5, 274, 548, 819}, 248},
        {1024, 601, {5, 274, 548, 819}, 248},
        {1024, 602, {5, 274, 548, 819}, 249},
        {1024, 400, {5, 274, 548, 819}, 248},
    };
    for (const Case& c : cases) {
        const LayoutResult out = ComputeLayout(DesignInput(c.W, c.H));
        EXPECT_EQ(out.PlayerLeft, c.Lefts) << c.W << "x" << c.H;
        EXPECT_EQ(out.PlayerTop, c.Top) << c.W << "x" << c.H;
    }
}

TEST(Layout, CentresTitleAndAlignsTheRightHandControls) {
    const LayoutResult out = ComputeLayout(DesignInput(800, 566));
    EXPECT_EQ(out.TitelLeft, (800 - 140) / 2 - 20);
    EXPECT_EQ(out.HVIconLeft, out.TitelLeft - 40);
    EXPECT_EQ(out.Bevel1Width, 800 - 15 - 360);
    EXPECT_EQ(out.BuzzerPanelPos, QPoint((800 - 385) / 2 - 20, 248 - 50 - 73));
    EXPECT_EQ(out.MiniCoverLeft, 800 - 161 - 7);
    EXPECT_EQ(out.ResizePos, QPoint(782, 548));
    EXPECT_EQ(out.AnzahlLeft, 800 - 15 - 100);
    // Odd differences round toward zero, also when negative.
    EXPECT_EQ(ComputeLayout(DesignInput(801, 566)).TitelLeft, 330 - 20);
    LayoutInput wide = DesignInput(100, 566);
    wide.TitelWidth = 141;
    EXPECT_EQ(ComputeLayout(wide).TitelLeft, -20 - 20);
}

TEST(Layout, FitsTheCoverPanelIntoLowWindows) {
    struct Case {
        int H;
        int CoverSizeBefore;
        QPoint Pos;
        int Size;
    };
    const Case cases[] = {
        {900, 566, {117, 246}, 566},      // below the answer bar
        {812, 566, {117, 246}, 566},      // exactly fits
        {770, 566, {117, 195}, 566},      // 5 above the bar's top
        {610, 566, {117, 37}, 566},       // at the title's height
        {500, 566, {(800 - 463) / 2, 37}, 463}, // shrunk to the space left
        {900, 463, {117, 246}, 566},      // grows back once there is room
    };
    for (const Case& c : cases) {
        LayoutInput in = DesignInput(800, c.H);
        in.CoverPanelSize = c.CoverSizeBefore;
        const LayoutResult out = ComputeLayout(in);
        EXPECT_EQ(out.CoverPanelPos, c.Pos) << c.H;
        EXPECT_EQ(out.CoverPanelSize, c.Size) << c.H;
    }
}
