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

QString fromStd(const std::string &s)
{
    return QString::fromStdString(s);
}

QRect toQRect(const TPixelRect &r)
{
    return {r.Left, r.Top, r.Width(), r.Height()};
}

// Outlined rectangle covering left..right-1 and top..bottom-1, border included.
QRect outlineRect(int left, int top, int right, int bottom)
{
    return {left, top, right - left - 1, bottom - top - 1};
}

// Axis title: the caption with its expanded unit template in parentheses.
QString axisTitle(const QString &caption, const QString &units, int unitSystem)
{
    if (units.isEmpty())
        return caption;
    return caption + QStringLiteral(" (") + ExpandUnitCodes(units, unitSystem) + QStringLiteral(")");
}

// One drawing of the plot with one geometry.
class TPlotDrawing {
public:
    TPlotDrawing(QPainter &painter, const TPlotForm &form, const TPlotGeometry &g)
        : p_(painter), form_(form), plot_(form.Plot()), g_(g)
    {
    }

    void Paint()
    {
        curvePen_ = QPen(Qt::black, static_cast<qreal>((RoundEven(g_.PixelsPerInchX / 300.0L) + 1) * plot_.WidthLine));
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
        if (g_.HardCopy)
            DrawLegend();
        if (plot_.ShowLayers)
            DrawLayers();
        Frames();
    }

private:
    QFont Font(int weight, int factor) const
    {
        QFont f(QStringLiteral("Times New Roman"));
        f.setPixelSize(std::max(1, ScaledFontHeight(CanvasFontHeight(g_.PixelsPerInchY), factor)));
        f.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
        return f;
    }

    void Select(const QFont &font) { p_.setFont(font); }
    QFontMetrics Metrics() const { return QFontMetrics(p_.font(), p_.device()); }
    int TextWidth(const QString &s) const { return Metrics().horizontalAdvance(s); }
    int TextHeight() const { return Metrics().height(); }

    // Text with its top-left corner at (x, y).
    void Text(int x, int y, const QString &s) { p_.drawText(QPoint(x, y + Metrics().ascent()), s); }

    // Text reading upward; (x, y) is the text's top-left corner before turning.
    void TextUp(int x, int y, const QString &s)
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
        const int w = TextWidth(plot_.GraphTitle);
        const int y = plot_.GraphTitleOnTop ? g_.PageRect.Top : g_.PageRect.Bottom - TextHeight();
        Text((g_.PageRect.Right + g_.PageRect.Left - w) / 2, y, plot_.GraphTitle);
    }

    void SingleTitles()
    {
        Select(Font(700, plot_.SizeFont));
        const TPixelRect &pg = g_.PageRect;
        const QString x = axisTitle(plot_.XCaption, plot_.XUnits, plot_.Units());
        int y = 0;
        if (plot_.XOnTop)
            y = pg.Top + (TitleAtTop() ? Sfh() / 8 + Sfh() : 0);
        else
            y = pg.Bottom - TextHeight() - (TitleAtBottom() ? Sfh() / 8 + Sfh() : 0);
        Text((std::abs(pg.Right + pg.Left) - TextWidth(x)) / 2, y, x);
        GraphTitle();
        const QString yTitle = axisTitle(plot_.YCaption, plot_.YUnits, plot_.Units());
        TextUp(pg.Left, (pg.Bottom + pg.Top + TextWidth(yTitle)) / 2, yTitle);
    }

    void ThreeTitles()
    {
        Select(Font(700, plot_.SizeFont));
        GraphTitle();
        const TPixelRect &pg = g_.PageRect;
        const int units = plot_.Units();
        const std::array<QString, 3> xs{axisTitle(plot_.XCaption, plot_.XUnits, units),
                                        axisTitle(plot_.XCaption2, plot_.XUnits2, units),
                                        axisTitle(plot_.XCaption3, plot_.XUnits3, units)};
        const std::array<QString, 3> ys{axisTitle(plot_.YCaption, plot_.YUnits, units),
                                        axisTitle(plot_.YCaption2, plot_.YUnits2, units),
                                        axisTitle(plot_.YCaption3, plot_.YUnits3, units)};
        const int ppiY = g_.PixelsPerInchY;
        int y = 0;
        if (plot_.XOnTop)
            y = pg.Top + ppiY / 16 + (TitleAtTop() ? ppiY / 4 : 0);
        else
            y = pg.Bottom - ppiY / 16 - TextHeight() - (TitleAtBottom() ? ppiY / 4 : 0);
        for (std::size_t i = 0; i < 3; ++i) {
            const TPixelRect &panel = g_.Panels[i];
            Text((std::abs(panel.Left + panel.Right) - TextWidth(xs[i])) / 2, y, xs[i]);
            const int x = panel.Left - g_.PixelsPerInchX / 8 - 2 * Sfh();
            const int yy = g_.BitmapOutput ? (g_.PlotRect.Bottom + g_.PlotRect.Top + TextHeight()) / 2
                                           : (pg.Bottom + pg.Top + TextWidth(ys[i])) / 2;
            TextUp(x, yy, ys[i]);
        }
    }

    const TExtents &AreaExtents(int area) const { return form_.Extents[static_cast<std::size_t>(area)]; }

    QPoint Pixel(int area, const TPixelRect &rect, long double x, long double y) const
    {
        return FloatToPixel(AreaExtents(area), rect, plot_.XOnTop, TFloatPoint{x, y});
    }

    void Axes(int area, const TPixelRect &r)
    {
        const auto ticks = ComputeTicks(AreaExtents(area), r, Sfh());
        if (!ticks)
            return;
        const QPen saved = p_.pen();
        const QPen solid(Qt::black, 1, Qt::SolidLine);
        const QPen dotted(Qt::black, 1, Qt::DotLine);
        const QFont labelFont = Font(400, plot_.SizeFont);
        const int ppiX = g_.PixelsPerInchX;
        const int ppiY = g_.PixelsPerInchY;
        const TExtents &e = AreaExtents(area);
        p_.setPen(solid);
        if (ticks->LastX != ticks->FirstX) {
            for (int k = ticks->FirstX; k <= ticks->LastX; ++k) {
                const long double value = k * ticks->Step.X;
                const int x = Pixel(area, r, value, e.MinY).x();
                if (x < r.Left || x > r.Right)
                    continue;
                if (k % 5 == 0) {
                    p_.setPen(dotted);
                    p_.drawLine(x, r.Top, x, r.Bottom);
                    Select(labelFont);
                    const QString label = fromStd(formatGeneral4(value));
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
                if (k % 5 == 0) {
                    p_.setPen(dotted);
                    p_.drawLine(r.Left, y, r.Right, y);
                    Select(labelFont);
                    const QString label = fromStd(formatGeneral4(value));
                    TextUp(r.Left - TextHeight() - ppiX / 32, y + TextWidth(label) / 2, label);
                    p_.setPen(solid);
                }
                p_.drawLine(r.Left, y, r.Left + ppiX / 16, y);
            }
        }
        p_.setPen(saved);
    }

    void Marker(QPoint at, int n)
    {
        const std::vector<QPoint> outline = MarkerOutline(at, n, g_.PixelsPerInchX, g_.PixelsPerInchY);
        p_.drawPolyline(outline.data(), static_cast<int>(outline.size()));
    }

    // Curves of one list in one area; flags and colours come from the main list.
    void Curves(const TLineList &list, int area, const TPixelRect &rect)
    {
        p_.setClipRect(toQRect(rect));
        if (!list.empty() && list.front().PointCount() > 1) {
            int k = 0;
            for (std::size_t i = 0; i < list.size(); ++i) {
                const TLine *flags = i < plot_.Curves.size() ? &plot_.Curves[i] : nullptr;
                if (flags && !flags->Active)
                    continue;
                if (!flags || flags->Visible)
                    Curve(list[i], area, rect, k, static_cast<int>(i) + 1);
                ++k;
            }
        }
        p_.setPen(QPen(Qt::black, curvePen_.widthF()));
        p_.setBrush(Qt::white);
        p_.setClipRect(toQRect(g_.PageRect));
    }

    void Curve(const TLine &line, int area, const TPixelRect &rect, int colour, int marker)
    {
        QPen pen = curvePen_;
        pen.setColor(PlotColor(colour));
        p_.setPen(pen);
        p_.setBrush(PlotColor(colour));
        QPolygon path;
        std::vector<QPoint> marks;
        for (int d = 0; d < line.PointCount(); ++d) {
            const TFloatPoint &pt = line.Points[static_cast<std::size_t>(d)];
            if (!std::isfinite(pt.X) || !std::isfinite(pt.Y))
                continue;
            const QPoint px = Pixel(area, rect, pt.X, pt.Y);
            path << px;
            if (plot_.Markers > 0 && d % plot_.Markers == 0)
                marks.push_back(px);
        }
        p_.drawPolyline(path);
        for (const QPoint &m : marks)
            Marker(m, marker);
    }

    void DrawLegend()
    {
        const TLegendBox *box = form_.Legend();
        const QWidget *client = form_.PaintBox();
        const std::vector<int> &curves = form_.LegendCurves();
        std::vector<int> entries;
        for (std::size_t j = 0; j < curves.size() && j < box->Items.size(); ++j)
            if (form_.CurveVisible(curves[j]))
                entries.push_back(static_cast<int>(j));
        p_.setPen(QPen(Qt::black, curvePen_.widthF()));
        p_.setBrush(Qt::white);
        Select(Font(400, plot_.SizeFont));
        int widest = 0;
        for (int j : entries)
            widest = std::max(widest, TextWidth(box->Items[static_cast<std::size_t>(j)]));
        const int h = TextHeight();
        const int ppiX = g_.PixelsPerInchX;
        const int ppiY = g_.PixelsPerInchY;
        const TPixelRect &pr = g_.PlotRect;
        const int windowW = std::max(1, client->width());
        const int windowH = std::max(1, client->height());
        int x = pr.Left + static_cast<int>(static_cast<long long>(pr.Width()) * box->x() / windowW);
        int y = pr.Top + static_cast<int>(static_cast<long long>(pr.Height()) * box->y() / windowH);
        const int count = static_cast<int>(entries.size());
        p_.drawRect(outlineRect(x, y, x + widest + 3 * ppiX / 16, y + count * (ppiY / 32 + h) + ppiY / 32));
        x += ppiX / 16;
        y += ppiY / 32;
        for (int j : entries) {
            const QColor c = PlotColor(j);
            p_.setPen(QPen(c, curvePen_.widthF()));
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
        const TPixelRect &s = g_.LayerStripRect;
        p_.setClipRect(toQRect(s));
        if (!plot_.LayerCurves.empty() && plot_.LayerCurves.front().PointCount() > 0) {
            const TExtents &e = AreaExtents(0);
            const auto row = [&](long double depth) { return Pixel(0, g_.PlotRect, e.MinX, depth).y(); };
            int upper = row(plot_.LayerTop);
            const bool wall = plot_.ShowWall && plot_.WallLineCount > 0 &&
                              plot_.WallLineCount < plot_.LayerCurveCount() &&
                              plot_.LayerCurves[static_cast<std::size_t>(plot_.WallLineCount)].PointCount() > 0;
            const int barLeft = s.Left + s.Width() * 2 / 5;
            const int barRight = s.Left + s.Width() * 3 / 5;
            const int bands = LayerBandCount();
            for (int i = 0; i < bands; ++i) {
                const TLine &line = plot_.LayerCurves[static_cast<std::size_t>(i)];
                for (const TFloatPoint &pt : line.Points) {
                    int lower = std::min(row(pt.Y), g_.PlotRect.Bottom);
                    if (i < bands - 1)
                        lower += 1;
                    p_.setPen(QPen(Qt::black, 1));
                    p_.setBrush(LayerBrush(static_cast<int>(std::lrint(static_cast<double>(pt.X))),
                                           g_.HardCopy && !g_.BitmapOutput));
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
                const TLine &w = plot_.LayerCurves[static_cast<std::size_t>(plot_.WallLineCount)];
                p_.setPen(Qt::NoPen);
                p_.setBrush(QColor(128, 128, 128));
                p_.drawRect(QRect(barLeft, s.Top, barRight - barLeft, row(w.Points.front().Y) - s.Top));
            }
        }
        p_.setPen(QPen(Qt::black, curvePen_.widthF()));
        p_.setBrush(Qt::white);
        p_.setClipRect(toQRect(g_.PageRect));
    }

    void BandName(const QString &name, int left, int top, int right, int bottom)
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
        p_.setPen(QPen(Qt::black, 1, Qt::SolidLine));
        p_.setBrush(Qt::NoBrush);
        if (plot_.ShowThree) {
            for (const TPixelRect &r : g_.Panels)
                p_.drawRect(toQRect(r));
        } else {
            p_.drawRect(toQRect(g_.PlotRect));
        }
    }

    QPainter &p_;
    const TPlotForm &form_;
    const TGraphPlot &plot_;
    const TPlotGeometry &g_;
    QPen curvePen_;
};

} // namespace

void TPlotForm::PaintPlot(QPainter &painter, const TPlotGeometry &geometry) const
{
    TPlotDrawing(painter, *this, geometry).Paint();
}

} // namespace veldo
