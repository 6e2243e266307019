#include "Fhwa.h"

#include <cmath>

#include "Charts.h"
#include "ClassicNodes.h"
#include "CommonSteps.h"
#include "PiApproximations.h"
#include "UnitConversions.h"

namespace veldo {

using namespace classic;

namespace {

constexpr int CASE_FROM_ABOVE = 10;
constexpr int CASE_NO_OVERLYING = 3;

double squareArea(double d, double pi, double divisor) { return pi * d * d / 4.0 / divisor; }
double ringArea(const EngineState& S, double divisor)
{
    return kPi3_14159 * (S.OD * S.OD - S.ID * S.ID) / 4.0 / divisor;
}

// Displaced soil area per unit length of segment i (ft2 per ft in both systems).
double displacementVolume(const EngineState& S, int i, double taper)
{
    const bool en = englishOrBelow(S);
    const double toDepthArea = en ? 144.0 : 1000.0 * 1000.0;
    double v = S.TIP_AREA < 1e-6 ? ringArea(S, toDepthArea) : S.TIP_AREA;
    const int plugFlag = i <= MAX_NODES ? S.PLUG_FLAG[MethodIndex::Fhwa][i] : 0;
    if (plugFlag == PlugControl::FullSection)
        v = squareArea(S.OD, kPi3_14159, toDepthArea);
    else if (plugFlag == PlugControl::AnnulusAndPlug)
        v = ringArea(S, toDepthArea);
    if (S.ESL > 0.001 && S.EID < 1e-5) {
        v = squareArea(S.OD, kPi3_1416, toDepthArea);
        if (taper > 0)
            v = squareArea(taperedDiameter(S, S.SEG_BOTTOM[i], taper), kPi3_14159, 1.0);
    }
    if (S.PILE_TYPE == PileType::HPile && S.TIP_AREA > 1e-6)
        v = S.TIP_AREA;
    return en ? v : v / units::kSquareMetrePerSquareFoot;
}

// K-delta: the chart of the friction angle's band, linear between two charts.
double kdelta(double phi, double taper, double v)
{
    const auto between = [&](double low, double kLow, double kHigh) {
        return kLow + (phi - low) * (kHigh - kLow) / 5.0;
    };
    if (phi < 25)
        return LOOKUP_KDELTA_25(taper, v);
    if (phi < 30)
        return between(25, LOOKUP_KDELTA_25(taper, v), LOOKUP_KDELTA_30(taper, v));
    if (phi < 35)
        return between(30, LOOKUP_KDELTA_30(taper, v), LOOKUP_KDELTA_35(taper, v));
    if (phi < 40.0)
        return between(35, LOOKUP_KDELTA_35(taper, v), LOOKUP_KDELTA_40(taper, v));
    return LOOKUP_KDELTA_40(taper, v);
}

void sandSegment(EngineState& S, int i, double taper)
{
    const double phi = S.SEG_FRICTION_ANGLE[i];
    const double v = displacementVolume(S, i, taper);
    const double ratio = LOOKUP_DELTA_RATIO(v, S.PILE_TYPE);
    const double delta = ratio * phi / kDegreesPerRadian57_2958;
    const double cf = LOOKUP_KDELTA_CORRECTION(ratio, phi);
    const double kd = kdelta(phi, taper, v);
    const double w = taper / kDegreesPerRadian57_2958;
    const double factor = kd * std::sin(delta + w) * cf / std::cos(w);
    S.DISPLACEMENT_VOLUME = v;
    S.KDELTA_VALUE = kd;
    S.FHWA_SEG_END_FRICTION[2 * i - 1] = S.FHWA_PLUG_FRICTION[2 * i - 1] = factor * S.SIGV_ENDS[2 * i - 1];
    S.FHWA_SEG_END_FRICTION[2 * i] = S.FHWA_PLUG_FRICTION[2 * i] = factor * S.SIGV_ENDS[2 * i];
    S.FHWA_CASE = CASE_FROM_ABOVE;
}

// Layer-end row j whose pair (j, j+1) holds the segment bottom (depths within
// the depth tolerance); 0 when none.
int clayLayerRow(const EngineState& S, double segmentBottom)
{
    for (int j = 1; j < S.LAYER_END_COUNT && j < MAX_SOIL_ROWS; ++j)
        if (segmentBottom - S.SOIL[j][COL_DEPTH] > kDepthTol && segmentBottom - S.SOIL[j + 1][COL_DEPTH] <= kDepthTol)
            return j;
    return 0;
}

// Tracks the clay layer being walked; its thickness joins the penetration sum
// once, when the walk leaves it.
struct ClayWalk {
    int openRow = 0;
    double openThickness = 0;

    void enter(EngineState& S, int row)
    {
        if (openRow != 0 && row != openRow) {
            S.FHWA_CLAY_PENETRATION += openThickness;
            openRow = 0;
        }
        if (row != 0 && openRow == 0) {
            openRow = row;
            openThickness = S.SOIL[row + 1][COL_DEPTH] - S.SOIL[row][COL_DEPTH];
        }
    }
};

double penetrationRatio(EngineState& S, int i, double taper, ClayWalk& walk)
{
    S.FHWA_CLAY_TOP = -0.1;
    const int row = clayLayerRow(S, S.SEG_BOTTOM[i]);
    walk.enter(S, row);
    if (row != 0) {
        S.FHWA_CLAY_TOP = S.SOIL[row][COL_DEPTH];
        S.FHWA_CLAY_BOTTOM = S.SOIL[row + 1][COL_DEPTH];
    }
    const double top = S.FHWA_CLAY_TOP;
    const double bTop = taperedDiameter(S, top, taper);
    const double bBottom = taperedDiameter(S, S.FHWA_CLAY_BOTTOM, taper);
    const double bottom = S.TL < S.FHWA_CLAY_BOTTOM ? S.TL : S.FHWA_CLAY_BOTTOM;
    const double meanDiameter = 0.5 * (bTop + bBottom);
    // A pile tapered to nothing has no diameter to divide by: deepest curve.
    if (meanDiameter <= 1e-10)
        return 1e6;
    return (bottom + S.FHWA_CLAY_PENETRATION - top) / meanDiameter;
}

// Chart case of a clay segment: from the soil above while the case is open,
// the layer's own chart when it names one (codes outside 1..3 name none).
int adhesionCase(EngineState& S, int i)
{
    const int n = S.SEG_COUNT;
    if (S.FHWA_CASE == CASE_FROM_ABOVE && n >= 3 && i > 1) {
        double c = S.SEG_UNDRAINED_STRENGTH[i - 1];
        if (!englishOrBelow(S))
            c /= units::kKpaPerKsf;
        if (S.SEG_SOIL_TYPE[i - 1] - SoilType::Sand < 1e-10)
            S.FHWA_CASE = 1;
        else
            S.FHWA_CASE = c < 0.8 ? 2 : 3;
    }
    if (S.SEG_ADHESION[i] > 1e-6) {
        const int code = static_cast<int>(S.SEG_ADHESION[i]);
        if (code >= 1 && code <= 3)
            S.FHWA_CASE = code;
    }
    // Nothing above to choose from: no overlying strata, for this segment only.
    return S.FHWA_CASE == CASE_FROM_ABOVE ? CASE_NO_OVERLYING : S.FHWA_CASE;
}

void claySegment(EngineState& S, int i, double taper, ClayWalk& walk)
{
    const double ratio = penetrationRatio(S, i, taper, walk);
    S.PENETRATION_RATIO = ratio;
    const double c = S.SEG_UNDRAINED_STRENGTH[i];
    const int units = chartUnits(S);
    switch (adhesionCase(S, i)) {
    case 1:
        S.ADHESION_FACTOR = LOOKUP_ADHESION_A(c, ratio, units);
        break;
    case 2:
        S.ADHESION_FACTOR = LOOKUP_ADHESION_B(c, ratio, units);
        break;
    default:
        S.ADHESION_FACTOR = LOOKUP_ADHESION_C(c, ratio, units);
        break;
    }
    const double alpha = S.ADHESION_FACTOR;
    const double f = alpha * c;
    S.FHWA_SEG_END_FRICTION[2 * i - 1] = S.FHWA_SEG_END_FRICTION[2 * i] = f;
    // A silt segment hands its own end frictions to the plug step.
    S.FHWA_PLUG_FRICTION[2 * i - 1] = isSilt(S.SEG_SOIL_TYPE[i]) ? f : alpha * S.SEG_REMOLDED_STRENGTH[i];
    S.FHWA_PLUG_FRICTION[2 * i] = f;
}

void segmentFrictions(EngineState& S, double taper)
{
    S.FHWA_CASE = 0;
    S.FHWA_CLAY_PENETRATION = 0;
    ClayWalk walk;
    for (int i = 1; i <= S.SEG_COUNT && i <= MAX_SEGMENTS; ++i) {
        if (S.FHWA_CASE <= 0)
            S.FHWA_CASE = CASE_FROM_ABOVE;
        if (S.SEG_SOIL_TYPE[i] - SoilType::Sand <= 0) {
            walk.enter(S, 0);
            sandSegment(S, i, taper);
        } else {
            claySegment(S, i, taper, walk);
        }
    }
}

} // namespace

void CALC_FHWA_CAPACITY(EngineState& S)
{
    S.CURRENT_METHOD = MethodIndex::Fhwa;
    const int N = lastNode(S);
    const double taper = effectiveTaper(S);
    segmentFrictions(S, taper);

    NodeArray perimeterAt{};
    for (int k = 0; k <= N; ++k) {
        const double z = k * S.INCREMENT;
        S.NODE_DEPTH[k] = z;
        S.FHWA_NODE_UNIT_FRICTION[k] = nodeFriction(S, S.FHWA_SEG_END_FRICTION, z);
        S.FHWA_FRICTION_LIMIT[k] = S.SEG_MAX_UNIT_FRICTION[segmentAtNode(S, k)];
        perimeterAt[k] = taper > 0 ? kPi3_14159 * taperedDiameter(S, z, taper) : perimeter(S);
    }
    accumulateAndPublish(S, MethodIndex::Fhwa,
                         {S.FHWA_NODE_UNIT_FRICTION, S.FHWA_FRICTION_LIMIT, S.FHWA_SKIN_INCREMENT, S.FHWA_INCREMENT_MAX,
                          S.FHWA_SKIN_CUMULATIVE, S.FHWA_TZ_SKIN},
                         perimeterAt, S.FHWA_PLUG_FRICTION, N);
}

} // namespace veldo
