#include "TzCurves.h"

#include <algorithm>
#include <cmath>

#include "PlotData.h"
#include "UnitConversions.h"

namespace veldo {
namespace {

using Ratios = std::array<float, TZ_CURVE_POINTS + 1>; // points 1..10, entry 0 unused

// Sand curve of every method but USACE: movement (inch) and t / fs.
constexpr Ratios kSandZ = {0, 0, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.09f, 0.1f, 0.5f, 2.0f};
constexpr Ratios kSandT = {0, 0, 0.1f, 0.2f, 0.4f, 0.6f, 0.8f, 0.9f, 1.0f, 1.0f, 1.0f};
// USACE movements (inch) of both curves, and its clay curve t / fs.
constexpr Ratios kUsaceZ = {0, 0, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 10.0f};
constexpr Ratios kUsaceClayT = {0, 0, 0.18f, 0.38f, 0.79f, 0.97f, 1.0f, 0.97f, 0.93f, 0.93f, 0.93f};
// Clay curve of every method but USACE: movement / OD and t / fs.
constexpr Ratios kClayZ = {0, 0, 0.0016f, 0.0031f, 0.0057f, 0.008f, 0.01f, 0.02f, 0.03f, 0.05f, 0.2f};
constexpr Ratios kClayT = {0, 0, 0.3f, 0.5f, 0.75f, 0.9f, 1.0f, 0.9f, 0.9f, 0.9f, 0.9f};
// Tip curve: default movements (inch) and the normalised curve (w / D, Q / Qtip).
constexpr Ratios kTipW = {0, 0, 0.0001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.2f, 0.5f, 1.0f, 2.0f};
constexpr Ratios kTipNormW = {0, 0, 0.0005f, 0.001f, 0.002f, 0.013f, 0.042f, 0.073f, 0.1f, 0.15f, 0.2f};
constexpr Ratios kTipNormQ = {0, 0, 0.0625f, 0.125f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.0f, 1.0f};

constexpr double kPsfPerKpa = 1000.0 / units::kKpaPerKsf;

bool usace(const EngineState& S) { return S.SELECTED_METHOD == Method::Usace; }

// Subgrade factor of the USACE sand curve; a boundary angle takes the lower range.
double subgradeFactor(double phi)
{
    constexpr double step = 1333.3f;
    if (phi <= 28)
        return 6000;
    if (phi <= 31)
        return 6000 + (phi - 28) * step;
    if (phi <= 32)
        return 10000;
    if (phi <= 34)
        return 10000 + (phi - 32) * step;
    if (phi <= 35)
        return 14000;
    if (phi <= 38)
        return 14000 + (phi - 35) * step;
    return 18000;
}

// A curve of fixed movements (inch, converted to the run's unit) and ratios of fs.
void scaledCurve(EngineState& S, int k, const Ratios& zInch, const Ratios& tRatio)
{
    const double toRun = inchToRunLength(S);
    const double fs = S.TZNODE_FSIDE[static_cast<size_t>(k)];
    CurvePoints& z = S.TZCURVE_Z[static_cast<size_t>(k)];
    CurvePoints& t = S.TZCURVE_T[static_cast<size_t>(k)];
    for (int j = 1; j <= TZ_CURVE_POINTS; ++j) {
        z[j] = zInch[j] * toRun;
        t[j] = tRatio[j] * fs;
    }
}

// USACE sand: hyperbola t = z / (z / tmax + 1 / K) in psf and inch.
void usaceSandCurve(EngineState& S, int k)
{
    const bool en = english(S);
    const auto node = static_cast<size_t>(k);
    const double psfPerUnit = en ? 144.0 : kPsfPerKpa;
    const double tmax = S.TZNODE_FSIDE[node] * psfPerUnit;
    const double factor = subgradeFactor(S.TZNODE_PHI[node]);
    const double toRun = inchToRunLength(S);
    CurvePoints& z = S.TZCURVE_Z[node];
    CurvePoints& t = S.TZCURVE_T[node];
    z[1] = 0;
    t[1] = 0;
    for (int j = 2; j <= TZ_CURVE_POINTS; ++j) {
        const double zi = kUsaceZ[j];
        const double tPsf = tmax <= 1.0e-9 ? 0.0 : zi / (zi / tmax + 1.0 / factor);
        z[j] = zi * toRun;
        t[j] = tPsf / psfPerUnit;
    }
}

double soilDepth(const EngineState& S, int row) { return S.SOIL[static_cast<size_t>(row)][COL_DEPTH]; }
double soilType(const EngineState& S, int row) { return S.SOIL[static_cast<size_t>(row)][COL_SOIL_TYPE]; }
double soilPhi(const EngineState& S, int row) { return S.SOIL[static_cast<size_t>(row)][COL_FRICTION_ANGLE]; }
int soilRows(const EngineState& S) { return std::clamp(S.LAYER_END_COUNT, 0, MAX_SOIL_ROWS); }

} // namespace

double tzDiameter(const EngineState& S) { return english(S) ? S.OD : S.OD / 1000.0; }

double inchToRunLength(const EngineState& S) { return english(S) ? 1.0 : 1.0 / kInchPerMetre; }

double minTzLayerThickness(const EngineState& S) { return units::feet(english(S), 0.11); }

double UNIT_SIDE_RESISTANCE(const EngineState& S, double x)
{
    const int n = std::min(S.LS_POINT_COUNT, MAX_NODES);
    const double diameter = tzDiameter(S);
    if (n < 2 || diameter <= 0)
        return 0.0;
    const bool en = english(S);
    if (en)
        x /= 12.0;
    // A depth on a table point (within the depth tolerance) takes the interval below it,
    // whatever rounding the unit system's depths carry.
    int i = 2;
    while (i < n && !(x < S.LS_DEPTH[static_cast<size_t>(i)] - kDepthTol))
        ++i;
    // Slope of the table between points a and b over their real depth difference.
    const auto quotient = [&S](int a, int b) {
        const double h = S.LS_DEPTH[static_cast<size_t>(b)] - S.LS_DEPTH[static_cast<size_t>(a)];
        return h > 1.0e-10 ? (S.LS_SKIN[static_cast<size_t>(b)] - S.LS_SKIN[static_cast<size_t>(a)]) / h : 0.0;
    };
    double slope = 0;
    if (i == n)
        slope = quotient(n - 1, n);
    else if (S.LS_SKIN[static_cast<size_t>(i - 1)] > 1.0e-5)
        slope = quotient(i - 1, i + 1);
    else
        slope = quotient(i, i + 1);
    // kips per ft to psi with the diameter in inch; kN per m to kPa with it in m.
    return en ? slope * 1000.0 / diameter / 12.0 / kTzPi : slope / diameter / kTzPi;
}

void BUILD_SAND_TZ_CURVE(EngineState& S, int k)
{
    if (usace(S))
        usaceSandCurve(S, k);
    else
        scaledCurve(S, k, kSandZ, kSandT);
}

void BUILD_CLAY_TZ_CURVE(EngineState& S, int k)
{
    if (usace(S)) {
        scaledCurve(S, k, kUsaceZ, kUsaceClayT);
        return;
    }
    const auto node = static_cast<size_t>(k);
    const double diameter = tzDiameter(S);
    const double fs = S.TZNODE_FSIDE[node];
    for (int j = 1; j <= TZ_CURVE_POINTS; ++j) {
        S.TZCURVE_Z[node][j] = kClayZ[j] * diameter;
        S.TZCURVE_T[node][j] = kClayT[j] * fs;
    }
}

void BUILD_TZ_CURVE(EngineState& S, int k)
{
    if (S.TZNODE_KIND[static_cast<size_t>(k)] == TzCurveKind::Sand)
        BUILD_SAND_TZ_CURVE(S, k);
    else
        BUILD_CLAY_TZ_CURVE(S, k);
}

void RESIZE_TZ_STORE(EngineState& S, int count)
{
    const auto size = static_cast<size_t>(std::max(count, 0) + 1);
    S.TZNODE_COUNT = std::max(count, 0);
    S.TZNODE_DEPTH.assign(size, 0.0);
    S.TZNODE_GROUND.assign(size, 0.0);
    S.TZNODE_KIND.assign(size, 0);
    S.TZNODE_FSIDE.assign(size, 0.0);
    S.TZNODE_PHI.assign(size, 0.0);
    S.TZCURVE_T.assign(size, CurvePoints{});
    S.TZCURVE_Z.assign(size, CurvePoints{});
}

LayerPoint layerPointAt(const EngineState& S, double depth)
{
    const int rows = soilRows(S);
    for (int k = 1; k < rows; ++k) {
        const double top = soilDepth(S, k);
        const double bottom = soilDepth(S, k + 1);
        if (!(bottom - top >= minTzLayerThickness(S)) || depth > bottom + kDepthTol)
            continue;
        const double share = std::clamp((depth - top) / (bottom - top), 0.0, 1.0);
        LayerPoint p;
        p.found = true;
        p.kind = tzCurveKind(soilType(S, k), soilType(S, k + 1));
        p.phi = soilPhi(S, k) + share * (soilPhi(S, k + 1) - soilPhi(S, k));
        return p;
    }
    return {};
}

int tipSoilType(const EngineState& S)
{
    const int rows = soilRows(S);
    for (int k = 1; k <= rows; ++k)
        if (soilDepth(S, k) >= S.TL - kDepthTol)
            return static_cast<int>(soilType(S, k));
    return rows > 0 ? static_cast<int>(soilType(S, rows)) : 0;
}

void BUILD_TIP_CURVE(EngineState& S)
{
    const double diameter = tzDiameter(S);
    const double qtip = S.TIP_CAPACITY;
    S.TIP_W[1] = 0;
    S.TIP_Q[1] = 0;
    if (!usace(S)) {
        for (int j = 2; j <= TZ_CURVE_POINTS; ++j) {
            S.TIP_W[j] = kTipNormW[j] * diameter;
            S.TIP_Q[j] = kTipNormQ[j] * qtip;
        }
        return;
    }
    const double toRun = inchToRunLength(S);
    for (int j = 2; j <= TZ_CURVE_POINTS; ++j)
        S.TIP_W[j] = kTipW[j] * toRun;
    if (tipSoilType(S) == SoilType::Clay) {
        const double r = std::sqrt(2.0 * static_cast<double>(0.005f) * diameter);
        const double slope = r > 0 ? 0.5 * qtip / r : 0.0;
        for (int j = 2; j <= TZ_CURVE_POINTS; ++j)
            S.TIP_Q[j] = std::min(slope * std::sqrt(S.TIP_W[j]), qtip);
        return;
    }
    // Sand and silt: a power curve of w / (0.05 D), capped at the tip capacity,
    // with the friction angle of the tip's layer at the tip.
    const double s = static_cast<double>(0.05f) * diameter;
    const LayerPoint tip = layerPointAt(S, S.TL);
    const double phi = tip.found ? tip.phi : (soilRows(S) > 0 ? soilPhi(S, soilRows(S)) : 0.0);
    const double power = phi <= 31 ? 0.5 : (phi <= 38 ? static_cast<double>(0.333f) : 0.25);
    for (int j = 2; j <= TZ_CURVE_POINTS; ++j) {
        const double q = s > 0 ? qtip * std::pow(S.TIP_W[j] / s, power) : qtip;
        S.TIP_Q[j] = std::min(q, qtip);
    }
}

double readCurve(const CurvePoints& xs, const CurvePoints& ys, double x)
{
    int j = 1;
    while (j <= TZ_CURVE_POINTS && x - xs[j] > 0)
        ++j;
    if (j > TZ_CURVE_POINTS)
        return ys[TZ_CURVE_POINTS];
    if (j == 1 || x == xs[j])
        return ys[j];
    const double h = xs[j] - xs[j - 1];
    return h > 0 ? ys[j - 1] + (x - xs[j - 1]) * (ys[j] - ys[j - 1]) / h : ys[j];
}

void writeTzTableHeading(EngineState& S)
{
    const bool en = english(S);
    S.report.write("8X,'T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD ','TRANSFER   PILE MOVEMENT'");
    S.report.write("11X,'NO.',6X,'POINTS',8X,A3,14X,A3,13X,A3,/",
                   {S.LEN_LABEL, en ? "PSI" : "KPA", en ? "IN." : "M. "});
}

void writeTzCurve(EngineState& S, int number, double depth, int k, bool toPlot)
{
    // Rows: header (8X,I5,I11,E16.4), points (40X,E17.4,E16.4); the plot-data
    // file widens, the report stars. One buffer serves every row of the curve.
    std::string row;
    const auto both = [&](std::string_view format, std::initializer_list<FmtArg> args) {
        row.clear();
        appendFmt(row, format, args, Overflow::Stars);
        S.report.line(row);
        if (toPlot) {
            row.clear();
            appendFmt(row, format, args, Overflow::Widen);
            S.plot.line(row);
        }
    };
    both("8X,I5,I11,E16.4", {number, TZ_CURVE_POINTS, depth});
    const CurvePoints& t = S.TZCURVE_T[static_cast<size_t>(k)];
    const CurvePoints& z = S.TZCURVE_Z[static_cast<size_t>(k)];
    for (int j = 1; j <= TZ_CURVE_POINTS; ++j)
        both("40X,E17.4,E16.4", {t[j], z[j]});
}

void writePlotCount(EngineState& S, int count) { S.plot.line(freeFormatIntegers({count})); }

} // namespace veldo
