#include "PileSide.h"
#include "MessageCatalogue.h"

#include "DiameterUnits.h"
#include "Messages.h"
#include "NumText.h"
#include "PlotScale.h"
#include "PrintDialogs.h"
#include "PrintOutput.h"
#include "ProjectTables.h"
#include "Table.h"
#include "TableErrors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace veldo {

namespace {

constexpr long double kMargin = 1.05L; // the world rectangle's widening
constexpr long double kDegreesToRadians = kSectionPi / 180.0L;
constexpr long double kScreenLimit = 1.0e7L; // keeps far-off points within int range
constexpr int kScreenHatchStrokes = 20;
constexpr int kScreenHatchDepth = 5; // pixels below the ground line
constexpr int kPrintedHatchStrokes = 10;

bool Finite(long double v) { return std::isfinite(v); }

bool Finite(const TWorldRect& r) { return Finite(r.xmin) && Finite(r.xmax) && Finite(r.ymin) && Finite(r.ymax); }

int ToPixel(long double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(RoundEven(std::clamp(v, -kScreenLimit, kScreenLimit)));
}

// Corners in drawing order (top-left, top-right, bottom-right, bottom-left).
template <class Map> QPolygon OutlinePolygon(const TOutlineQuad& quad, Map toPixel)
{
    QPolygon polygon;
    for (const int corner : {0, 1, 3, 2})
        polygon << toPixel(quad.corners[static_cast<std::size_t>(corner)]);
    return polygon;
}

// The layers' labels sit just below the line at the layer's top (and below the
// ground hatch, `below` pixels deep, for the first layer).
void DrawLabel(QPainter& painter, int x, int topY, const TSoilBand& band, int below = 0)
{
    const QString label = LayerLabel(band);
    if (label.isEmpty())
        return;
    painter.drawText(QPoint(x, topY + below + 2 + painter.fontMetrics().ascent()), label);
}

// A widget whose paint, resize and mouse events go to the view window.
class TPaintBox final : public QWidget {
public:
    TPaintBox(TDlgSideView& view, QWidget* parent) : QWidget(parent), view_(view)
    {
        setObjectName(QStringLiteral("PaintBox"));
        setMouseTracking(true);
        setMinimumSize(60, 60);
    }

    // Large enough to read the layer labels: 5 by 6 inches of the screen.
    QSize sizeHint() const override { return {5 * logicalDpiX(), 6 * logicalDpiY()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        view_.FormPaint(painter);
    }
    void resizeEvent(QResizeEvent*) override { view_.FormResize(); }
    void mouseMoveEvent(QMouseEvent* event) override { view_.FormMouseMove(event->position().toPoint()); }

private:
    TDlgSideView& view_;
};

} // namespace

// ---- Layout of the scene -----------------------------------------------------------

long double PileWidth(const TProgramData& data)
{
    long double width = data.OutsideDiameter;
    if (width < 1e-4L)
        width = data.Perimeter / 4; // noncircular section
    return width / DiameterUnitsPerDepthUnit(data.UnitSystem != UnitSystem::SI);
}

TOutlineQuad PileOutline(const TProgramData& data)
{
    const long double half = PileWidth(data) / 2;
    // The total length is measured below the ground; the head stands the stick-up
    // above it. Like the engine's tip diameter, the taper closes over the whole
    // length from the head, and only pile types with a taper narrow.
    const long double top = -data.StickupLength;
    const long double bottom = data.TotalLength;
    const long double taper = PileType::IsTapered(data.PileType) && data.TaperAngle > 0 ? data.TaperAngle : 0;
    // Like the engine's tip diameter, never below zero.
    const long double inward =
        std::min(half, std::tan(taper * kDegreesToRadians) * (data.StickupLength + data.TotalLength));
    TOutlineQuad quad;
    quad.corners = {TWorldPoint{-half, top}, TWorldPoint{half, top}, TWorldPoint{-half + inward, bottom},
                    TWorldPoint{half - inward, bottom}};
    for (const TWorldPoint& p : quad.corners) {
        if (!Finite(p.x) || !Finite(p.y))
            throw EOutlineError(TDlgSideView::NoSectionsText.toStdString());
    }
    return quad;
}

std::vector<TSoilBand> SoilBands(const TGridTable& d)
{
    std::vector<TSoilBand> bands;
    long double top = 0;
    for (int row = 0; row < d.RowCount(); ++row) {
        const long double bottom = d.Cell(kLayerBottom, row).AsFloat();
        bands.push_back({top, bottom, d.Cell(kLayerSoilType, row).AsInteger()});
        top = bottom;
    }
    return bands;
}

TElevationScene BuildElevation(const TProgramData& data, const TGridTable& d, const TWorldRect& previous)
{
    TElevationScene scene;
    scene.layers = SoilBands(d);
    scene.world = previous;
    if (scene.layers.empty())
        return scene;

    scene.outline.push_back(PileOutline(data));
    constexpr long double inf = std::numeric_limits<long double>::infinity();
    TWorldRect world{inf, -inf, inf, -inf};
    for (const TOutlineQuad& quad : scene.outline) {
        for (const TWorldPoint& p : quad.corners) {
            world.xmin = std::min(world.xmin, p.x);
            world.xmax = std::max(world.xmax, p.x);
            world.ymin = std::min(world.ymin, p.y);
            world.ymax = std::max(world.ymax, p.y);
        }
    }
    world.ymax = std::max(world.ymax, scene.layers.back().bottom);
    world.xmin *= kMargin;
    world.xmax *= kMargin;
    world.ymin *= kMargin;
    world.ymax *= kMargin;
    scene.world = world;
    return scene;
}

std::optional<TWorldRect> FitView(const TWorldRect& world, int width, int height)
{
    if (width <= 0 || height <= 0)
        return std::nullopt;
    TWorldRect view = world;
    long double r = 1;
    if (world.Width() != 0 && world.Height() != 0)
        r = (static_cast<long double>(width) / height) / (world.Width() / world.Height());
    if (r >= 1) {
        view.xmin *= r;
        view.xmax *= r;
    } else {
        view.ymin /= r;
        view.ymax /= r;
    }
    if (!Finite(view) || view.Width() == 0 || view.Height() == 0)
        return std::nullopt;
    return view;
}

// ---- Screen mapping -------------------------------------------------------------

TViewMapping::TViewMapping(const TWorldRect& view, int width, int height) : view_(view), width_(width), height_(height)
{
}

int TViewMapping::ScreenX(long double x) const { return ToPixel(width_ * (x - view_.xmin) / view_.Width()); }

int TViewMapping::ScreenY(long double y) const { return ToPixel(height_ * (y - view_.ymin) / view_.Height()); }

QPoint TViewMapping::ToScreen(const TWorldPoint& p) const { return {ScreenX(p.x), ScreenY(p.y)}; }

TWorldPoint TViewMapping::ToWorld(QPoint pixel) const
{
    return {view_.xmin + pixel.x() * view_.Width() / width_, view_.ymin + pixel.y() * view_.Height() / height_};
}

// ---- Texts -----------------------------------------------------------------------

QString LayerLabel(const TSoilBand& band)
{
    QString word;
    switch (band.soilType) {
    case SoilType::Sand:
        word = QStringLiteral("Sand");
        break;
    case SoilType::Clay:
        word = QStringLiteral("Clay");
        break;
    case SoilType::Silt:
        word = QStringLiteral("Silt");
        break;
    default:
        return {};
    }
    // The general form of 15 significant digits.
    return QStringLiteral("depth= ") + QString::fromStdString(formatGeneral(band.top, 15)) + QStringLiteral(" - ") +
           QString::fromStdString(formatGeneral(band.bottom, 15)) + QStringLiteral("; ") + word;
}

QString DepthCaption(long double depth)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), depth, std::chars_format::fixed, 1);
    const std::string text =
        result.ec == std::errc() ? std::string(buffer.data(), result.ptr) : formatGeneral(depth, 6);
    return QStringLiteral("  Depth: ") + QString::fromStdString(text);
}

// ---- Drawing ---------------------------------------------------------------------

void PaintElevation(QPainter& painter, const TElevationScene& scene, const TViewMapping& mapping,
                    const TElevationColors& colors)
{
    const int width = mapping.Width();
    painter.fillRect(0, 0, width, mapping.Height(), colors.window);
    painter.setPen(QPen(colors.lines, 0));
    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < scene.layers.size(); ++i) {
        const TSoilBand& band = scene.layers[i];
        if (i == 0) {
            const int ground = mapping.ScreenY(0);
            painter.drawLine(0, ground, width, ground);
            for (int j = 1; j <= kScreenHatchStrokes; ++j)
                painter.drawLine(100 + 20 * j, ground, 115 + 20 * j, ground + kScreenHatchDepth);
        }
        const int bottom = mapping.ScreenY(band.bottom);
        painter.drawLine(0, bottom, width, bottom);
        DrawLabel(painter, 4, mapping.ScreenY(band.top), band, i == 0 ? kScreenHatchDepth : 0);
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(colors.frame);
    for (const TOutlineQuad& quad : scene.outline)
        painter.drawPolygon(OutlinePolygon(quad, [&](const TWorldPoint& p) { return mapping.ToScreen(p); }));
}

TPageMapping::TPageMapping(const TWorldRect& world, QRect page, double pixelAspect)
    : world_(world), page_(page), yScale_(0.8L * page.height() / world.Height()), xScale_(yScale_ * pixelAspect)
{
}

int TPageMapping::PageY(long double y) const
{
    return page_.top() + ToPixel(0.1L * page_.height() + yScale_ * (y - world_.ymin));
}

int TPageMapping::PageX(long double x) const { return page_.left() + ToPixel(0.5L * page_.width() + xScale_ * x); }

int TPageMapping::Fraction(double ofWidth) const
{
    return page_.left() + ToPixel(static_cast<long double>(ofWidth) * page_.width());
}

void PrintElevation(QPainter& painter, const TElevationScene& scene, const TPageMapping& mapping, const QFont& font)
{
    if (!Finite(scene.world) || scene.world.Height() == 0)
        return;
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    const QRect& page = mapping.Page();
    const int depth = ToPixel(0.015L * page.height());
    for (std::size_t i = 0; i < scene.layers.size(); ++i) {
        const TSoilBand& band = scene.layers[i];
        if (i == 0) {
            const int ground = mapping.PageY(0);
            painter.drawLine(mapping.Left(), ground, mapping.Right(), ground);
            for (int j = 1; j <= kPrintedHatchStrokes; ++j)
                painter.drawLine(mapping.Fraction(0.35 + 0.02 * j), ground, mapping.Fraction(0.37 + 0.02 * j),
                                 ground + depth);
        }
        const int bottom = mapping.PageY(band.bottom);
        painter.drawLine(mapping.Left(), bottom, mapping.Right(), bottom);
        DrawLabel(painter, mapping.Fraction(0.15), mapping.PageY(band.top), band, i == 0 ? depth : 0);
    }
    for (const TOutlineQuad& quad : scene.outline)
        painter.drawPolygon(
            OutlinePolygon(quad, [&](const TWorldPoint& p) { return QPoint(mapping.PageX(p.x), mapping.PageY(p.y)); }));
}

// ---- The window ------------------------------------------------------------------

const QString TDlgSideView::Caption = QStringLiteral("Elevation View");
const QString TDlgSideView::PrintTitle = QStringLiteral("Soil-Pile Profile");
const QString TDlgSideView::NoSectionsText = MessageText(TMsg::NoSections);

TDlgSideView::TDlgSideView(TMainForm& main) : TInputWindow(main, Caption)
{
    setObjectName(QStringLiteral("DlgSideView"));

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    geometry_ = new QLabel(QStringLiteral("Pile Geometry"), this);
    geometry_->setObjectName(QStringLiteral("Label1"));
    print_ = new QPushButton(QStringLiteral("Print"), this);
    print_->setObjectName(QStringLiteral("Button1"));
    bar->addWidget(geometry_);
    bar->addStretch();
    bar->addWidget(print_);
    layout->addLayout(bar);
    paintBox_ = new TPaintBox(*this, this);
    layout->addWidget(paintBox_, 1);
    ConnectReportingErrors(print_, &QPushButton::clicked, this, &TDlgSideView::Button1Click);
    FormResize();
}

TDlgSideView::~TDlgSideView() = default;

TGridTable& TDlgSideView::D() const { return MainForm().Tables().D(); }

TElevationColors TDlgSideView::Colors() const
{
    TElevationColors colors;
    colors.window = palette().color(QPalette::Base);
    colors.lines = palette().color(QPalette::Text);
    colors.frame = palette().color(QPalette::WindowText);
    return colors;
}

void TDlgSideView::LoadFromProject()
{
    scene_.outline.clear();
    try {
        scene_ = BuildElevation(Data(), D(), scene_.world);
    } catch (const EOutlineError&) {
        RefuseLayout();
        return;
    } catch (const EListError&) {
        RefuseLayout();
        return;
    }
    FormResize();
}

void TDlgSideView::RefuseLayout()
{
    Messages().Information(NoSectionsText);
    // Closed once the activation in progress has finished.
    QMetaObject::invokeMethod(this, &TDlgSideView::CloseClick, Qt::QueuedConnection);
}

void TDlgSideView::FormResize()
{
    view_ = FitView(scene_.world, paintBox_->width(), paintBox_->height());
    paintBox_->update();
}

void TDlgSideView::FormPaint(QPainter& painter)
{
    const TElevationColors colors = Colors();
    if (!view_) {
        painter.fillRect(paintBox_->rect(), colors.window);
        return;
    }
    try {
        scene_.layers = SoilBands(D()); // the table as it stands now
    } catch (const std::exception&) {
        // keep the layers read on activation
    }
    PaintElevation(painter, scene_, TViewMapping(*view_, paintBox_->width(), paintBox_->height()), colors);
}

void TDlgSideView::FormMouseMove(QPoint pixel)
{
    if (!view_)
        return;
    const TViewMapping mapping(*view_, paintBox_->width(), paintBox_->height());
    setWindowTitle(DepthCaption(mapping.ToWorld(pixel).y));
}

void TDlgSideView::Button1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (ChoosePrintTarget(printer, this))
        PrintTo(printer);
    paintBox_->update();
}

bool TDlgSideView::PrintTo(QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(PrintTitle);
    QPainter painter;
    if (!BeginPrinting(painter, printer))
        return false;
    TElevationScene scene = scene_;
    scene.layers = SoilBands(D());
    const QRect page(0, 0, printer.width(), printer.height());
    const double aspect = static_cast<double>(printer.logicalDpiX()) / printer.logicalDpiY();
    PrintElevation(painter, scene, TPageMapping(scene.world, page, aspect), geometry_->font());
    return EndPrinting(painter, printer);
}

} // namespace veldo
