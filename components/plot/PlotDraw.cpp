// Drawing of the plot on the window, a printed page or a bitmap.
#include "LayerPatterns.h"
#include "NumText.h"
#include "PlotForm.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace veldo {

namespace {

// The plot's face at `factor` tenths of the window font, on a surface of ppiY.
QFont plotFont(int weight, int factor, int ppiY)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(std::max(1, ScaledFontHeight(CanvasFontHeight(ppiY), factor)));
    f.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    return f;
}

// Moves one edge (&TPixelRect::Top or &TPixelRect::Bottom) of the plot area with its
// panels and layer strip.
void setAreaEdge(TPlotGeometry& g, int TPixelRect::*edge, int value)
{
    g.PlotRect.*edge = value;
    g.LayerStripRect.*edge = value;
    for (TPixelRect& r : g.Panels)
        r.*edge = value;
}

QRect toQRect(const TPixelRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

// Outlined rectangle covering left..right-1 and top..bottom-1, border included.
QRect outlineRect(int left, int top, int right, int bottom) { return {left, top, right - left - 1, bottom - top - 1}; }

// One drawing of the plot with one geometry.
class TPlotDrawing {
public:
    TPlotDrawing(QPainter& painter, const TPlotForm& form, const TPlotGeometry& g)
        : p_(painter), form_(form), plot_(form.Plot()), g_(g)
    {
    }

    void Paint()
    {
        thin_ = MinimumLineWidth(g_.PixelsPerInchX);
        const long long base = std::max<long long>(RoundEven(g_.PixelsPerInchX / 300.0L) + 1, thin_);
        curvePen_ = QPen(Qt::black, static_cast<qreal>(base * plot_.WidthLine));
        p_.setRenderHint(QPainter::Antialiasing, false);
        p_.setPen(Qt::NoPen);
        p_.setBrush(Qt::white);
        p_.drawRect(toQRect(g_.PageRect));
        p_.setPen(curvePen_);
        if (g_.PageRect.Width() < g_.PixelsPerInchX || g_.PageRect.Height() < g_.PixelsPerInchY)
            return;
        if (plot_.ShowThree) {
            ThreeTitles();
            for (int a = 0; a < 3; ++a)
                Axes(a, g_.Panels[static_cast<std::size_t>(a)]);
            Curves(plot_.Curves, 0, g_.Panels[0]);
            Curves(plot_.CurvesPanel2, 1, g_.Panels[1]);
            Curves(plot_.CurvesPanel3, 2, g_.Panels[2]);
        } else {
            SingleTitles();
            Axes(0, g_.PlotRect);
            Curves(plot_.Curves, 0, g_.PlotRect);
        }
        if (g_.HardCopy && plot_.ShowLegend)
            DrawLegend();
        if (plot_.ShowLayers)
            DrawLayers();
        Frames();
    }

private:
    QFont Font(int weight, int factor) const { return plotFont(weight, factor, g_.PixelsPerInchY); }

    void Select(const QFont& font) { p_.setFont(font); }
    QFontMetrics Metrics() const { return QFontMetrics(p_.font(), p_.device()); }
    int TextWidth(const QString& s) const { return Metrics().horizontalAdvance(s); }
    int TextHeight() const { return Metrics().height(); }

    // Text with its top-left corner at (x, y).
    void Text(int x, int y, const QString& s) { p_.drawText(QPoint(x, y + Metrics().ascent()), s); }

    // Text reading upward; (x, y) is the text's top-left corner before turning.
    void TextUp(int x, int y, const QString& s)
    {
        p_.save();
        p_.translate(x, y);
        p_.rotate(-90);
        p_.drawText(QPoint(0, Metrics().ascent()), s);
        p_.restore();
    }

    int Sfh() const { return g_.Sfh; }
    bool TitleAtTop() const { return !plot_.GraphTitle.isEmpty() && plot_.GraphTitleOnTop; }
    bool TitleAtBottom() const { return !plot_.GraphTitle.isEmpty() && !plot_.GraphTitleOnTop; }

    void GraphTitle()
    {
        if (plot_.GraphTitle.isEmpty())
            return;
        Text(g_.GraphTitleRect.Left, g_.GraphTitleRect.Top, plot_.GraphTitle);
    }

    void SingleTitles()
    {
        Select(Font(700, plot_.SizeFont));
        Text(g_.XTitleRect.Left, g_.XTitleRect.Top, AxisTitle(plot_.XCaption, plot_.XUnits, plot_.Units()));
        GraphTitle();
        TextUp(g_.YTitleRect.Left, g_.YTitleRect.Bottom, AxisTitle(plot_.YCaption, plot_.YUnits, plot_.Units()));
    }

    void ThreeTitles()
    {
        Select(Font(700, plot_.SizeFont));
        GraphTitle();
        const TPixelRect& pg = g_.PageRect;
        const TUnitSystem units = plot_.Units();
        const std::array<QString, 3> xs{AxisTitle(plot_.XCaption, plot_.XUnits, units),
                                        AxisTitle(plot_.XCaption2, plot_.XUnits2, units),
                                        AxisTitle(plot_.XCaption3, plot_.XUnits3, units)};
        const std::array<QString, 3> ys{AxisTitle(plot_.YCaption, plot_.YUnits, units),
                                        AxisTitle(plot_.YCaption2, plot_.YUnits2, units),
                                        AxisTitle(plot_.YCaption3, plot_.YUnits3, units)};
        const int ppiY = g_.PixelsPerInchY;
        int y = 0;
        if (plot_.XOnTop)
            y = pg.Top + ppiY / 16 + (TitleAtTop() ? ppiY / 4 : 0);
        else
            y = pg.Bottom - ppiY / 16 - TextHeight() - (TitleAtBottom() ? ppiY / 4 : 0);
        for (std::size_t i = 0; i < 3; ++i) {
            const TPixelRect& panel = g_.Panels[i];
            Text((std::abs(panel.Left + panel.Right) - TextWidth(xs[i])) / 2, y, xs[i]);
            const int x = panel.Left - g_.PixelsPerInchX / 8 - 2 * Sfh();
            const int yy = g_.BitmapOutput ? (g_.PlotRect.Bottom + g_.PlotRect.Top + TextHeight()) / 2
                                           : (pg.Bottom + pg.Top + TextWidth(ys[i])) / 2;
            TextUp(x, yy, ys[i]);
        }
    }

    const TExtents& AreaExtents(int area) const { return form_.Extents[static_cast<std::size_t>(area)]; }

    QPoint Pixel(int area, const TPixelRect& rect, long double x, long double y) const
    {
        return FloatToPixel(AreaExtents(area), rect, plot_.XOnTop, TFloatPoint{x, y});
    }

    void Axes(int area, const TPixelRect& r)
    {
        const auto ticks = ComputeTicks(AreaExtents(area), r, Sfh());
        if (!ticks)
            return;
        const QPen saved = p_.pen();
        const QPen solid(Qt::black, thin_, Qt::SolidLine);
        const QPen dotted(Qt::black, thin_, Qt::DotLine);
        const QFont labelFont = Font(400, plot_.SizeFont);
        const int ppiX = g_.PixelsPerInchX;
        const int ppiY = g_.PixelsPerInchY;
        const TExtents& e = AreaExtents(area);
        p_.setPen(solid);
        if (ticks->LastX != ticks->FirstX) {
            for (int k = ticks->FirstX; k <= ticks->LastX; ++k) {
                const long double value = k * ticks->Step.X;
                const int x = Pixel(area, r, value, e.MinY).x();
                if (x < r.Left || x > r.Right)
                    continue;
                if (k % kTicksPerLabel == 0) {
                    p_.setPen(dotted);
                    p_.drawLine(x, r.Top, x, r.Bottom);
                    Select(labelFont);
                    const QString label = AxisLabel(value);
                    const int y = plot_.XOnTop ? r.Top - TextHeight() - ppiY / 32 : r.Bottom + ppiY / 16;
                    Text(x - TextWidth(label) / 2, y, label);
                    p_.setPen(solid);
                }
                if (plot_.XOnTop)
                    p_.drawLine(x, r.Top, x, r.Top + ppiY / 16);
                else
                    p_.drawLine(x, r.Bottom, x, r.Bottom - ppiY / 16);
            }
        }
        if (ticks->LastY != ticks->FirstY) {
            for (int k = ticks->FirstY; k <= ticks->LastY; ++k) {
                const long double value = k * ticks->Step.Y;
                const int y = Pixel(area, r, e.MinX, value).y();
                if (y < r.Top || y > r.Bottom)
                    continue;
                if (k % kTicksPerLabel == 0) {
                    p_.setPen(dotted);
                    p_.drawLine(r.Left, y, r.Right, y);
                    Select(labelFont);
                    const QString label = AxisLabel(value);
                    TextUp(r.Left - TextHeight() - ppiX / 32, y + TextWidth(label) / 2, label);
                    p_.setPen(solid);
                }
                p_.drawLine(r.Left, y, r.Left + ppiX / 16, y);
            }
        }
        p_.setPen(saved);
    }

    // Marker n around each pixel, all in one call.
    void Markers(const std::vector<QPoint>& at, int n)
    {
        const std::vector<QPoint> shape = MarkerOutline(QPoint(0, 0), n, g_.PixelsPerInchX, g_.PixelsPerInchY);
        std::vector<QLine> lines;
        lines.reserve(at.size() * (shape.size() - 1));
        for (const QPoint& c : at)
            for (std::size_t v = 1; v < shape.size(); ++v)
                lines.emplace_back(c + shape[v - 1], c + shape[v]);
        p_.drawLines(lines.data(), static_cast<int>(lines.size()));
    }

    void Marker(QPoint at, int n) { Markers({at}, n); }

    // Curves of one list in one area; flags and colours come from the main list.
    void Curves(const TLineList& list, int area, const TPixelRect& rect)
    {
        p_.setClipRect(toQRect(rect));
        if (!list.empty() && list.front().PointCount() > 1) {
            for (std::size_t i = 0; i < list.size(); ++i) {
                const TLine* flags = i < plot_.Curves.size() ? &plot_.Curves[i] : nullptr;
                if (flags && !flags->Active)
                    continue;
                if (!flags || flags->Visible)
                    Curve(list[i], area, rect, CurveColor(plot_, i), static_cast<int>(i) + 1);
            }
        }
        p_.setPen(QPen(Qt::black, curvePen_.widthF()));
        p_.setBrush(Qt::white);
        p_.setClipRect(toQRect(g_.PageRect));
    }

    void Curve(const TLine& line, int area, const TPixelRect& rect, const QColor& colour, int marker)
    {
        QPen pen = curvePen_;
        pen.setColor(colour);
        p_.setPen(pen);
        p_.setBrush(colour);
        QPolygon path;
        path.reserve(line.PointCount());
        std::vector<QPoint> marks;
        const int every = MarkerInterval(plot_.Markers, line.PointCount());
        for (int d = 0; d < line.PointCount(); ++d) {
            const TFloatPoint& pt = line.Points[static_cast<std::size_t>(d)];
            if (!std::isfinite(pt.X) || !std::isfinite(pt.Y))
                continue;
            const QPoint px = Pixel(area, rect, pt.X, pt.Y);
            path << px;
            if (every > 0 && d % every == 0)
                marks.push_back(px);
        }
        p_.drawPolyline(path);
        Markers(marks, marker);
    }

    void DrawLegend()
    {
        const TLegendBox* box = form_.Legend();
        const std::vector<int>& curves = form_.LegendCurves();
        std::vector<int> entries;
        for (std::size_t j = 0; j < curves.size() && j < box->Items.size(); ++j)
            if (form_.CurveVisible(curves[j]))
                entries.push_back(static_cast<int>(j));
        p_.setPen(QPen(Qt::black, curvePen_.widthF()));
        p_.setBrush(Qt::white);
        Select(Font(400, plot_.SizeFont));
        const int h = TextHeight();
        const int ppiX = g_.PixelsPerInchX;
        const int ppiY = g_.PixelsPerInchY;
        const TPixelRect& box_ = g_.LegendRect;
        p_.drawRect(outlineRect(box_.Left, box_.Top, box_.Right, box_.Bottom));
        const int x = box_.Left + ppiX / 16;
        int y = box_.Top + ppiY / 32;
        for (int j : entries) {
            p_.setPen(QPen(PlotColor(j), curvePen_.widthF()));
            Marker(QPoint(x, y + h / 2), curves[static_cast<std::size_t>(j)] + 1);
            Text(x + ppiX / 16, y, box->Items[static_cast<std::size_t>(j)]);
            y += ppiY / 32 + h;
        }
        p_.setPen(QPen(Qt::black, curvePen_.widthF()));
    }

    // Number of layer curves drawn as bands (the wall curve and its partner are not).
    int LayerBandCount() const
    {
        const int n = plot_.LayerCurveCount();
        if (plot_.WallLineCount > 0)
            return std::max(0, plot_.ShowWall ? n - 1 : n - 2);
        return n;
    }

    void DrawLayers()
    {
        const TPixelRect& s = g_.LayerStripRect;
        p_.setClipRect(toQRect(s));
        if (!plot_.LayerCurves.empty() && plot_.LayerCurves.front().PointCount() > 0) {
            const TExtents& e = AreaExtents(0);
            const auto row = [&](long double depth) { return Pixel(0, g_.PlotRect, e.MinX, depth).y(); };
            int upper = row(plot_.LayerTop);
            const bool wall = plot_.ShowWall && plot_.WallLineCount > 0 &&
                              plot_.WallLineCount < plot_.LayerCurveCount() &&
                              plot_.LayerCurves[static_cast<std::size_t>(plot_.WallLineCount)].PointCount() > 0;
            const int barLeft = s.Left + s.Width() * 2 / 5;
            const int barRight = s.Left + s.Width() * 3 / 5;
            const int bands = LayerBandCount();
            for (int i = 0; i < bands; ++i) {
                const TLine& line = plot_.LayerCurves[static_cast<std::size_t>(i)];
                for (const TFloatPoint& pt : line.Points) {
                    int lower = std::min(row(pt.Y), g_.PlotRect.Bottom);
                    if (i < bands - 1)
                        lower += 1;
                    p_.setPen(QPen(Qt::black, thin_));
                    p_.setBrush(LayerBrush(static_cast<int>(std::lrint(static_cast<double>(pt.X))),
                                           g_.HardCopy && !g_.BitmapOutput, g_.PixelsPerInchX));
                    if (wall) {
                        p_.drawRect(outlineRect(s.Left, upper, barLeft, lower));
                        p_.drawRect(outlineRect(barRight, upper, s.Right - 1, lower));
                    } else {
                        p_.drawRect(outlineRect(s.Left, upper, s.Right - 1, lower));
                        BandName(line.GetName(), s.Left, upper, s.Right - 1, lower);
                    }
                    upper = lower;
                }
            }
            if (wall) {
                const TLine& w = plot_.LayerCurves[static_cast<std::size_t>(plot_.WallLineCount)];
                p_.setPen(Qt::NoPen);
                p_.setBrush(QColor(128, 128, 128));
                p_.drawRect(QRect(barLeft, s.Top, barRight - barLeft, row(w.Points.front().Y) - s.Top));
            }
        }
        p_.setPen(QPen(Qt::black, curvePen_.widthF()));
        p_.setBrush(Qt::white);
        p_.setClipRect(toQRect(g_.PageRect));
    }

    void BandName(const QString& name, int left, int top, int right, int bottom)
    {
        Select(Font(400, 10));
        const int w = TextWidth(name);
        const int h = TextHeight();
        const int x = (left + right - w) / 2;
        const int y = (top + bottom - h) / 2;
        p_.fillRect(QRect(x, y, w, h), Qt::white);
        p_.setPen(Qt::black);
        Text(x, y, name);
    }

    void Frames()
    {
        p_.setClipping(false);
        p_.setPen(QPen(Qt::black, thin_, Qt::SolidLine));
        p_.setBrush(Qt::NoBrush);
        if (plot_.ShowThree) {
            for (const TPixelRect& r : g_.Panels)
                p_.drawRect(toQRect(r));
        } else {
            p_.drawRect(toQRect(g_.PlotRect));
        }
    }

    QPainter& p_;
    const TPlotForm& form_;
    const TGraphPlot& plot_;
    const TPlotGeometry& g_;
    QPen curvePen_;
    int thin_ = 1;
};

} // namespace

void TPlotForm::PaintPlot(QPainter& painter, const TPlotGeometry& geometry) const
{
    TPlotDrawing(painter, *this, geometry).Paint();
}

void TPlotForm::PlaceTexts(const QPaintDevice& device, TPlotGeometry& g) const
{
    const QFontMetrics bold(plotFont(700, plot_.SizeFont, g.PixelsPerInchY), &device);
    const QFontMetrics normal(plotFont(400, plot_.SizeFont, g.PixelsPerInchY), &device);
    const TPixelRect& pg = g.PageRect;
    const int h = bold.height();
    const int gap = g.Sfh / 8;
    const bool title = !plot_.GraphTitle.isEmpty();
    g.GraphTitleRect = {};
    if (title) {
        const int w = bold.horizontalAdvance(plot_.GraphTitle);
        const int x = (pg.Right + pg.Left - w) / 2;
        const int y = plot_.GraphTitleOnTop ? pg.Top : pg.Bottom - h;
        g.GraphTitleRect = {x, y, x + w, y + h};
    }
    if (plot_.ShowThree)
        return;

    const QString xTitle = AxisTitle(plot_.XCaption, plot_.XUnits, plot_.Units());
    const int xw = bold.horizontalAdvance(xTitle);
    const int xLeft = (std::abs(pg.Right + pg.Left) - xw) / 2;
    const int labels = normal.height();
    if (plot_.XOnTop) {
        const int y = title && plot_.GraphTitleOnTop ? g.GraphTitleRect.Bottom + gap : pg.Top;
        g.XTitleRect = {xLeft, y, xLeft + xw, y + h};
        // The x tick labels stand between the title and the plot area.
        setAreaEdge(g, &TPixelRect::Top,
                    std::max(g.PlotRect.Top, g.XTitleRect.Bottom + labels + g.PixelsPerInchY / 32 + gap));
    } else {
        const int bottom = title && !plot_.GraphTitleOnTop ? g.GraphTitleRect.Top - gap : pg.Bottom;
        g.XTitleRect = {xLeft, bottom - h, xLeft + xw, bottom};
        setAreaEdge(g, &TPixelRect::Bottom,
                    std::min(g.PlotRect.Bottom, g.XTitleRect.Top - labels - g.PixelsPerInchY / 16 - gap));
    }
    const QString yTitle = AxisTitle(plot_.YCaption, plot_.YUnits, plot_.Units());
    const int yw = bold.horizontalAdvance(yTitle);
    const int yBottom = (pg.Bottom + pg.Top + yw) / 2;
    g.YTitleRect = {pg.Left, yBottom - yw, pg.Left + h, yBottom};
}

QSize TPlotForm::HardCopyLegendSize(const QPaintDevice& device, const TPlotGeometry& g) const
{
    const QFontMetrics metrics(plotFont(400, plot_.SizeFont, g.PixelsPerInchY), &device);
    int widest = 0;
    int count = 0;
    for (std::size_t j = 0; j < legendCurves_.size() && j < legend_->Items.size(); ++j) {
        if (!CurveVisible(legendCurves_[j]))
            continue;
        widest = std::max(widest, metrics.horizontalAdvance(legend_->Items[j]));
        ++count;
    }
    return {widest + 3 * g.PixelsPerInchX / 16,
            count * (g.PixelsPerInchY / 32 + metrics.height()) + g.PixelsPerInchY / 32};
}

} // namespace veldo
