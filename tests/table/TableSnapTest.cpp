// Snapping the editor window to whole columns and rows, and Enter navigation: every
// expected size below is worked out by hand from the candidate rules.
#include "TableSnap.h"
#include "TableErrors.h"

#include <gtest/gtest.h>

namespace veldo {
namespace {

// Chrome 50 x 100, button row 200 wide, three 80-pixel columns, rows of 20 pixels,
// two header rows, scroll bars 15 pixels.
TSnapInput Base(int dataRows = 8)
{
    TSnapInput in;
    in.chromeWidth = 50;
    in.chromeHeight = 100;
    in.minimumWidth = 200;
    in.columnWidths = {80, 80, 80};
    in.rowHeight = 20;
    in.headerRows = 2;
    in.dataRows = dataRows;
    in.verticalBarWidth = 15;
    in.horizontalBarHeight = 15;
    in.shownColumns = 3;
    in.shownRows = dataRows;
    return in;
}

TEST(TableSnap, EverythingFitsWithoutBars)
{
    // No bars: 50 + 3 x 80 = 290 wide, 100 + (2 + 8) x 20 = 300 high.
    TSnapInput in = Base();
    in.dragged = {10, 20, 400, 400};
    in.edges.right = in.edges.bottom = true;
    const TSnapResult r = SnapTableWindow(in);
    EXPECT_FALSE(r.horizontalBar);
    EXPECT_FALSE(r.verticalBar);
    EXPECT_EQ(r.shownColumns, 3);
    EXPECT_EQ(r.shownRows, 8);
    EXPECT_EQ(r.rect.x, 10);
    EXPECT_EQ(r.rect.y, 20);
    EXPECT_EQ(r.rect.width, 290);
    EXPECT_EQ(r.rect.height, 300);
}

TEST(TableSnap, ShorterWindowTakesAVerticalBar)
{
    // Dragged to 290 x 200 by the bottom edge.
    // none 290x300: 290 x 100 = 29000; horizontal (columns kept) 290x315: 290 x 115 = 33350;
    // vertical 305 x (100 + (2 + 3) x 20 = 200): 200 x 15 = 3000;
    // both 305 x (115 + (2 + 2) x 20 = 195): 200 x 15 = 3000, vertical came first.
    TSnapInput in = Base();
    in.dragged = {0, 0, 290, 200};
    in.edges.bottom = true;
    const TSnapResult r = SnapTableWindow(in);
    EXPECT_FALSE(r.horizontalBar);
    EXPECT_TRUE(r.verticalBar);
    EXPECT_EQ(r.shownRows, 3);
    EXPECT_EQ(r.shownColumns, 3);
    EXPECT_EQ(r.rect.width, 305);
    EXPECT_EQ(r.rect.height, 200);
}

TEST(TableSnap, NarrowerWindowTakesAHorizontalBar)
{
    // Dragged to 180 x 300 by the right edge.
    // none 290x300: 300 x 110 = 33000; horizontal: columns while below the button row
    // (50+80=130, 210) -> 210 x 315: 210 x 315 - 180 x 300 = 12150;
    // vertical (rows kept) 305x300: 300 x 125 = 37500; both 225x315: 16875.
    TSnapInput in = Base();
    in.dragged = {0, 0, 180, 300};
    in.edges.right = true;
    const TSnapResult r = SnapTableWindow(in);
    EXPECT_TRUE(r.horizontalBar);
    EXPECT_FALSE(r.verticalBar);
    EXPECT_EQ(r.leftColumn, 0);
    EXPECT_EQ(r.shownColumns, 2);
    EXPECT_EQ(r.shownRows, 8);
    EXPECT_EQ(r.rect.width, 210);
    EXPECT_EQ(r.rect.height, 315);
}

TEST(TableSnap, BothBarsFillLeftwardAndKeepTheLastRowInView)
{
    // 20 rows, scrolled to column 2 and row 15, dragged to 300 x 400 by a corner.
    // both: 65 + 80 (column 2) = 145, then column 1 leftward: 225 (column 0 would be 305);
    // rows: 115 + (2 + n) x 20 <= 400 gives n = 12, height 395; fits, excess 0.
    // The top row moves up to 20 - 12 = 8 so no row past the last one shows.
    TSnapInput in = Base(20);
    in.leftColumn = 2;
    in.topRow = 15;
    in.shownColumns = 1;
    in.shownRows = 5;
    in.dragged = {0, 0, 300, 400};
    in.edges.right = in.edges.bottom = true;
    const TSnapResult r = SnapTableWindow(in);
    EXPECT_TRUE(r.horizontalBar);
    EXPECT_TRUE(r.verticalBar);
    EXPECT_EQ(r.leftColumn, 1);
    EXPECT_EQ(r.shownColumns, 2);
    EXPECT_EQ(r.topRow, 8);
    EXPECT_EQ(r.shownRows, 12);
    EXPECT_EQ(r.rect.width, 225);
    EXPECT_EQ(r.rect.height, 395);
}

TEST(TableSnap, DraggedLeftAndTopEdgesKeepTheOppositeEdges)
{
    TSnapInput in = Base();
    in.dragged = {100, 50, 400, 400};
    in.edges.left = in.edges.top = true;
    const TSnapResult r = SnapTableWindow(in);
    EXPECT_EQ(r.rect.width, 290);
    EXPECT_EQ(r.rect.x, 100 + 400 - 290);
    EXPECT_EQ(r.rect.y, 50 + 400 - 300);
}

TEST(TableSnap, SideDragKeepsTheShownRows)
{
    // Only the right edge moves: the vertical-bar candidates keep rows 2..5.
    TSnapInput in = Base(20);
    in.topRow = 2;
    in.shownRows = 4;
    in.dragged = {0, 0, 320, 220};
    in.edges.right = true;
    const TSnapResult r = SnapTableWindow(in);
    // vertical: 305 x (100 + 6 x 20 = 220) fits exactly.
    EXPECT_TRUE(r.verticalBar);
    EXPECT_EQ(r.topRow, 2);
    EXPECT_EQ(r.shownRows, 4);
    EXPECT_EQ(r.rect.height, 220);
}

TEST(TableSnap, NeedsADataColumn)
{
    TSnapInput in = Base();
    in.columnWidths.clear();
    try {
        SnapTableWindow(in);
        ADD_FAILURE();
    } catch (const ETableError& e) {
        EXPECT_STREQ(e.what(), "There must be at least 2 columns in grid");
    }
}

TEST(TableSnap, EnterNavigation)
{
    EXPECT_EQ(NextCellOnEnter({0, 0}, 3, 2), (TGridCell{1, 0}));
    EXPECT_EQ(NextCellOnEnter({2, 0}, 3, 2), (TGridCell{0, 1}));
    EXPECT_EQ(NextCellOnEnter({2, 1}, 3, 2), (TGridCell{0, 0}));
    EXPECT_EQ(NextCellOnEnter({0, 0}, 1, 1), (TGridCell{0, 0}));
}

} // namespace
} // namespace veldo
