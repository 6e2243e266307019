// Pure scaling, layout and shape arithmetic of the plot window: value ranges,
// tick steps, value<->pixel mapping, page division, zoom ranges, marker outlines,
// curve colours and unit-code expansion.
#pragma once

#include "PltData.h"
#include "UnitWords.h"

#include <QColor>
#include <QPoint>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace veldo {

// An integer pixel rectangle given by its edges.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TPixelRect&) const = default;
};

// Value range of one area.
struct TExtents {
    long double MinX = 0;
    long double MaxX = 0;
    long double MinY = 0;
    long double MaxY = 0;
};
using TAreaExtents = std::array<TExtents, 3>;

// Minor tick spacing of each axis and the first and last tick index (tick k at k x step).
struct TTicks {
    TFloatPoint Step;
    int FirstX = 0;
    int LastX = 0;
    int FirstY = 0;
    int LastY = 0;
};

// Nearest integer, ties to even.
long long RoundEven(long double x);
// Ceiling for x > 0, else the floor.
long double RoundAwayFromZero(long double x);
// Step that a range's bounds are rounded to; empty when it is zero or not finite.
std::optional<long double> RangeRoundingStep(long double range);
// Range of a curve list, zero included, bounds rounded outward; empty when an
// axis gives no usable step. Non-finite values are skipped.
std::optional<TExtents> ComputeExtents(const TLineList& curves);
// The three areas' ranges (main list, panel 2, panel 3); empty when any fails.
std::optional<TAreaExtents> PlotExtents(const TGraphPlot& plot);
// Tick steps of an area; empty when the area is too small for a tick label. Ticks
// stand at integer multiples of the step; the range's ends count as ticks when they
// lie on one within rounding.
std::optional<TTicks> ComputeTicks(const TExtents& extents, const TPixelRect& area, int sfh);
// Every fifth tick is labelled.
constexpr int kTicksPerLabel = 5;
// Text of a tick label: plain decimals (4 significant digits) below one million,
// the general exponent form above.
QString AxisLabel(long double value);

QPoint FloatToPixel(const TExtents& extents, const TPixelRect& area, bool xOnTop, const TFloatPoint& p);
// Inverse of FloatToPixel without rounding; a pixel outside the area's left..right gives (0, 0).
TFloatPoint PixelToFloat(const TExtents& extents, const TPixelRect& area, bool xOnTop, QPoint pixel);

// Height of the window font on a surface: 14 pixels at 96 pixels per inch.
int CanvasFontHeight(int pixelsPerInchY);
// |fontHeight x factor / 10|, truncated.
int ScaledFontHeight(int fontHeight, int factor);

// What the page division depends on besides the surface.
struct TLayoutOptions {
    bool XOnTop = true;
    bool HasTitle = false;
    bool TitleOnTop = false;
    bool ShowLayers = false;
    bool ShowThree = false;
    // Pixels kept free at the page's right edge (a legend placed outside the frame).
    int ReserveRight = 0;
};

// Geometry of one drawing surface.
struct TPlotGeometry {
    TPixelRect PageRect;
    TPixelRect PlotRect;
    std::array<TPixelRect, 3> Panels;
    TPixelRect LayerStripRect;
    int PixelsPerInchX = 96;
    int PixelsPerInchY = 96;
    int Sfh = 14;
    bool HardCopy = false;
    bool BitmapOutput = false;
    // Where the texts and the legend go (set by the plot window once fonts are known;
    // empty when absent).
    TPixelRect XTitleRect;
    TPixelRect YTitleRect;
    TPixelRect GraphTitleRect;
    TPixelRect LegendRect;
};

// Printed page: margins in thousandths of an inch, printer resolution, physical
// offsets and printable size in printer pixels.
struct TPrintPage {
    int MarginLeft = 1000;
    int MarginTop = 1000;
    int MarginRight = 1000;
    int MarginBottom = 1000;
    int PixelsPerInchX = 600;
    int PixelsPerInchY = 600;
    int OffsetX = 0;
    int OffsetY = 0;
    int Width = 0;
    int Height = 0;
};

TPlotGeometry ScreenLayout(int clientWidth, int clientHeight, int ppiX, int ppiY, int sfh,
                           const TLayoutOptions& options);
TPlotGeometry PrintLayout(const TPrintPage& page, int sfh, const TLayoutOptions& options);
// A bitmap is laid out like the screen at the bitmap's own resolution, the graph
// title included.
TPlotGeometry BitmapLayout(int width, int height, int ppiX, int ppiY, int sfh, const TLayoutOptions& options);

// Where a legend box of the given size goes in a plot area: the corner (bottom right,
// top right, bottom left, top left, first best) that covers the fewest of the curve
// points; nothing when every corner covers more than 2 % of them (the legend then
// belongs outside the frame). Inset by `inset` pixels from the frame.
std::optional<TPixelRect> LegendCorner(const TPixelRect& area, int width, int height, const std::vector<QPoint>& points,
                                       int inset);

// One axis range.
struct TRange {
    long double Min = 0;
    long double Max = 0;
};
// Range between two dragged values, at least a twentieth of the full range, inside it.
TRange ZoomInAxis(long double a, long double b, const TRange& full);
// Range doubled around a value, at most the full range.
TRange ZoomOutAxis(const TRange& current, const TRange& full, long double at);

// Marker shapes: a triangle, a square, else a regular polygon of as many corners as
// the shape number (3 to 10).
constexpr int kTriangleMarker = 1;
constexpr int kSquareMarker = 2;
// Marker shape 1..10 of marker number n (above 10 wraps: 11 gives 1, 20 gives 10).
int MarkerShape(int n);
// Closed outline of marker n around a pixel (first vertex repeated at the end).
std::vector<QPoint> MarkerOutline(QPoint centre, int n, int ppiX, int ppiY);

// Curve colour table (colours that read on white), picked by index modulo its size.
QColor PlotColor(int index);
int PlotColorCount();
// Colour of curve i (from 0) as the plot's window draws it: the active curves
// take the colours in turn (curve i of the second and third panels follows the
// flags of curve i of the first).
QColor CurveColor(const TGraphPlot& plot, std::size_t i);

// A marker at every n-th point of a curve of `pointCount` points (0: none); the
// automatic setting marks about 25 points per curve.
int MarkerInterval(int markers, int pointCount);

// Narrowest line drawn on a surface: 0.25 mm, at least one pixel.
int MinimumLineWidth(int pixelsPerInch);

// Replaces the first force code of F2, F1, F that is present and the first length code
// of L2, L1, L (every occurrence of each); kRawUnits returns the template unchanged.
QString ExpandUnitCodes(const QString& unitTemplate, TUnitSystem units);
// An axis title: the caption, followed by the expanded unit codes in parentheses when
// there are any.
QString AxisTitle(const QString& caption, const QString& unitTemplate, TUnitSystem units);

} // namespace veldo
