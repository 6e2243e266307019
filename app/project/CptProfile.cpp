#include "CptProfile.h"

#include "UnitWords.h"

#include <utility>

namespace veldo {
namespace {

// kPa per ksf, as the blow-count conversion takes it.
constexpr long double kKpaPerKsf = 47.875L;
// Cone resistance (kPa) per blow: 2.8 atmospheres of 100 kPa.
constexpr long double kConePerBlow = 280.0L;
// Cone factor of the undrained shear strength.
constexpr long double kConeFactorSu = 15.0L;

// One empty curve with the texts of the plot of `conversion`.
void StartCptPlot(TGraphPlot& plot, TCptConversion conversion, int units)
{
    const TCptPlotTexts texts = CptPlotTexts(conversion, units);
    plot.SetCurveCount(0);
    plot.SetCurveCount(1);
    plot.Caption = texts.caption;
    plot.XCaption = texts.xCaption;
    plot.YCaption = texts.yCaption;
    plot.Curve(0).Name = texts.curveName;
}

} // namespace

long double CptProfileValue(long double qc, TCptConversion conversion, const TCptReadSettings& settings)
{
    const long double stress = settings.ua * qc;
    switch (conversion) {
    case TCptConversion::Spt:
        return settings.units == UnitSystem::SI ? stress / kConePerBlow : stress * kKpaPerKsf / kConePerBlow;
    case TCptConversion::Su:
        return stress / kConeFactorSu;
    case TCptConversion::Qc:
        break;
    }
    return stress;
}

TCptPlotTexts CptPlotTexts(TCptConversion conversion, int units)
{
    const bool si = units == UnitSystem::SI;
    TCptPlotTexts texts;
    texts.yCaption = QStringLiteral("Depth, ") + UnitWord("L2", units);
    switch (conversion) {
    case TCptConversion::Qc:
        texts.caption = QStringLiteral("CPT Profile");
        texts.xCaption = si ? QStringLiteral("Qc, kPa") : QStringLiteral("Qc, ksf");
        texts.curveName = QStringLiteral("CPT Data");
        break;
    case TCptConversion::Spt:
        texts.caption = QStringLiteral("Converted SPT from CPT Data");
        texts.xCaption = QStringLiteral("SPT, N");
        texts.curveName = QStringLiteral("Converted SPT");
        break;
    case TCptConversion::Su:
        texts.caption = QStringLiteral("Converted Undrained Shear Strength Su from CPT Data");
        texts.xCaption = si ? QStringLiteral("Undrained Shear Strength Su, kPa")
                            : QStringLiteral("Undrained Shear Strength Su, k/ft^2");
        texts.curveName = QStringLiteral("Converted Su");
        break;
    }
    return texts;
}

void SetCptProfile(TGraphPlot& profile, std::vector<TFloatPoint> points, int units)
{
    StartCptPlot(profile, TCptConversion::Qc, units);
    profile.Curve(0).Points = std::move(points);
}

void FillCptView(TGraphPlot& view, const TGraphPlot& profile, TCptConversion conversion, int units)
{
    view.SetUnits(units);
    StartCptPlot(view, conversion, units);
    if (profile.Curves.empty())
        return;
    TCptReadSettings asStored;
    asStored.units = units;
    for (TFloatPoint point : profile.Curves.front().Points) {
        point.X = CptProfileValue(point.X, conversion, asStored);
        view.Curve(0).Points.push_back(point);
    }
}

} // namespace veldo
