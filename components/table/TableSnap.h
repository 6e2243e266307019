// Snapping the table editor window to whole columns and rows after the user resized
// it: four candidate layouts (no scroll bar, horizontal, vertical, both) are measured
// against the dragged size and the one that exceeds it least wins.
#pragma once

#include <vector>

namespace veldo {

struct TSnapEdges {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

struct TSnapRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct TSnapInput {
    int chromeWidth = 0;           // window width without data columns and vertical bar
    int chromeHeight = 0;          // window height without grid rows and horizontal bar
    int minimumWidth = 0;          // width the button row needs
    std::vector<int> columnWidths; // data columns, grid line included
    int rowHeight = 0;             // one grid row, grid line included
    int headerRows = 0;
    int dataRows = 0;
    int verticalBarWidth = 0;
    int horizontalBarHeight = 0;
    int leftColumn = 0; // first scrolled data column
    int topRow = 0;     // first scrolled data row
    int shownColumns = 0;
    int shownRows = 0;
    TSnapRect dragged; // the rectangle the user dragged to
    TSnapEdges edges;  // which edges moved
};

struct TSnapResult {
    int leftColumn = 0;
    int topRow = 0;
    int shownColumns = 0;
    int shownRows = 0;
    bool horizontalBar = false;
    bool verticalBar = false;
    TSnapRect rect;
};

// Raises ETableError "There must be at least 2 columns in grid" without a data column.
TSnapResult SnapTableWindow(const TSnapInput& input);

// Cell that Enter moves to: down one row; from the last row to the first row of the
// next column; from the last cell to the first row of the first column.
struct TGridCell {
    int row = 0;
    int column = 0;
    friend bool operator==(const TGridCell&, const TGridCell&) = default;
};
TGridCell NextCellOnEnter(TGridCell current, int rowCount, int columnCount);

} // namespace veldo
