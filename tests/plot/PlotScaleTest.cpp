// Value ranges, tick steps, value<->pixel mapping, page division, zoom ranges and markers.
#include "PlotScale.h"

#include <gtest/gtest.h>

#include <limits>

using namespace veldo;

namespace {

TLineList curveWith(std::initializer_list<TFloatPoint> points)
{
    TLine line(nullptr, 1);
    line.Points = points;
    return TLineList{line};
}

void expectNear(long double actual, double expected) { EXPECT_NEAR(static_cast<double>(actual), expected, 1e-12); }

} // namespace

TEST(Extents, ZeroIsAlwaysInsideAndBoundsRoundOutward)
{
    // X from 2 to 8: range 0..8, log10 8 = 0.903 (fraction above log10 3), step 1.
    // Y from 1 to 2.34: range 0..2.34, log10 2.34 = 0.369 below 0.477: step 0.1, 23.4 -> 24.
    const auto e = ComputeExtents(curveWith({{2, 1}, {8, 2.34L}, {5, 1.5L}}));
    ASSERT_TRUE(e);
    expectNear(e->MinX, 0);
    expectNear(e->MaxX, 8);
    expectNear(e->MinY, 0);
    expectNear(e->MaxY, 2.4);
}

TEST(Extents, StepsAreOneTwoOrFiveDigitsOfTheRange)
{
    // 4.6: log10 = 0.663, step 1 -> 5.
    auto e = ComputeExtents(curveWith({{4.6L, 0}}));
    ASSERT_TRUE(e);
    expectNear(e->MaxX, 5);
    // -3.7..12: range 15.7, log10 = 1.196 -> step 10 / 10 = 1: -4..12.
    e = ComputeExtents(curveWith({{-3.7L, 0}, {12, 0}}));
    ASSERT_TRUE(e);
    expectNear(e->MinX, -4);
    expectNear(e->MaxX, 12);
    // 0..-350: log10 350 = 2.544 (above log10 3): step 100 -> -400..0.
    e = ComputeExtents(curveWith({{0, -350}}));
    ASSERT_TRUE(e);
    expectNear(e->MinY, -400);
    expectNear(e->MaxY, 0);
}

TEST(Extents, AllEqualValuesAreWidenedByOneHundredth)
{
    // Y all 0: -0.01..0.01, range 0.02, log10 = -1.699, fraction 0.301 -> step 0.001.
    const auto e = ComputeExtents(curveWith({{1, 0}, {2, 0}}));
    ASSERT_TRUE(e);
    EXPECT_NEAR(static_cast<double>(e->MinY), -0.01, 1.5e-3);
    EXPECT_NEAR(static_cast<double>(e->MaxY), 0.01, 1.5e-3);
    EXPECT_LT(e->MinY, 0);
    EXPECT_GT(e->MaxY, 0);
    // An empty list gives the same widened range on both axes.
    const auto empty = ComputeExtents({});
    ASSERT_TRUE(empty);
    EXPECT_LT(empty->MinX, 0);
    EXPECT_GT(empty->MaxX, 0);
}

TEST(Extents, NonFinitePointsAreSkippedAndAnUnusableRangeGivesNothing)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const auto e = ComputeExtents(curveWith({{inf, 5}, {nan, 900}, {3, 2}}));
    ASSERT_TRUE(e);
    expectNear(e->MaxX, 3);
    expectNear(e->MaxY, 2);
    // A range that overflows has no step.
    const long double huge = std::numeric_limits<long double>::max();
    EXPECT_FALSE(ComputeExtents(curveWith({{-huge, 0}, {huge, 0}})));
    EXPECT_FALSE(RangeRoundingStep(0));
    EXPECT_FALSE(RangeRoundingStep(inf));
}

TEST(Ticks, MajorStepIsOneTwoOrFiveTimesAPowerOfTen)
{
    // Width 600, SFH 14: n = 600 / 84 = 7; 8 / 7 = 1.14: g 1, k 1: major 1, minor 0.2.
    // Height 252: n = 3; 0.1 / 3 = 0.0333: g 0.01, k 3: major 0.02, minor 0.004.
    auto t = ComputeTicks({0, 8, 0, 0.1L}, {0, 0, 600, 252}, 14);
    ASSERT_TRUE(t);
    expectNear(t->Step.X, 0.2);
    expectNear(t->Step.Y, 0.004);
    // Width 504: n = 6; 40 / 6 = 6.67: k 6: major 5, minor 1; ticks 0..40.
    // Height 840: n = 10; 95 / 10 = 9.5: k 9: major 10, which misses 95; the next
    // smaller step of the series that lands on both ends is 5: minor 1, last tick 95.
    t = ComputeTicks({0, 40, 0, 95}, {0, 0, 504, 840}, 14);
    ASSERT_TRUE(t);
    expectNear(t->Step.X, 1);
    expectNear(t->Step.Y, 1);
    EXPECT_EQ(t->FirstX, 0);
    EXPECT_EQ(t->LastX, 40);
    EXPECT_EQ(t->FirstY, 0);
    EXPECT_EQ(t->LastY, 95);
}

TEST(Ticks, IndexRangeCoversNegativeValues)
{
    // Height 300: n = 3; 100 / 3 = 33.3: g 10, k 3: major 20, minor 4.
    // First: 0, -4, ..., -40 (10 steps); last: 60 / 4 = 15.
    const auto t = ComputeTicks({0, 1, -40, 60}, {0, 0, 100, 300}, 14);
    ASSERT_TRUE(t);
    expectNear(t->Step.Y, 4);
    EXPECT_EQ(t->FirstY, -10);
    EXPECT_EQ(t->LastY, 15);
}

TEST(Ticks, AreaTooSmallForALabelHasNoTicks)
{
    EXPECT_FALSE(ComputeTicks({0, 8, 0, 8}, {0, 0, 83, 400}, 14)); // 83 / 84 = 0
    EXPECT_FALSE(ComputeTicks({0, 8, 0, 8}, {0, 0, 400, 83}, 14));
    EXPECT_TRUE(ComputeTicks({0, 8, 0, 8}, {0, 0, 84, 84}, 14));
    EXPECT_FALSE(ComputeTicks({0, 8, 0, 8}, {0, 0, 400, 400}, 0));
}

TEST(Mapping, ValuesToPixelsAndBack)
{
    const TExtents e{0, 8, 0, 100};
    const TPixelRect r{50, 20, 450, 420};
    // x: 2 / 8 x 400 = 100 -> 150; y: 25 / 100 x 400 = 100 -> 20 + 100 (x on top) or 420 - 100.
    EXPECT_EQ(FloatToPixel(e, r, true, {2, 25}), QPoint(150, 120));
    EXPECT_EQ(FloatToPixel(e, r, false, {2, 25}), QPoint(150, 320));
    const TFloatPoint top = PixelToFloat(e, r, true, {150, 120});
    expectNear(top.X, 2);
    expectNear(top.Y, 25);
    const TFloatPoint bottom = PixelToFloat(e, r, false, {150, 320});
    expectNear(bottom.X, 2);
    expectNear(bottom.Y, 25);
    // Not rounded on the way back: pixel 51 is 1/400 of 8.
    expectNear(PixelToFloat(e, r, false, {51, 420}).X, 0.02);
    // Outside left..right gives (0, 0).
    const TFloatPoint outside = PixelToFloat(e, r, false, {451, 100});
    EXPECT_EQ(outside.X, 0);
    EXPECT_EQ(outside.Y, 0);
}

TEST(Mapping, HalfPixelsRoundToEven)
{
    // Scale 2 pixels per unit: 0.25 -> 0.5 -> 0; 0.75 -> 1.5 -> 2; 1.25 -> 2.5 -> 2.
    const TExtents e{0, 8, 0, 8};
    const TPixelRect r{0, 0, 16, 16};
    EXPECT_EQ(FloatToPixel(e, r, true, {0.25L, 0}).x(), 0);
    EXPECT_EQ(FloatToPixel(e, r, true, {0.75L, 0}).x(), 2);
    EXPECT_EQ(FloatToPixel(e, r, true, {1.25L, 0}).x(), 2);
}

TEST(Layout, ScreenDivisionAt96PixelsPerInch)
{
    // SFH 14: left = 28 + 12 + 1 = 41; right = 800 - 24 - 7 = 769; top = 41; bottom = 600 - 24 - 7 = 569.
    TLayoutOptions o;
    TPlotGeometry g = ScreenLayout(800, 600, 96, 96, 14, o);
    EXPECT_EQ(g.PageRect, (TPixelRect{0, 0, 800, 600}));
    EXPECT_EQ(g.PlotRect, (TPixelRect{41, 41, 769, 569}));
    EXPECT_FALSE(g.HardCopy);
    // X axis at the bottom: top = 7 + 24 = 31; bottom = 600 - 28 - 12 - 1 = 559.
    o.XOnTop = false;
    g = ScreenLayout(800, 600, 96, 96, 14, o);
    EXPECT_EQ(g.PlotRect, (TPixelRect{41, 31, 769, 559}));
    // Graph title at the bottom: bottom -= 14.
    o.HasTitle = true;
    g = ScreenLayout(800, 600, 96, 96, 14, o);
    EXPECT_EQ(g.PlotRect.Bottom, 545);
    // At the top (x axis on top): top += 1 + 14.
    o = {};
    o.HasTitle = true;
    o.TitleOnTop = true;
    g = ScreenLayout(800, 600, 96, 96, 14, o);
    EXPECT_EQ(g.PlotRect.Top, 56);
}

TEST(Layout, LayerStripAndThreePanels)
{
    TLayoutOptions o;
    o.ShowLayers = true;
    // Right 769 - 96 = 673; strip from 673 + 19 to 769.
    TPlotGeometry g = ScreenLayout(800, 600, 96, 96, 14, o);
    EXPECT_EQ(g.PlotRect.Right, 673);
    EXPECT_EQ(g.LayerStripRect, (TPixelRect{692, 41, 769, 569}));
    // Three panels: w = (769 - 41 - 56 - 48) / 3 = 208; gap = 28 + 24 = 52.
    o = {};
    o.ShowThree = true;
    g = ScreenLayout(800, 600, 96, 96, 14, o);
    EXPECT_EQ(g.Panels[0], (TPixelRect{41, 41, 249, 569}));
    EXPECT_EQ(g.Panels[1], (TPixelRect{301, 41, 509, 569}));
    EXPECT_EQ(g.Panels[2], (TPixelRect{561, 41, 769, 569}));
}

TEST(Layout, PrintedPageFromMarginsAndOffsets)
{
    // 600 ppi, margins 1 in = 600 px, offsets 25: page (575, 575, 4800 + 25 - 600, 6400 + 25 - 600).
    // SFH = 14 x 600 / 96 = 87; band = 174 + 75 + 10 = 259.
    TPrintPage page;
    page.PixelsPerInchX = page.PixelsPerInchY = 600;
    page.OffsetX = page.OffsetY = 25;
    page.Width = 4800;
    page.Height = 6400;
    const int sfh = ScaledFontHeight(CanvasFontHeight(600), 10);
    EXPECT_EQ(sfh, 87);
    TLayoutOptions o;
    TPlotGeometry g = PrintLayout(page, sfh, o);
    EXPECT_TRUE(g.HardCopy);
    EXPECT_FALSE(g.BitmapOutput);
    EXPECT_EQ(g.PageRect, (TPixelRect{575, 575, 4225, 5825}));
    EXPECT_EQ(g.PlotRect, (TPixelRect{834, 834, 4225, 5825}));
    // Title at the top: top += 600 / 4.
    o.HasTitle = o.TitleOnTop = true;
    EXPECT_EQ(PrintLayout(page, sfh, o).PlotRect.Top, 984);
    // A margin smaller than the physical offset counts as the offset.
    page.MarginLeft = 10;
    EXPECT_EQ(PrintLayout(page, sfh, {}).PageRect.Left, 0);
}

TEST(Layout, BitmapIsLaidOutLikeTheScreenAtItsOwnResolution)
{
    // 432 x 288 at 96, x axis on top: plot (28 + 12 + 1, 41, 432 - 24 - 7, 288 - 31);
    // the title at the top takes 14 / 8 + 14 more; the strip one inch at the right.
    TLayoutOptions o;
    o.ShowLayers = true;
    o.HasTitle = true;
    o.TitleOnTop = true;
    const TPlotGeometry g = BitmapLayout(432, 288, 96, 96, 14, o);
    EXPECT_TRUE(g.HardCopy);
    EXPECT_TRUE(g.BitmapOutput);
    EXPECT_EQ(g.PlotRect, (TPixelRect{41, 56, 305, 257}));
    EXPECT_EQ(g.LayerStripRect, (TPixelRect{324, 56, 401, 257}));
    // At 192 pixels per inch the margins double (up to rounding of the eighths).
    const TPlotGeometry twice = BitmapLayout(864, 576, 192, 192, 28, o);
    EXPECT_EQ(twice.PlotRect, (TPixelRect{83, 114, 610, 514}));
}

TEST(Zoom, DragSpanIsAtLeastATwentiethOfTheFullRange)
{
    const TRange full{0, 100};
    // A 1-wide drag around 40.5 widens to 5 around its centre.
    TRange r = ZoomInAxis(41, 40, full);
    expectNear(r.Min, 38);
    expectNear(r.Max, 43);
    // Near the end the 5-wide range is shifted to end at 100.
    r = ZoomInAxis(99, 100, full);
    expectNear(r.Min, 95);
    expectNear(r.Max, 100);
    r = ZoomInAxis(0.5L, 0, full);
    expectNear(r.Min, 0);
    expectNear(r.Max, 5);
    // Wide enough: kept as dragged.
    r = ZoomInAxis(30, 10, full);
    expectNear(r.Min, 10);
    expectNear(r.Max, 30);
}

TEST(Zoom, RightClickDoublesTheRangeUpToTheFullRange)
{
    const TRange full{0, 100};
    TRange r = ZoomOutAxis({38, 43}, full, 40);
    expectNear(r.Min, 35);
    expectNear(r.Max, 45);
    r = ZoomOutAxis({38, 43}, full, 2); // clamped to 0 + 5
    expectNear(r.Min, 0);
    expectNear(r.Max, 10);
    r = ZoomOutAxis({0, 100}, full, 80); // already full: unchanged
    expectNear(r.Min, 0);
    expectNear(r.Max, 100);
}

TEST(Markers, ShapeNumbersWrapAfterTen)
{
    EXPECT_EQ(MarkerShape(1), 1);
    EXPECT_EQ(MarkerShape(10), 10);
    EXPECT_EQ(MarkerShape(11), 1);
    EXPECT_EQ(MarkerShape(15), 5);
    EXPECT_EQ(MarkerShape(20), 10);
    EXPECT_EQ(MarkerShape(21), 1);
    EXPECT_EQ(MarkerShape(25), 5);
}

TEST(Markers, OutlinesPointUpAndGrowClockwise)
{
    // Radius 320 / 32 = 10. Triangle apex down: (0, +10); 300 deg: (-8.66, -5); 60 deg: (8.66, -5).
    std::vector<QPoint> tri = MarkerOutline({100, 100}, 1, 320, 320);
    ASSERT_EQ(tri.size(), 4u);
    EXPECT_EQ(tri[0], QPoint(100, 110));
    EXPECT_EQ(tri[1], QPoint(91, 95));
    EXPECT_EQ(tri[2], QPoint(109, 95));
    EXPECT_EQ(tri[3], tri[0]);
    // Square at 45 deg: 7.07 -> 7.
    std::vector<QPoint> sq = MarkerOutline({100, 100}, 2, 320, 320);
    ASSERT_EQ(sq.size(), 5u);
    EXPECT_EQ(sq[0], QPoint(107, 93));
    EXPECT_EQ(sq[1], QPoint(107, 107));
    // Pentagon: first vertex straight up.
    std::vector<QPoint> pent = MarkerOutline({100, 100}, 15, 320, 320);
    ASSERT_EQ(pent.size(), 6u);
    EXPECT_EQ(pent[0], QPoint(100, 90));
    EXPECT_EQ(MarkerOutline({0, 0}, 20, 320, 320).size(), 11u);
}

TEST(Colors, ElevenColoursThatReadOnWhiteRepeat)
{
    ASSERT_EQ(PlotColorCount(), 11);
    EXPECT_EQ(PlotColor(0), QColor(0, 0, 0));
    EXPECT_EQ(PlotColor(1), QColor(0, 0, 255));
    EXPECT_EQ(PlotColor(2), QColor(255, 0, 0));
    EXPECT_EQ(PlotColor(10), QColor(128, 128, 128));
    EXPECT_EQ(PlotColor(11), QColor(0, 0, 0));
    for (int i = 0; i < PlotColorCount(); ++i) {
        const QColor c = PlotColor(i);
        // Nothing as light as yellow, silver, aqua or lime.
        EXPECT_LT(c.lightness(), 160) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(PlotColor(j), c) << i << " " << j;
    }
}
