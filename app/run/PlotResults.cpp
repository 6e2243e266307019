#include "PlotResults.h"
#include "MessageCatalogue.h"

#include "Messages.h"
#include "NumText.h"
#include "PlotForm.h"
#include "PlotScale.h"
#include "UnitTemplate.h"
#include "WordRead.h"

#include <QMdiSubWindow>

#include <algorithm>

namespace veldo {

namespace {

const QString ReadErrorText = MessageText(TMsg::PlotFileError);

// Counts above this cannot come from the engine (it holds 501 nodes and 150 t-z
// curves); a larger count marks a damaged file rather than a huge allocation.
constexpr int MaxFileCount = 10000;

struct TPlotLayout {
    const char* objectName;
    const char* caption;
    const char* xCaption;
    const char* xUnits;
    const char* yCaption;
    const char* yUnits;
    bool xOnTop;
    bool showLayers;
};

// In the order of TResultPlot.
constexpr std::array<TPlotLayout, ResultPlotCount> Layouts{{
    {"pltUSkin", "Unit Skin Friction vs Depth", "Unit Skin Friction", "F1/L2^2", "Depth", "L2", true, true},
    {"pltSkin", "Accumulated Skin Friction vs Depth", "Accumulated Skin Friction", "F1", "Depth", "L2", true, true},
    {"pltTip", "Tip Resistance vs Depth", "Tip Resistance", "F1", "Depth", "L2", true, true},
    {"pltTotal", "Total Capacity vs Depth", "Total Capacity", "F1", "Depth", "L2", true, true},
    {"pltLoad", "Load Distribution", "Axial Load", "F1", "Depth", "L2", true, true},
    {"pltCombine", "Combined Plot", "Capacity", "F1", "Depth", "L2", true, true},
    {"pltAxial", "Axial Load vs Settlement", "Load at Pile Top", "F1", "Settlement, in.", "", true, false},
    // The engine writes load transfer in psi (English) or kPa (SI): "F/L^2".
    {"pltTZcurves", "Internally-Generated t-z Curves", "Pile Movement", "L", "Load Transfer", "F/L^2", false, false},
    {"PltExtraTZ", "Extra t-z curves at User Specified Depths", "Pile Movement", "L", "Load Transfer", "F/L^2", false,
     false},
    {"PltQw", "Internally-Generated Q-w Curve", "Tip Load", "F1", "Settlement, in.", "", true, false},
}};

// Design methods in the order of the file's blocks.
constexpr std::array<int, Method::Count> BlockOrder{Method::General,       Method::Fhwa,    Method::Usace,
                                                    Method::RevisedLambda, Method::ApiRp2a, Method::Ngi,
                                                    Method::IcpMtd,        Method::Fugro,   Method::Uwa};

// The unit word of a length token ("L2" ft or m, "L" in or m) in a file's unit
// system; a code other than English counts as SI.
QString lengthWord(const char* token, int units)
{
    return UnitWord(token, units == UnitSystem::English ? UnitSystem::English : UnitSystem::SI);
}

int readCount(TWordReader& reader)
{
    const int n = reader.ReadInteger();
    if (n < 0 || n > MaxFileCount)
        throw EInOutError("Count out of range: " + std::to_string(n));
    return n;
}

// A block of t-z curves: the count, then per curve two integers (dropped), the
// depth (the curve's name) and exactly 10 pairs of load transfer (Y) and movement (X).
void readTzBlock(TWordReader& reader, TGraphPlot& plot, int units)
{
    constexpr int PointsPerCurve = 10;
    const int count = readCount(reader);
    plot.SetCurveCount(count);
    plot.SetPointCount(PointsPerCurve);
    const QString unit = QLatin1Char(' ') + lengthWord("L2", units);
    for (int i = 0; i < count; ++i) {
        reader.ReadInteger();
        reader.ReadInteger();
        const long double depth = reader.ReadFloat();
        TLine& curve = plot.Curve(i);
        curve.Name = QString::fromStdString(formatGeneral(depth, 15)) + unit;
        for (int j = 0; j < PointsPerCurve; ++j) {
            TFloatPoint& p = curve.Point(j);
            p.Y = reader.ReadFloat();
            p.X = reader.ReadFloat();
        }
    }
}

// A project depth in the file's length unit: a project switched to the other unit
// system and saved after its run keeps a plot-data file in the old one.
long double depthInFileUnits(long double depth, int projectUnits, int fileUnits)
{
    return depth * UnitSwitchMultiplier(QStringLiteral("L2"), projectUnits, fileUnits);
}

// The layer depths, moved down by `shift`, in the file's length unit.
std::vector<TLayerBand> bandsInFileUnits(std::vector<TLayerBand> layers, int projectUnits, int fileUnits,
                                         long double shift = 0)
{
    for (TLayerBand& band : layers)
        band.bottomDepth = depthInFileUnits(band.bottomDepth + shift, projectUnits, fileUnits);
    return layers;
}

} // namespace

QString MethodCurveName(int method)
{
    switch (method) {
    case Method::Fhwa:
        return QStringLiteral("FHWA");
    case Method::Usace:
        return QStringLiteral("USACE");
    case Method::RevisedLambda:
        return QStringLiteral("Lambda");
    case Method::ApiRp2a:
        return QStringLiteral("API");
    case Method::General:
        return QStringLiteral("User Spec.");
    case Method::Ngi:
        return QStringLiteral("NGI");
    case Method::IcpMtd:
        return QStringLiteral("MTD");
    case Method::Fugro:
        return QStringLiteral("FUGRO");
    case Method::Uwa:
        return QStringLiteral("UWA");
    default:
        return {};
    }
}

std::vector<TMethodCurve> MethodCurves(const TPlotFileContext& context)
{
    std::vector<TMethodCurve> curves;
    for (int method : BlockOrder) {
        if (Method::IsOffshore(method) && context.offshoreMethods != Flag::On)
            continue;
        if (context.ticked[static_cast<std::size_t>(method)])
            curves.push_back({method, MethodCurveName(method)});
    }
    return curves;
}

TResultPlots::TResultPlots(QObject* owner) : QObject(owner)
{
    for (auto& plot : plots_)
        plot = new TGraphPlot(this);
    setUpLayout();
}

void TResultPlots::setUpLayout()
{
    for (std::size_t i = 0; i < plots_.size(); ++i) {
        TGraphPlot& plot = *plots_[i];
        const TPlotLayout& layout = Layouts[i];
        plot.setObjectName(QString::fromLatin1(layout.objectName));
        plot.Caption = QString::fromLatin1(layout.caption);
        plot.XCaption = QString::fromLatin1(layout.xCaption);
        plot.XUnits = QString::fromLatin1(layout.xUnits);
        plot.YCaption = QString::fromLatin1(layout.yCaption);
        plot.YUnits = QString::fromLatin1(layout.yUnits);
        plot.XOnTop = layout.xOnTop;
        plot.ShowLayers = layout.showLayers;
    }
}

TGraphPlot& TResultPlots::Plot(TResultPlot which) const { return *plots_[static_cast<std::size_t>(which)]; }

void TResultPlots::SetMdiArea(QMdiArea* area)
{
    for (TGraphPlot* plot : plots_)
        plot->SetMdiArea(area);
}

void TResultPlots::CloseWindows()
{
    for (TGraphPlot* plot : plots_) {
        TPlotForm* window = plot->PlotWindow();
        if (!window)
            continue;
        // At once, as the plot itself does when it goes: the window is its frame's only child.
        if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
            delete frame;
        else
            delete window;
    }
}

bool TResultPlots::sane(int seriesCount, int selected, const TPlotFileContext& context) const
{
    const std::vector<TMethodCurve> curves = MethodCurves(context);
    return seriesCount == static_cast<int>(curves.size()) &&
           std::any_of(curves.begin(), curves.end(),
                       [selected](const TMethodCurve& c) { return c.method == selected; });
}

// Reads one file into the plots in the file's order.
class TResultPlots::TReader {
public:
    TReader(TResultPlots& plots, TWordReader& reader, const TPlotFileContext& context)
        : p_(plots), r_(reader), context_(context)
    {
    }

    void Run(int seriesCount, int points, int units, int selected)
    {
        sizePlots(seriesCount, points);
        setUnits(units);
        nameCurves(selected);
        readMethodBlocks(points);
        copyCombined();
        readTzBlock(r_, p_.pltTZcurves(), units);
        readLoadDistribution(points, units);
        readLoadSettlement();
        if (context_.printTzAtDepths == Flag::On)
            readTzBlock(r_, p_.PltExtraTZ(), units);
        const std::vector<TLayerBand> bands = bandsInFileUnits(context_.layers, context_.units, units);
        for (TResultPlot which :
             {TResultPlot::USkin, TResultPlot::Skin, TResultPlot::Tip, TResultPlot::Total, TResultPlot::Combine})
            AddLayersGraphPlot(p_.Plot(which), bands);
        // The load distribution's depths are measured from the pile head: its bands
        // start at the ground, one stick-up length down.
        AddLayersGraphPlot(p_.pltLoad(), bandsInFileUnits(context_.layers, context_.units, units, context_.stickup));
        p_.pltLoad().LayerTop = depthInFileUnits(context_.stickup, context_.units, units);
        for (TGraphPlot* plot : p_.plots_)
            plot->SetUnits(units);
    }

private:
    bool tension() const { return context_.loading > 0; }

    void sizePlots(int seriesCount, int points)
    {
        const bool compression = !tension();
        p_.pltAxial().XOnTop = compression;
        p_.PltQw().XOnTop = compression;
        for (TResultPlot which : {TResultPlot::Skin, TResultPlot::USkin, TResultPlot::Tip, TResultPlot::Total}) {
            p_.Plot(which).SetCurveCount(seriesCount);
            p_.Plot(which).SetPointCount(points);
        }
        sizePlot(p_.pltLoad(), 9, points);
        sizePlot(p_.pltCombine(), 3, points);
        sizePlot(p_.pltAxial(), 1, 10);
        sizePlot(p_.PltQw(), 1, 10);
        TSelectedProfile& profile = p_.profile_;
        profile = TSelectedProfile{};
        profile.pointCount = points;
        const auto kept = static_cast<std::size_t>(std::min(points, TSelectedProfile::MaxPoints));
        profile.depth.assign(kept, 0);
        profile.unitSkin.assign(kept, 0);
        profile.tip.assign(kept, 0);
    }

    static void sizePlot(TGraphPlot& plot, int curves, int points)
    {
        plot.SetCurveCount(curves);
        plot.SetPointCount(points);
    }

    void setUnits(int units)
    {
        p_.fileUnits_ = units;
        for (TResultPlot which :
             {TResultPlot::Skin, TResultPlot::USkin, TResultPlot::Tip, TResultPlot::Total, TResultPlot::Axial,
              TResultPlot::Qw, TResultPlot::Load, TResultPlot::Combine, TResultPlot::TZcurves})
            p_.Plot(which).SetUnits(units);
        const QString unit = units == UnitSystem::English ? QStringLiteral("in.") : QStringLiteral("m");
        p_.PltQw().YCaption = QStringLiteral("Settlement, ") + unit;
        p_.pltAxial().YCaption = (tension() ? QStringLiteral("Uplift, ") : QStringLiteral("Settlement, ")) + unit;
    }

    void nameCurves(int selected)
    {
        const std::vector<TMethodCurve> curves = MethodCurves(context_);
        for (std::size_t i = 0; i < curves.size(); ++i) {
            const int index = static_cast<int>(i);
            if (curves[i].method == selected)
                selectedCurve_ = index;
            for (TResultPlot which : {TResultPlot::Skin, TResultPlot::USkin, TResultPlot::Tip, TResultPlot::Total})
                p_.Plot(which).Curve(index).Name = curves[i].name;
        }
        p_.pltAxial().Curve(0).Name = MethodCurveName(selected);
        p_.PltQw().Curve(0).Name = QStringLiteral("Tip Load (") + MethodCurveName(selected) + QStringLiteral(")");
        p_.pltCombine().Curve(0).Name = QStringLiteral("Skin Friction");
        p_.pltCombine().Curve(1).Name = tension() ? QStringLiteral("Self Weight") : QStringLiteral("Tip Resistance");
        p_.pltCombine().Curve(2).Name = QStringLiteral("Total Capacity");
    }

    void readMethodBlocks(int points)
    {
        TGraphPlot& skin = p_.pltSkin();
        for (int i = 0; i < skin.CurveCount(); ++i) {
            for (int j = 0; j < points; ++j) {
                const long double depth = r_.ReadFloat();
                TFloatPoint& s = skin.CurvePoint(i, j);
                TFloatPoint& t = p_.pltTip().CurvePoint(i, j);
                TFloatPoint& c = p_.pltTotal().CurvePoint(i, j);
                TFloatPoint& u = p_.pltUSkin().CurvePoint(i, j);
                s.X = r_.ReadFloat();
                t.X = r_.ReadFloat();
                c.X = r_.ReadFloat();
                u.X = r_.ReadFloat();
                s.Y = t.Y = c.Y = u.Y = depth;
                if (i == selectedCurve_ && j < TSelectedProfile::MaxPoints)
                    keep(j, depth, u.X, t.X);
            }
        }
    }

    void keep(int j, long double depth, long double unitSkin, long double tip)
    {
        const auto k = static_cast<std::size_t>(j);
        p_.profile_.depth[k] = depth;
        p_.profile_.unitSkin[k] = unitSkin;
        p_.profile_.tip[k] = tip;
    }

    void copyCombined()
    {
        TGraphPlot& combine = p_.pltCombine();
        const TResultPlot sources[] = {TResultPlot::Skin, TResultPlot::Tip, TResultPlot::Total};
        for (int c = 0; c < 3; ++c)
            combine.Curve(c).Points = p_.Plot(sources[c]).Curve(selectedCurve_).Points;
    }

    // Each curve is one load step, named by its movement at the tip (the last row).
    void readLoadDistribution(int points, int units)
    {
        TGraphPlot& load = p_.pltLoad();
        const QString unit = QLatin1Char(' ') + lengthWord("L", units);
        for (int i = 0; i < load.CurveCount(); ++i) {
            long double movement = 0;
            for (int j = 0; j < points; ++j) {
                TFloatPoint& p = load.CurvePoint(i, j);
                p.Y = r_.ReadFloat();
                p.X = r_.ReadFloat();
                movement = r_.ReadFloat();
            }
            load.Curve(i).Name = QStringLiteral("Tip Movement ") + AxisLabel(movement) + unit;
        }
    }

    void readLoadSettlement()
    {
        TFloatPoint& axial0 = p_.pltAxial().CurvePoint(0, 0);
        TFloatPoint& tip0 = p_.PltQw().CurvePoint(0, 0);
        axial0 = tip0 = TFloatPoint{};
        for (int j = 1; j <= 9; ++j) {
            TFloatPoint& top = p_.pltAxial().CurvePoint(0, j);
            TFloatPoint& tip = p_.PltQw().CurvePoint(0, j);
            top.X = r_.ReadFloat();
            top.Y = r_.ReadFloat();
            tip.X = r_.ReadFloat();
            tip.Y = r_.ReadFloat();
        }
    }

    TResultPlots& p_;
    TWordReader& r_;
    const TPlotFileContext& context_;
    int selectedCurve_ = 0;
};

bool TResultPlots::ReadPlotFile(const std::filesystem::path& plotFile, const TPlotFileContext& context,
                                bool showMessages)
{
    return read([&plotFile] { return TWordReader(plotFile); }, context, showMessages);
}

bool TResultPlots::ReadPlotText(const std::string& text, const TPlotFileContext& context, bool showMessages)
{
    return read([&text] { return TWordReader::FromText(text); }, context, showMessages);
}

bool TResultPlots::read(const std::function<TWordReader()>& open, const TPlotFileContext& context, bool showMessages)
{
    headerRead_ = false;
    try {
        TWordReader reader = open();
        const int seriesCount = readCount(reader);
        const int points = readCount(reader);
        const int units = reader.ReadInteger();
        const int selected = reader.ReadInteger();
        if (!sane(seriesCount, selected, context))
            throw EInOutError("The file does not match the ticked methods");
        headerRead_ = true;
        TReader(*this, reader, context).Run(seriesCount, points, units, selected);
        return true;
    } catch (const EFileTooLarge& e) {
        if (showMessages)
            Messages().Information(QString::fromStdString(e.what())); // names the file
        return false;
    } catch (const EInOutError&) {
        if (showMessages)
            Messages().Information(ReadErrorText);
        return false;
    }
}

void TResultPlots::AddLayersGraphPlot(TGraphPlot& plot, const std::vector<TLayerBand>& layers)
{
    if (plot.CurveCount() == 0 || plot.PointCount() == 0)
        return;
    plot.SetLayerCurveCount(static_cast<int>(layers.size()));
    plot.SetLayerPointCount(1);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        TLine& band = plot.LayerCurve(static_cast<int>(i));
        TFloatPoint& point = band.Point(0);
        band.Name = QStringLiteral("LAYER ") + QString::number(i + 1);
        // Bands are kept between reads: a silt layer must not keep the pattern of
        // the sand or clay layer it was before.
        point.X = 0;
        if (layers[i].soilType == SoilType::Sand) {
            band.Name = QStringLiteral(" SAND ");
            point.X = 7.0;
        } else if (layers[i].soilType == SoilType::Clay) {
            band.Name = QStringLiteral(" CLAY ");
            point.X = 1.0;
        }
        point.Y = layers[i].bottomDepth;
    }
}

} // namespace veldo
