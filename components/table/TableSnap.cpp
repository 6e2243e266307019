#include "TableSnap.h"

#include "TableErrors.h"

#include <algorithm>
#include <cstdint>

namespace veldo {
namespace {

struct Span {
    int first = 0;
    int count = 0;
    int size = 0;
};

// Columns of a candidate, starting at `base` width: all of them without a horizontal
// bar, else those that fit.
Span FitColumns(const TSnapInput& in, bool bar, int base)
{
    const int n = static_cast<int>(in.columnWidths.size());
    if (!bar) {
        Span all{0, n, base};
        for (int w : in.columnWidths)
            all.size += w;
        return all;
    }
    const bool keep = (in.edges.top || in.edges.bottom) && !(in.edges.left || in.edges.right);
    Span span{std::clamp(in.leftColumn, 0, n - 1), 0, base};
    if (keep) {
        span.count = std::clamp(in.shownColumns, 1, n - span.first);
        for (int i = span.first; i < span.first + span.count; ++i)
            span.size += in.columnWidths[static_cast<std::size_t>(i)];
        return span;
    }
    int next = span.first;
    while (next < n && (span.count == 0 || span.size < in.minimumWidth ||
                        span.size + in.columnWidths[static_cast<std::size_t>(next)] <= in.dragged.width)) {
        span.size += in.columnWidths[static_cast<std::size_t>(next++)];
        ++span.count;
    }
    while (span.first > 0 &&
           span.size + in.columnWidths[static_cast<std::size_t>(span.first - 1)] <= in.dragged.width) {
        span.size += in.columnWidths[static_cast<std::size_t>(--span.first)];
        ++span.count;
    }
    return span;
}

// Rows of a candidate, starting at `base` height: all of them without a vertical bar,
// else those that fit.
Span FitRows(const TSnapInput& in, bool bar, int base)
{
    if (!bar)
        return {0, in.dataRows, base + (in.headerRows + in.dataRows) * in.rowHeight};
    const bool keep = (in.edges.left || in.edges.right) && !(in.edges.top || in.edges.bottom);
    Span span{std::clamp(in.topRow, 0, std::max(in.dataRows - 1, 0)), 0, base};
    if (keep) {
        span.count = std::clamp(in.shownRows, std::min(1, in.dataRows), in.dataRows - span.first);
    } else {
        span.count = std::min(1, in.dataRows);
        while (span.count < in.dataRows && base + (in.headerRows + span.count + 1) * in.rowHeight <= in.dragged.height)
            ++span.count;
        span.first = std::max(0, std::min(span.first, in.dataRows - span.count));
    }
    span.size = base + (in.headerRows + span.count) * in.rowHeight;
    return span;
}

std::int64_t Excess(const TSnapResult& c, const TSnapRect& r)
{
    const std::int64_t w = c.rect.width, h = c.rect.height, W = r.width, H = r.height;
    if (w <= W && h <= H)
        return 0;
    if (w <= W)
        return W * (h - H);
    if (h <= H)
        return H * (w - W);
    return w * h - W * H;
}

TSnapResult Candidate(const TSnapInput& in, bool horizontal, bool vertical)
{
    const Span cols = FitColumns(in, horizontal, in.chromeWidth + (vertical ? in.verticalBarWidth : 0));
    const Span rows = FitRows(in, vertical, in.chromeHeight + (horizontal ? in.horizontalBarHeight : 0));
    TSnapResult c;
    c.horizontalBar = horizontal;
    c.verticalBar = vertical;
    c.leftColumn = cols.first;
    c.shownColumns = cols.count;
    c.rect.width = std::max(cols.size, in.minimumWidth);
    c.topRow = rows.first;
    c.shownRows = rows.count;
    c.rect.height = rows.size;
    return c;
}

} // namespace

TSnapResult SnapTableWindow(const TSnapInput& input)
{
    if (input.columnWidths.empty())
        throw ETableError("There must be at least 2 columns in grid");
    const TSnapResult candidates[] = {Candidate(input, false, false), Candidate(input, true, false),
                                      Candidate(input, false, true), Candidate(input, true, true)};
    const TSnapResult* best = &candidates[0];
    for (const TSnapResult& c : candidates)
        if (Excess(c, input.dragged) < Excess(*best, input.dragged))
            best = &c;
    TSnapResult result = *best;
    const TSnapRect& d = input.dragged;
    result.rect.x = input.edges.left ? d.x + d.width - result.rect.width : d.x;
    result.rect.y = input.edges.top ? d.y + d.height - result.rect.height : d.y;
    return result;
}

TGridCell NextCellOnEnter(TGridCell current, int rowCount, int columnCount)
{
    if (current.row < rowCount - 1)
        return {current.row + 1, current.column};
    if (current.column < columnCount - 1)
        return {0, current.column + 1};
    return {0, 0};
}

} // namespace veldo
