#include "WaveEquationFile.h"
#include "MessageCatalogue.h"

#include "DataUnit.h"
#include "DiameterUnits.h"
#include "FilePaths.h"
#include "NumText.h"
#include "NumberFormats.h"
#include "PiApproximations.h"
#include "ProjectTables.h"
#include "SafeWrite.h"
#include "Table.h"

#include <algorithm>

namespace veldo {
namespace {

constexpr int kTitleWidth = 40;
// The result table holds 501 points of the selected method.
constexpr int kMaxProfilePoints = kResultSkinBase - kResultDepthBase;
// Up to this many points every point gets a segment line.
constexpr int kSegmentLineLimit = 100;

// Template lines that carry no project value.
const char* const kControlLine = "-100   0   1   0   1   0   0   0   0   3   0   0   0   0   0   0   0   0     0.000";
const char* const kGravityEnglish = "   32.1700   32.1700";
const char* const kGravitySI = "    9.8100    9.8100";
const char* const kZeroLine4 = "      0.00      0.00      0.00    0.0000    0.0000    0.0100      0.00";
const char* const kHammerLine = "   3600.00    207.00    0.0000    0.5000    3.0000         0";
const char* const kPileLineEnd = "     4.000     1.000     0.010";
const char* const kZeroLine8 = "     0.000     0.000       0.0    0.0000    0.0000     0.000     0.000     0.000";
const char* const kZeroLine4Wide = "    0.0000    0.0000    0.0000    0.0000";
const char* const kFactorLine1 = "  1.0000  0.9000  0.8000  0.7000  0.6000  0.5000  0.0000  0.0000  0.0000  0.0000";
const char* const kFactorLine2 = "  1.0000  1.0000  1.0000  1.0000  1.0000  0.0000  0.0000  0.0000  0.0000  0.0000";
const char* const kDepthLineEnd = "      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000";
const char* const kLastLine = "      0.00      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000";

// Soil coefficient and soil factor of a segment.
struct TSoilValues {
    long double coefficient = 0;
    long double factor = 0;
};

TSoilValues SoilValues(int soilType, bool english)
{
    if (soilType == SoilType::Sand)
        return {english ? 0.05L : 0.16L, 1.2L};
    return {english ? 0.2L : 0.65L, 2.0L};
}

// One point of the selected method's profile.
struct TProfilePoint {
    long double depth = 0;
    long double skin = 0;
    long double tip = 0;
};

std::vector<TProfilePoint> Profile(const TProgramData& data)
{
    const int n = std::clamp(data.Integers[kResultPointCountEntry], 0, kMaxProfilePoints);
    std::vector<TProfilePoint> points;
    for (int i = 0; i < n; ++i) {
        const auto at = [&](int base) { return data.Results[static_cast<std::size_t>(base + i)]; };
        points.push_back({at(kResultDepthBase), at(kResultSkinBase), at(kResultTipBase)});
    }
    return points;
}

// The soil walk: the layer row moves down by at most one row per point, when the
// current layer's bottom lies above the point. Points below the last layer keep it.
std::vector<int> SoilTypesOfPoints(const std::vector<TProfilePoint>& points,
                                   const std::vector<TWaveEquationLayer>& layers)
{
    std::vector<int> types;
    std::size_t row = 0;
    for (const TProfilePoint& point : points) {
        if (row + 1 < layers.size() && layers[row].bottom < point.depth)
            ++row;
        types.push_back(layers.empty() ? 0 : layers[row].soilType);
    }
    return types;
}

// The points that get a segment line: all of them up to 99; beyond, every s-th
// point (s = n / 100 + 1) and the last point, which takes the soil values of the
// one before it in the choice.
struct TSegmentChoice {
    std::size_t point;
    std::size_t soilOf;
};

std::vector<TSegmentChoice> ChooseSegments(std::size_t n)
{
    std::vector<TSegmentChoice> chosen;
    const std::size_t k = n / kSegmentLineLimit;
    if (k == 0) {
        for (std::size_t i = 0; i < n; ++i)
            chosen.push_back({i, i});
        return chosen;
    }
    const std::size_t step = k + 1;
    const std::size_t m = n / step;
    for (std::size_t j = 0; j < m; ++j)
        chosen.push_back({j * step, j * step});
    chosen.push_back({n - 1, (m - 1) * step});
    return chosen;
}

std::string SegmentLine(const TProfilePoint& point, const TSoilValues& soil, bool english)
{
    return " " + FormatExp3D1(point.depth) + " " + FormatExp3D1(point.skin) + " " + FormatExp3D1(point.tip) +
           (english ? "   0.100   0.100   " : "   2.540   2.500   ") + FormatExp3D1(soil.coefficient) + "   0.150   " +
           FormatExp3D1(soil.factor) + (english ? "    6.56    1.00" : "    1.50    1.00");
}

// The title in exactly 40 characters, one byte each so that the columns hold.
std::string TitleField(const QString& title)
{
    return title.left(kTitleWidth).leftJustified(kTitleWidth, QLatin1Char(' ')).toLatin1().toStdString();
}

long double PileUnitWeight(int pileType, bool english)
{
    switch (pileType) {
    case PileType::PrecastConcrete:
        return english ? 150.0L : 23.56L;
    case PileType::Timber:
        return english ? 50.0L : 7.9L;
    default:
        return english ? 492.0L : 77.28L;
    }
}

// Section area of the pile line: in2 in English, cm2 in SI (from diameters in
// mm). A noncircular section whose diameters give no area (an H-pile has none)
// takes its tip area (in2, or m2 in SI) in the same unit.
long double SectionArea(const TProgramData& data, bool english)
{
    const long double od = data.OutsideDiameter;
    const long double id = data.InsideDiameter;
    const long double squares = od * od - id * id;
    if (!data.Circular && squares <= 0)
        return data.TipArea * (english ? 1.0L : 10000.0L);
    return squares * kQuarterPi0_7854L / (english ? 1.0L : 100.0L);
}

std::string PileLine(const TProgramData& data, long double lastDepth, bool english)
{
    const long double area = SectionArea(data, english);
    const long double perimeter = WaveEquationPerimeter(data) / DiameterUnitsPerDepthUnit(english);
    std::string line;
    for (const long double value :
         {lastDepth, area, data.Modulus / 1000, PileUnitWeight(data.PileType, english), perimeter})
        line += "  " + FormatExp3D2(value);
    return line + kPileLineEnd;
}

class TLines {
public:
    void Add(const std::string& line) { text_ += line + "\r\n"; }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

} // namespace

std::vector<TWaveEquationLayer> WaveEquationLayersOf(const TProjectTables& tables)
{
    const TGridTable& d = tables.D();
    std::vector<TWaveEquationLayer> layers;
    for (int row = 0; row < d.RowCount(); ++row) {
        const TData bottom = d.Cell(kLayerBottom, row);
        layers.push_back({parseFloat(bottom.AsText().toStdString()).value_or(bottom.AsFloat()),
                          d.Cell(kLayerSoilType, row).AsInteger()});
    }
    return layers;
}

long double WaveEquationPerimeter(const TProgramData& data)
{
    return data.Circular ? CircularPerimeter(data.OutsideDiameter) : data.Perimeter;
}

std::string WaveEquationFileText(const TProgramData& data, const std::vector<TWaveEquationLayer>& layers)
{
    const bool english = data.UnitSystem == UnitSystem::English;
    const std::vector<TProfilePoint> points = Profile(data);
    const long double lastDepth = points.empty() ? 0 : points.back().depth;

    TLines out;
    out.Add(TitleField(data.Title) + "  VER. 2000" + (english ? " 1 0" : " 0 0"));
    out.Add(kControlLine);
    out.Add(english ? kGravityEnglish : kGravitySI);
    out.Add(kZeroLine4);
    out.Add(kHammerLine);
    out.Add(PileLine(data, lastDepth, english));
    for (int i = 0; i < 2; ++i)
        out.Add(kZeroLine8);
    for (int i = 0; i < 2; ++i)
        out.Add(kZeroLine4Wide);

    const std::vector<int> soilTypes = SoilTypesOfPoints(points, layers);
    for (const TSegmentChoice& segment : ChooseSegments(points.size()))
        out.Add(SegmentLine(points[segment.point], SoilValues(soilTypes[segment.soilOf], english), english));

    out.Add(kFactorLine1);
    out.Add(kFactorLine2);
    for (const long double fraction : {0.25L, 0.5L, 0.75L, 1.0L})
        out.Add("  " + FormatExp3D2(lastDepth * fraction) + kDepthLineEnd);
    out.Add(kLastLine);
    return out.Text();
}

void WriteWaveEquationFile(TProgramData& data, const TProjectTables& tables)
{
    data.WaveEquationPath = ReplaceExtension(data.ProjectPath, QStringLiteral(".gwi"));
    data.Perimeter = WaveEquationPerimeter(data);
    const std::string text = WaveEquationFileText(data, WaveEquationLayersOf(tables));

    if (const auto failure = WriteFilesTogether({{FileSystemPath(data.WaveEquationPath), text}}))
        throw EWriteError(
            MsgStd(TMsg::GrlweapNotWritten, data.WaveEquationPath, QString::fromStdString(failure->reason)));
}

} // namespace veldo
