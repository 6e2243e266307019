#include "RunProject.h"

#include "DataUnit.h"
#include "PltData.h"
#include "ProjectTables.h"
#include "Table.h"

#include <algorithm>

namespace veldo {

namespace {

std::array<bool, Method::Last + 1> tickedMethods(const TProgramData& data)
{
    std::array<bool, Method::Last + 1> ticked{};
    for (int m = Method::First; m <= Method::Last; ++m)
        ticked[static_cast<std::size_t>(m)] = data.MethodTicked(m);
    return ticked;
}

TValidationLayer validationLayer(const TProjectTables& tables, int row)
{
    const TGridTable& d = tables.D();
    TValidationLayer layer;
    layer.soilType = d.Cell(kLayerSoilType, row).AsInteger();
    layer.bottom = d.Cell(kLayerBottom, row).AsFloat();
    layer.endBearingFactor = d.Cell(kLayerEndFactor, row).AsFloat();
    const TGridTable* properties = tables.LayerTable(row);
    // The unit weight is column 0 of every soil type's table; a layer without its
    // table has none.
    const bool bothEnds = properties && properties->RowCount() >= 2;
    layer.unitWeightTop = bothEnds ? properties->Cell(kSandUnitWeight, 0).AsFloat() : 0;
    layer.unitWeightBottom = bothEnds ? properties->Cell(kSandUnitWeight, 1).AsFloat() : 0;
    if (layer.soilType == SoilType::Clay && properties && properties->RowCount() >= 2) {
        layer.remoldedTop = properties->Cell(kClayRemolded, 0).AsFloat();
        layer.remoldedBottom = properties->Cell(kClayRemolded, 1).AsFloat();
    }
    return layer;
}

void keepSelectedProfile(TProgramData& data, const TSelectedProfile& profile)
{
    data.Integers[kResultPointCountEntry] = profile.pointCount;
    const std::size_t kept = std::min(profile.depth.size(), std::size_t{TSelectedProfile::MaxPoints});
    for (std::size_t j = 0; j < kept; ++j) {
        data.Results[kResultDepthBase + j] = profile.depth[j];
        data.Results[kResultSkinBase + j] = profile.unitSkin[j];
        data.Results[kResultTipBase + j] = profile.tip[j];
    }
}

} // namespace

TValidationData ValidationDataOf(const TProgramData& data, const TProjectTables& tables)
{
    TValidationData v;
    v.units = data.UnitSystem;
    v.ticked = tickedMethods(data);
    v.pileType = data.PileType;
    v.taperAngle = data.TaperAngle;
    v.stickup = data.StickupLength;
    v.totalLength = data.TotalLength;
    v.outsideDiameter = data.OutsideDiameter;
    v.modulus = data.Modulus;
    v.circular = data.Circular;
    v.increment = data.IncrementLength;
    for (int row = 0; row < tables.D().RowCount(); ++row)
        v.layers.push_back(validationLayer(tables, row));
    return v;
}

std::vector<TLayerBand> LayerBandsOf(const TProjectTables& tables)
{
    const TGridTable& d = tables.D();
    std::vector<TLayerBand> bands;
    for (int row = 0; row < d.RowCount(); ++row)
        bands.push_back({d.Cell(kLayerSoilType, row).AsInteger(), d.Cell(kLayerBottom, row).AsFloat()});
    return bands;
}

TPlotFileContext PlotFileContextOf(const TProgramData& data, const TProjectTables& tables)
{
    TPlotFileContext context;
    context.ticked = tickedMethods(data);
    context.offshoreMethods = data.OffshoreMethods;
    context.loading = data.Loading;
    context.printTzAtDepths = data.PrintTzAtDepths;
    context.units = data.UnitSystem;
    context.stickup = data.StickupLength;
    context.layers = LayerBandsOf(tables);
    return context;
}

bool ReadProjectPlotFile(TResultPlots& plots, TProgramData& data, const TProjectTables& tables,
                         const std::filesystem::path& plotFile, bool showMessages)
{
    const bool ok = plots.ReadPlotFile(plotFile, PlotFileContextOf(data, tables), showMessages);
    if (!plots.HeaderRead())
        return ok;
    // The perimeter is kept in the diameter's unit (in or mm) in both systems.
    if (data.Perimeter < 1e-6L)
        data.Perimeter = CircularPerimeter(data.OutsideDiameter);
    keepSelectedProfile(data, plots.SelectedProfile());
    if (ok)
        tables.MotionInput().SetUnits(plots.FileUnits()); // every plot of the window
    return ok;
}

} // namespace veldo
