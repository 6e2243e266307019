#include "PlotScale.h"

#include "NumText.h"
#include "UnitWords.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace veldo {

namespace {

// Pixel values are kept well inside the range a painter handles.
constexpr long double kPixelLimit = 1 << 24;

int toPixel(long double v) { return static_cast<int>(RoundEven(std::clamp(v, -kPixelLimit, kPixelLimit))); }

struct AxisRange {
    long double min = 0;
    long double max = 0;
};

// Widens an empty range and rounds both bounds outward to the range's rounding step.
std::optional<AxisRange> roundRange(AxisRange r)
{
    if (r.max == r.min) {
        r.max += 0.01L;
        r.min -= 0.01L;
    }
    const auto step = RangeRoundingStep(r.max - r.min);
    if (!step)
        return std::nullopt;
    return AxisRange{*step * RoundAwayFromZero(r.min / *step), *step * RoundAwayFromZero(r.max / *step)};
}

// Major tick step for about n labels over a range.
long double majorStep(long double range, int n)
{
    const long double raw = range / n;
    const long double g = std::pow(10.0L, std::floor(std::log10(raw)));
    const long double k = std::trunc(raw / g);
    long double major = raw;
    if (k <= 1)
        major = g;
    else if (k <= 4)
        major = 2 * g;
    else if (k <= 8)
        major = 5 * g;
    else if (k <= 10)
        major = 10 * g;
    return major;
}

bool isMultiple(long double value, long double step)
{
    const long double q = value / step;
    return std::fabs(q - std::round(q)) < 1e-6L;
}

// The labelled step: the major step, or else the largest smaller step of the 1-2-5
// series that lands on both ends of the range, so that both ends carry a label. A
// power of ten at or below the range's rounding step always does.
long double labelledStep(long double min, long double max, int n)
{
    const long double major = majorStep(max - min, n);
    const auto landsOnBoth = [&](long double step) { return isMultiple(min, step) && isMultiple(max, step); };
    if (!(major > 0) || !std::isfinite(major) || landsOnBoth(major))
        return major;
    const long double decade = std::pow(10.0L, std::floor(std::log10(major) + 1e-9L));
    for (const long double factor : {5.0L, 2.0L, 1.0L, 0.5L, 0.2L, 0.1L}) {
        const long double step = factor * decade;
        if (step < major && landsOnBoth(step))
            return step;
    }
    return major;
}

// First and last integer multiple of the step inside [min, max]; a bound within
// a millionth of a step of a multiple counts as that multiple.
std::pair<int, int> tickRange(long double step, long double min, long double max)
{
    constexpr long double tolerance = 1e-6L;
    constexpr long double limit = 1 << 30;
    const long double first = std::ceil(std::clamp(min / step, -limit, limit) - tolerance);
    const long double last = std::floor(std::clamp(max / step, -limit, limit) + tolerance);
    return {static_cast<int>(first), static_cast<int>(last)};
}

TPixelRect plotRectOnScreen(const TPixelRect& page, int ppiX, int ppiY, int sfh, bool xOnTop)
{
    TPixelRect r;
    r.Left = 2 * sfh + ppiX / 8 + sfh / 8;
    r.Right = page.Right - ppiX / 4 - sfh / 2;
    if (xOnTop) {
        r.Top = 2 * sfh + ppiY / 8 + sfh / 8;
        r.Bottom = page.Bottom - ppiY / 4 - sfh / 2;
    } else {
        r.Top = sfh / 2 + ppiY / 4;
        r.Bottom = page.Bottom - 2 * sfh - ppiY / 8 - sfh / 8;
    }
    return r;
}

// Moves the plot's right edge left by `room` and puts the layer strip in the freed space.
void placeLayerStrip(TPlotGeometry& g, int room)
{
    const int oldRight = g.PlotRect.Right;
    g.PlotRect.Right -= room;
    g.LayerStripRect = {g.PlotRect.Right + g.PixelsPerInchX / 5, g.PlotRect.Top, oldRight, g.PlotRect.Bottom};
}

void placePanels(TPlotGeometry& g)
{
    const TPixelRect& p = g.PlotRect;
    const int w = (p.Right - p.Left - 4 * g.Sfh - g.PixelsPerInchX / 2) / 3;
    const int gap = 2 * g.Sfh + g.PixelsPerInchX / 4;
    g.Panels[0] = {p.Left, p.Top, p.Left + w, p.Bottom};
    g.Panels[1] = {g.Panels[0].Right + gap, p.Top, g.Panels[0].Right + gap + w, p.Bottom};
    g.Panels[2] = {g.Panels[1].Right + gap, p.Top, p.Right, p.Bottom};
}

TPlotGeometry baseGeometry(const TPixelRect& page, int ppiX, int ppiY, int sfh)
{
    TPlotGeometry g;
    g.PageRect = page;
    g.PixelsPerInchX = ppiX;
    g.PixelsPerInchY = ppiY;
    g.Sfh = sfh;
    return g;
}

int marginPixels(int thousandths, int ppi, int offset)
{
    const long long px = RoundEven(static_cast<long double>(thousandths) * ppi / 1000);
    return static_cast<int>(std::max<long long>(px, offset));
}

} // namespace

long long RoundEven(long double x) { return std::llrint(x); }

long double RoundAwayFromZero(long double x) { return x > 0 ? std::ceil(x) : std::floor(x); }

std::optional<long double> RangeRoundingStep(long double range)
{
    if (!(range > 0) || !std::isfinite(range))
        return std::nullopt;
    const long double lg = std::log10(range);
    const long double whole = std::floor(lg);
    long double step = std::pow(10.0L, whole);
    if (lg - whole < std::log10(3.0L))
        step /= 10;
    if (!(step > 0) || !std::isfinite(step))
        return std::nullopt;
    return step;
}

std::optional<TExtents> ComputeExtents(const TLineList& curves)
{
    AxisRange x, y;
    for (const TLine& line : curves) {
        for (const TFloatPoint& p : line.Points) {
            if (!std::isfinite(p.X) || !std::isfinite(p.Y))
                continue;
            if (p.X < x.min)
                x.min = p.X;
            else if (p.X > x.max)
                x.max = p.X;
            if (p.Y < y.min)
                y.min = p.Y;
            else if (p.Y > y.max)
                y.max = p.Y;
        }
    }
    const auto ry = roundRange(y);
    const auto rx = roundRange(x);
    if (!ry || !rx)
        return std::nullopt;
    return TExtents{rx->min, rx->max, ry->min, ry->max};
}

std::optional<TAreaExtents> PlotExtents(const TGraphPlot& plot)
{
    TAreaExtents result;
    const std::array<const TLineList*, 3> lists{&plot.Curves, &plot.CurvesPanel2, &plot.CurvesPanel3};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const auto e = ComputeExtents(*lists[i]);
        if (!e)
            return std::nullopt;
        result[i] = *e;
    }
    return result;
}

std::optional<TTicks> ComputeTicks(const TExtents& e, const TPixelRect& area, int sfh)
{
    if (sfh <= 0)
        return std::nullopt;
    const int nx = std::abs(area.Width()) / (6 * sfh);
    const int ny = std::abs(area.Height()) / (6 * sfh);
    if (nx == 0 || ny == 0)
        return std::nullopt;
    TTicks t;
    t.Step.X = labelledStep(e.MinX, e.MaxX, nx) / kTicksPerLabel;
    t.Step.Y = labelledStep(e.MinY, e.MaxY, ny) / kTicksPerLabel;
    for (long double s : {t.Step.X, t.Step.Y}) {
        if (!(s > 0) || !std::isfinite(s))
            return std::nullopt;
    }
    std::tie(t.FirstX, t.LastX) = tickRange(t.Step.X, e.MinX, e.MaxX);
    std::tie(t.FirstY, t.LastY) = tickRange(t.Step.Y, e.MinY, e.MaxY);
    return t;
}

QPoint FloatToPixel(const TExtents& e, const TPixelRect& a, bool xOnTop, const TFloatPoint& p)
{
    const int px = toPixel((p.X - e.MinX) / (e.MaxX - e.MinX) * a.Width()) + a.Left;
    const int dy = toPixel((p.Y - e.MinY) / (e.MaxY - e.MinY) * a.Height());
    return {px, xOnTop ? a.Top + dy : a.Bottom - dy};
}

TFloatPoint PixelToFloat(const TExtents& e, const TPixelRect& a, bool xOnTop, QPoint pixel)
{
    if (pixel.x() < a.Left || pixel.x() > a.Right || a.Width() == 0 || a.Height() == 0)
        return {};
    TFloatPoint p;
    p.X = static_cast<long double>(pixel.x() - a.Left) / a.Width() * (e.MaxX - e.MinX) + e.MinX;
    const long double f = xOnTop ? static_cast<long double>(pixel.y() - a.Top) / a.Height()
                                 : static_cast<long double>(a.Bottom - pixel.y()) / a.Height();
    p.Y = e.MinY + f * (e.MaxY - e.MinY);
    return p;
}

int CanvasFontHeight(int pixelsPerInchY) { return 14 * pixelsPerInchY / 96; }

int ScaledFontHeight(int fontHeight, int factor) { return std::abs(fontHeight * factor / 10); }

TPlotGeometry ScreenLayout(int clientWidth, int clientHeight, int ppiX, int ppiY, int sfh, const TLayoutOptions& o)
{
    TPlotGeometry g = baseGeometry({0, 0, clientWidth, clientHeight}, ppiX, ppiY, sfh);
    g.PlotRect = plotRectOnScreen(g.PageRect, ppiX, ppiY, sfh, o.XOnTop);
    g.PlotRect.Right -= o.ReserveRight;
    if (o.HasTitle) {
        if (o.TitleOnTop)
            g.PlotRect.Top += sfh / 8 + sfh;
        else
            g.PlotRect.Bottom -= sfh;
    }
    if (o.ShowLayers)
        placeLayerStrip(g, ppiX);
    placePanels(g);
    return g;
}

TPlotGeometry PrintLayout(const TPrintPage& pg, int sfh, const TLayoutOptions& o)
{
    const int ml = marginPixels(pg.MarginLeft, pg.PixelsPerInchX, pg.OffsetX);
    const int mr = marginPixels(pg.MarginRight, pg.PixelsPerInchX, pg.OffsetX);
    const int mt = marginPixels(pg.MarginTop, pg.PixelsPerInchY, pg.OffsetY);
    const int mb = marginPixels(pg.MarginBottom, pg.PixelsPerInchY, pg.OffsetY);
    const TPixelRect page{ml - pg.OffsetX, mt - pg.OffsetY, pg.Width + pg.OffsetX - mr, pg.Height + pg.OffsetY - mb};
    TPlotGeometry g = baseGeometry(page, pg.PixelsPerInchX, pg.PixelsPerInchY, sfh);
    g.HardCopy = true;
    const int ppi = pg.PixelsPerInchX;
    const int band = 2 * sfh + ppi / 8 + sfh / 8;
    g.PlotRect = {band + page.Left, page.Top, page.Right - o.ReserveRight, page.Bottom};
    if (o.XOnTop)
        g.PlotRect.Top = band + page.Top;
    else
        g.PlotRect.Bottom = page.Bottom - band;
    if (o.HasTitle) {
        if (o.TitleOnTop)
            g.PlotRect.Top += pg.PixelsPerInchY / 4;
        else
            g.PlotRect.Bottom -= pg.PixelsPerInchY / 2;
    }
    if (o.ShowLayers)
        placeLayerStrip(g, ppi);
    placePanels(g);
    return g;
}

TPlotGeometry BitmapLayout(int width, int height, int ppiX, int ppiY, int sfh, const TLayoutOptions& o)
{
    TPlotGeometry g = ScreenLayout(width, height, ppiX, ppiY, sfh, o);
    g.HardCopy = true;
    g.BitmapOutput = true;
    return g;
}

std::optional<TPixelRect> LegendCorner(const TPixelRect& area, int width, int height, const std::vector<QPoint>& points,
                                       int inset)
{
    const int left = area.Left + inset;
    const int right = area.Right - inset - width;
    const int top = area.Top + inset;
    const int bottom = area.Bottom - inset - height;
    const std::array<QPoint, 4> corners{QPoint(right, bottom), QPoint(right, top), QPoint(left, bottom),
                                        QPoint(left, top)};
    std::optional<TPixelRect> best;
    std::size_t fewest = points.size() + 1;
    for (const QPoint& c : corners) {
        const TPixelRect r{c.x(), c.y(), c.x() + width, c.y() + height};
        const auto covered = static_cast<std::size_t>(std::count_if(points.begin(), points.end(), [&](QPoint p) {
            return p.x() >= r.Left && p.x() <= r.Right && p.y() >= r.Top && p.y() <= r.Bottom;
        }));
        if (covered < fewest) {
            fewest = covered;
            best = r;
        }
    }
    // More than 2 % of the points hidden in every corner: none will do.
    if (best && fewest * 50 > points.size())
        return std::nullopt;
    return best;
}

TRange ZoomInAxis(long double a, long double b, const TRange& full)
{
    TRange r{std::min(a, b), std::max(a, b)};
    const long double fullWidth = full.Max - full.Min;
    if (fullWidth > 20 * (r.Max - r.Min)) {
        const long double centre = (r.Min + r.Max) / 2;
        const long double half = fullWidth / 40;
        r = {centre - half, centre + half};
        if (r.Min < full.Min)
            r = {full.Min, full.Min + 2 * half};
        else if (r.Max > full.Max)
            r = {full.Max - 2 * half, full.Max};
    }
    return r;
}

TRange ZoomOutAxis(const TRange& current, const TRange& full, long double at)
{
    const long double h = std::min(current.Max - current.Min, (full.Max - full.Min) / 2);
    const long double v = std::clamp(at, full.Min + h, std::max(full.Min + h, full.Max - h));
    return {v - h, v + h};
}

int MarkerShape(int n)
{
    if (n <= 10)
        return std::max(n, 1);
    const int m = n % 10;
    return m == 0 ? 10 : m;
}

std::vector<QPoint> MarkerOutline(QPoint centre, int n, int ppiX, int ppiY)
{
    constexpr long double pi = std::numbers::pi_v<long double>;
    const int shape = MarkerShape(n);
    std::vector<long double> angles;
    if (shape == kTriangleMarker) {
        angles = {pi, pi + 2 * pi / 3, pi + 4 * pi / 3};
    } else if (shape == kSquareMarker) {
        for (int k = 0; k < 4; ++k)
            angles.push_back(pi / 4 + k * pi / 2);
    } else {
        for (int k = 0; k < shape; ++k)
            angles.push_back(k * 2 * pi / shape);
    }
    const int rx = ppiX / 32;
    const int ry = ppiY / 32;
    std::vector<QPoint> outline;
    for (long double a : angles)
        outline.emplace_back(centre.x() + static_cast<int>(RoundEven(std::sin(a) * rx)),
                             centre.y() - static_cast<int>(RoundEven(std::cos(a) * ry)));
    outline.push_back(outline.front());
    return outline;
}

namespace {

// Black and the dark colours of the classic table; yellow, silver, aqua, lime and
// the second grey are left out (they do not read on white, or repeat).
const std::array<QColor, 11>& plotColors()
{
    static const std::array<QColor, 11> colors{QColor(0, 0, 0),     QColor(0, 0, 255),    QColor(255, 0, 0),
                                               QColor(0, 128, 0),   QColor(128, 0, 128),  QColor(128, 0, 0),
                                               QColor(0, 0, 128),   QColor(255, 0, 255),  QColor(128, 128, 0),
                                               QColor(0, 128, 128), QColor(128, 128, 128)};
    return colors;
}

} // namespace

int PlotColorCount() { return static_cast<int>(plotColors().size()); }

QColor PlotColor(int index)
{
    const int n = PlotColorCount();
    const int i = index % n;
    return plotColors()[static_cast<std::size_t>(i < 0 ? i + n : i)];
}

QColor CurveColor(const TGraphPlot& plot, std::size_t i)
{
    const auto end = plot.Curves.begin() + static_cast<std::ptrdiff_t>(std::min(i, plot.Curves.size()));
    const auto inactive = std::count_if(plot.Curves.begin(), end, [](const TLine& line) { return !line.Active; });
    return PlotColor(static_cast<int>(static_cast<std::ptrdiff_t>(i) - inactive));
}

int MarkerInterval(int markers, int pointCount)
{
    constexpr int kAutomaticMarks = 25;
    if (markers == TGraphPlot::kAutomaticMarkers)
        return std::max(1, (pointCount + kAutomaticMarks - 1) / kAutomaticMarks);
    return std::max(markers, 0);
}

int MinimumLineWidth(int pixelsPerInch)
{
    constexpr long double quarterMillimetre = 0.25L / 25.4L;
    return std::max(1, static_cast<int>(std::ceil(pixelsPerInch * quarterMillimetre - 1e-9L)));
}

QString AxisLabel(long double value)
{
    if (std::fabs(value) >= 1e6L)
        return QString::fromStdString(formatGeneral4(value));
    if (std::fabs(value) < 1e-300L)
        return QStringLiteral("0");
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(3 - magnitude, 0, 30);
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(value),
                                      std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return QString::fromStdString(text);
}

QString ExpandUnitCodes(const QString& unitTemplate, TUnitSystem units)
{
    if (units == kRawUnits)
        return unitTemplate;
    QString text = unitTemplate;
    ReplaceFirstUnitToken(text, {"F2", "F1", "F"}, units);
    ReplaceFirstUnitToken(text, {"L2", "L1", "L"}, units);
    return text;
}

QString AxisTitle(const QString& caption, const QString& unitTemplate, TUnitSystem units)
{
    if (unitTemplate.isEmpty())
        return caption;
    return caption + QStringLiteral(" (") + ExpandUnitCodes(unitTemplate, units) + QStringLiteral(")");
}

} // namespace veldo
