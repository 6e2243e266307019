#include "DataUnit.h"

#include "PltData.h"
#include "UnitTemplate.h"

#include <algorithm>

namespace veldo {
namespace {

// Factors of a unit switch: force F, length B (m and in), small length C (mm and in),
// depth D (m and ft).
struct TUnitFactors {
    long double F, B, C, D;
};

constexpr TUnitFactors kToEnglish{kLbsPerKilonewton, 39.37007874L, 0.03937007874L, 3.280839895L};
constexpr TUnitFactors kToSI{1 / kLbsPerKilonewton, 0.0254000000001016L, 25.4000000001016L, 0.3048000000012192L};

// Cone resistance of the CPT points: ksf (English) and kPa (SI).
long double ConeFactor(const TUnitFactors& f, int toCode)
{
    return toCode == UnitSystem::SI ? 1000.0L * f.F / (f.D * f.D) : f.F / (1000.0L * f.D * f.D);
}

// Axis titles of the CPT profile follow the converted points: an English title
// becomes the SI one and the other way round.
void RelabelCptAxis(QString& caption, int toCode)
{
    for (const TCptConversion conversion : {TCptConversion::Qc, TCptConversion::Spt, TCptConversion::Su}) {
        const TCptPlotTexts english = CptPlotTexts(conversion, UnitSystem::English);
        const TCptPlotTexts si = CptPlotTexts(conversion, UnitSystem::SI);
        const TCptPlotTexts& to = toCode == UnitSystem::SI ? si : english;
        if (caption == english.xCaption || caption == si.xCaption) {
            caption = to.xCaption;
            return;
        }
        if (caption == english.yCaption || caption == si.yCaption) {
            caption = to.yCaption;
            return;
        }
    }
}

void ConvertCptPoints(TGraphPlot& plot, const TUnitFactors& f, int toCode)
{
    const long double cone = ConeFactor(f, toCode);
    for (TLine& curve : plot.Curves)
        for (TFloatPoint& point : curve.Points) {
            point.X *= cone;
            point.Y *= f.D;
        }
    RelabelCptAxis(plot.XCaption, toCode);
    RelabelCptAxis(plot.YCaption, toCode);
}

} // namespace

std::array<int, kIntegerTableSize> TProgramData::DefaultIntegers()
{
    std::array<int, kIntegerTableSize> integers{};
    integers[Method::ApiRp2a] = Flag::On; // the one capacity method of a new project
    return integers;
}

bool TProgramData::MethodTicked(int method) const
{
    return method >= Method::First && method <= Method::Last && Integers[static_cast<std::size_t>(method)] == Flag::On;
}

void TProgramData::SetMethodTicked(int method, bool ticked)
{
    if (method >= Method::First && method <= Method::Last)
        Integers[static_cast<std::size_t>(method)] = ticked ? Flag::On : Flag::Off;
}

bool TProgramData::SiltAllowed() const
{
    int ticked = 0;
    for (int method = Method::First; method <= Method::Last; ++method)
        ticked += MethodTicked(method) ? 1 : 0;
    return MethodTicked(Method::Usace) && ticked == 1;
}

bool TProgramData::TaperApplies() const { return PileType::IsTapered(PileType) && MethodTicked(Method::Fhwa); }

namespace {

// A property every project shows, lets be edited and keeps.
constexpr TSoilPropertyUse kAlwaysUsed{true, true, true, true};

// The cone resistance and the clay's PI and YSR belong to the offshore methods.
TSoilPropertyUse OffshoreProperty(const TProgramData& data, bool usedByTickedMethod)
{
    const bool offshore = data.OffshoreMethodsOn();
    return {offshore, usedByTickedMethod, offshore, true};
}

// The methods that read the cone resistance are the offshore ones.
bool CptMethodTicked(const TProgramData& data)
{
    for (int method = Method::First; method <= Method::Last; ++method)
        if (Method::IsOffshore(method) && data.MethodTicked(method))
            return true;
    return false;
}

// The user load transfers of a sand or clay layer: editable in the layer window while
// the user-specified method is ticked for capacity, a column of the soil tables only
// while it is the selected method. The file keeps them whatever the method: the engine
// uses them only with the user-specified method, and the user keeps what was typed.
TSoilPropertyUse UserLoadTransfer(const TProgramData& data)
{
    return {true, data.MethodTicked(Method::General), data.SelectedMethod == Method::General, true};
}

TSoilPropertyUse SandPropertyUse(const TProgramData& data, int column)
{
    switch (column) {
    case kSandUnitWeight:
    case kSandFriction:
    case kSandBlowCount:
        return kAlwaysUsed;
    case kSandKo: // API; without it USACE or Revised Lambda
        return {true,
                data.MethodTicked(Method::ApiRp2a) || data.MethodTicked(Method::Usace) ||
                    data.MethodTicked(Method::RevisedLambda),
                true, true};
    case kSandNq:
        return {true, data.MethodTicked(Method::ApiRp2a), true, true};
    case kSandQc:
        return OffshoreProperty(data, CptMethodTicked(data));
    case kSandUserSkin:
    case kSandUserBearing:
        return UserLoadTransfer(data);
    default:
        return {};
    }
}

TSoilPropertyUse ClayPropertyUse(const TProgramData& data, int column)
{
    switch (column) {
    case kClayUnitWeight:
    case kClayUndrained:
        return kAlwaysUsed;
    case kClayRemolded: // the soil plug of an open pipe, and the offshore methods
        return {true, data.PileType == PileType::SteelPipe || data.OffshoreMethodsOn(), true, true};
    case kClayPI:
    case kClayYsr:
        return OffshoreProperty(data, data.MethodTicked(Method::IcpMtd));
    case kClayQc:
        return OffshoreProperty(data, CptMethodTicked(data));
    case kClayUserSkin:
    case kClayUserBearing:
        return UserLoadTransfer(data);
    case kClayAdhesion: // the window offers the choice only to FHWA; the table always
        return {data.MethodTicked(Method::Fhwa), true, true, true};
    default:
        return {};
    }
}

// A silt layer is used only by USACE. Its user load-transfer columns hold what a sand
// or clay layer had, for a change of type back; they are neither shown nor saved.
TSoilPropertyUse SiltPropertyUse(int column)
{
    switch (column) {
    case kSiltUnitWeight:
    case kSiltFriction:
    case kSiltBlowCount:
    case kSiltKo:
    case kSiltUndrained:
        return kAlwaysUsed;
    default:
        return {};
    }
}

} // namespace

TSoilPropertyUse SoilPropertyUse(const TProgramData& data, int soilType, int column)
{
    switch (soilType) {
    case SoilType::Sand:
        return SandPropertyUse(data, column);
    case SoilType::Clay:
        return ClayPropertyUse(data, column);
    case SoilType::Silt:
        return SiltPropertyUse(column);
    default:
        return {};
    }
}

void TProgramData::MethodsChanged(const TProgramData& previous, const TProjectTables& tables)
{
    bool changed = false;
    for (int method = Method::First; method <= Method::Last; ++method)
        changed = changed || MethodTicked(method) != previous.MethodTicked(method);
    if (!changed)
        return;
    if (!SiltAllowed())
        tables.ConvertSiltToSand();
    if (!TaperApplies())
        TaperAngle = 0;
}

TProjectState ProjectState(const TProgramData& data, const TProjectTables& tables)
{
    TProjectState state{data, tables.State()};
    // The last run's results are read from its plot-data file, the companion files are
    // named after the project file, the CPT import settings say how to read a text
    // file, and a circular section's perimeter follows from its diameter: none of them
    // is a value saved with the project.
    state.data.Results = {};
    state.data.WaveEquationPath.clear();
    state.data.CptPath.clear();
    if (data.Circular)
        state.data.Perimeter = 0;
    state.data.Integers[kResultPointCountEntry] = 0;
    state.data.CptDataFileName.clear();
    for (const int entry : {kCptDataLinesEntry, kCptHeaderLinesEntry, kCptValuesPerLineEntry})
        state.data.Integers[static_cast<std::size_t>(entry)] = 0;
    return state;
}

TProgramData TProgramData::CreateDefault(TProjectTables& tables)
{
    TProgramData data;
    tables.SetUnits(data.UnitSystem);
    tables.Reset();
    tables.ResetChanged();
    return data;
}

void TProgramData::SetUnits(int code, TProjectTables& tables)
{
    code = std::clamp(code, UnitSystem::English, UnitSystem::SI);
    if (code == UnitSystem)
        return;
    UnitSystem = code;
    tables.SetUnits(code);
    const TUnitFactors& f = code == UnitSystem::English ? kToEnglish : kToSI;
    for (long double* v : {&Perimeter, &OutsideDiameter, &InsideDiameter, &EndSectionInnerDiameter})
        *v *= f.C;
    for (long double* v : {&TipArea, &ConstantArea})
        *v *= f.B * f.B;
    Modulus *= f.F / (f.B * f.B);
    for (long double* v : {&TotalLength, &EndSectionLength, &ZeroFrictionLength, &IncrementLength, &DeepestDepth,
                           &StickupLength, &UserCriticalDepth})
        *v *= f.D;
    // The profile is cone resistance: converted as a stress; its views follow it.
    ConvertCptPoints(tables.MotionInput(), f, code);
    tables.RefreshCptView(code);
}

namespace {

// Generation of each project file kind; 0 for a file of no known kind.
int KindGeneration(const QString& path)
{
    static const std::array<QString, 3> extensions{QStringLiteral(".vd7d"), QStringLiteral(".vd6d"),
                                                   QStringLiteral(".vdd")};
    for (std::size_t i = 0; i < extensions.size(); ++i)
        if (path.endsWith(extensions[i], Qt::CaseInsensitive))
            return static_cast<int>(i) + 1;
    return 0;
}

} // namespace

int ProjectGeneration(const QString& path)
{
    const int generation = KindGeneration(path);
    return generation > 0 ? generation : 3;
}

bool IsProjectFileKind(const QString& path) { return KindGeneration(path) > 0; }

QString ReplaceExtension(const QString& path, const QString& extension)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot > slash ? path.left(dot) : path) + extension;
}

} // namespace veldo
