#include "LoadSettlement.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "TzCurves.h"
#include "UnitLabels.h"

namespace veldo {
namespace {

// Node offsets in inch (converted to the run's length unit): the last stick-up
// node above the ground, the bottom node of a layer above its bottom, and the
// offset of the middle node.
constexpr double kStickUpOffset = 0.1f;
constexpr double kEndOffset = 0.5;
constexpr double kMidOffset = 1.1f;
constexpr double kTolerance = 1.0e-4; // inch
constexpr float kStepMovements[LOAD_STEP_COUNT + 1] = {0,     0.0001f, 0.001f, 0.005f, 0.01f,
                                                       0.05f, 0.1f,    0.5f,   1.0f,   2.0f};

double lengthFactor(const EngineState& S) { return english(S) ? 12.0 : 1.0; }  // ft or m to inch or m
double forceFactor(const EngineState& S) { return english(S) ? 1000.0 : 1.0; } // kips or kN to lb or kN
int pointCount(const EngineState& S) { return std::clamp(S.LS_POINT_COUNT, 0, MAX_LS_SEGMENTS); }

// Layer pairs of at least 0.11 thickness, each giving three nodes.
int layerPairCount(const EngineState& S)
{
    const int rows = std::clamp(S.LAYER_END_COUNT, 0, MAX_SOIL_ROWS);
    int count = 0;
    for (int k = 1; k < rows; ++k)
        if (S.SOIL[static_cast<size_t>(k + 1)][COL_DEPTH] - S.SOIL[static_cast<size_t>(k)][COL_DEPTH] >=
            minTzLayerThickness(S))
            ++count;
    return count;
}

void setNode(EngineState& S, int k, double ground, int kind, double phi)
{
    const auto node = static_cast<size_t>(k);
    S.TZNODE_GROUND[node] = ground;
    S.TZNODE_DEPTH[node] = ground + S.PSL * lengthFactor(S);
    S.TZNODE_KIND[node] = kind;
    S.TZNODE_PHI[node] = phi;
}

// Three nodes in the stick-up (clay curve, no resistance), then three per soil
// layer: at its top, near its middle and just above its bottom.
void buildNodes(EngineState& S)
{
    const bool stickUp = S.PSL > 1.0e-6;
    RESIZE_TZ_STORE(S, 3 * (layerPairCount(S) + (stickUp ? 1 : 0)));
    const double lf = lengthFactor(S);
    const double psl = S.PSL * lf;
    int c = 0;
    if (stickUp) {
        c = 1;
        setNode(S, 1, -psl, TzCurveKind::Clay, 0);
        setNode(S, 2, psl * 0.5 - psl, TzCurveKind::Clay, 0);
        setNode(S, 3, -kStickUpOffset * inchToRunLength(S), TzCurveKind::Clay, 0);
    }
    const double endOffset = kEndOffset * inchToRunLength(S);
    const double midOffset = kMidOffset * inchToRunLength(S);
    const int rows = std::clamp(S.LAYER_END_COUNT, 0, MAX_SOIL_ROWS);
    for (int k = 1; k < rows; ++k) {
        const auto& top = S.SOIL[static_cast<size_t>(k)];
        const auto& bottom = S.SOIL[static_cast<size_t>(k + 1)];
        if (!(bottom[COL_DEPTH] - top[COL_DEPTH] >= minTzLayerThickness(S)))
            continue;
        ++c;
        const int kind = tzCurveKind(top[COL_SOIL_TYPE], bottom[COL_SOIL_TYPE]);
        const double a = lf * top[COL_DEPTH];
        const double e = lf * bottom[COL_DEPTH] - endOffset;
        const double b = (a + e + midOffset) * 0.5;
        setNode(S, 3 * c - 2, a, kind, top[COL_FRICTION_ANGLE]);
        setNode(S, 3 * c - 1, b, kind, 0.5 * (top[COL_FRICTION_ANGLE] + bottom[COL_FRICTION_ANGLE]));
        setNode(S, 3 * c, e, kind, bottom[COL_FRICTION_ANGLE]);
    }
    const int first = stickUp ? 4 : 1;
    for (int k = first; k <= S.TZNODE_COUNT; ++k) {
        S.TZNODE_FSIDE[static_cast<size_t>(k)] = UNIT_SIDE_RESISTANCE(S, S.TZNODE_GROUND[static_cast<size_t>(k)]);
        BUILD_TZ_CURVE(S, k);
    }
    for (int k = 1; k < first; ++k)
        BUILD_TZ_CURVE(S, k);
}

// Stick-up nodes lie above the ground; their curves are neither written nor counted.
bool belowGround(const EngineState& S, int k) { return S.TZNODE_GROUND[static_cast<size_t>(k)] >= -1.0e-6; }

void writeTzTables(EngineState& S)
{
    writeTzTableHeading(S);
    int count = 0;
    for (int k = 1; k <= S.TZNODE_COUNT; ++k)
        if (belowGround(S, k))
            ++count;
    writePlotCount(S, count);
    const double lf = lengthFactor(S);
    int n = 0;
    for (int k = 1; k <= S.TZNODE_COUNT; ++k)
        if (belowGround(S, k))
            writeTzCurve(S, ++n, S.TZNODE_GROUND[static_cast<size_t>(k)] / lf, k, true);
}

// Rows 1..AE_COUNT of distance below the pile head and E x A.
void buildStiffness(EngineState& S)
{
    const double lf = lengthFactor(S);
    const int rows = std::clamp(S.SECTION_COUNT, 0, MAX_SECTION_ROWS);
    if (S.AREA_MODE == AreaMode::Table && rows > 0) {
        S.AE_COUNT = rows;
        for (int i = 1; i <= rows; ++i) {
            S.AE_DEPTH[static_cast<size_t>(i)] = S.SECTION_DIST[static_cast<size_t>(i)] * lf;
            S.AE_VALUE[static_cast<size_t>(i)] = S.SECTION_AREA[static_cast<size_t>(i)] * S.E_MODULUS;
        }
        return;
    }
    const double od = tzDiameter(S);
    const double id = english(S) ? S.ID : S.ID / 1000.0;
    double area = (od * od - id * id) * kTzPi * 0.25;
    if (S.TIP_AREA > 1.0e-5)
        area = S.TIP_AREA * (english(S) ? 144.0 : 1.0);
    if (S.CONSTANT_AREA > 1.0e-5)
        area = S.CONSTANT_AREA;
    S.AE_COUNT = 2;
    S.AE_DEPTH[1] = 0;
    S.AE_DEPTH[2] = (S.PSL + S.TL) * lf;
    S.AE_VALUE[1] = S.AE_VALUE[2] = area * S.E_MODULUS;
}

// E x A at a distance x below the pile head; outside the table the end rows hold.
double stiffnessAt(const EngineState& S, double x)
{
    const int n = S.AE_COUNT;
    if (n < 2)
        return S.AE_VALUE[1];
    if (x <= S.AE_DEPTH[1])
        return S.AE_VALUE[1];
    int i = 2;
    while (i < n && S.AE_DEPTH[static_cast<size_t>(i)] - x < 0)
        ++i;
    const auto hi = static_cast<size_t>(i);
    if (x >= S.AE_DEPTH[hi])
        return S.AE_VALUE[hi];
    const double h = S.AE_DEPTH[hi] - S.AE_DEPTH[hi - 1];
    return h > 0 ? S.AE_VALUE[hi - 1] + (x - S.AE_DEPTH[hi - 1]) * (S.AE_VALUE[hi] - S.AE_VALUE[hi - 1]) / h
                 : S.AE_VALUE[hi];
}

// The t-z nodes around depth z below the head: the first node at or below z
// and the one before it; above node 1 node 1's curve, below the last the last.
SolverSegment bracketNodes(const EngineState& S, double z)
{
    SolverSegment seg;
    seg.centre = z;
    const int count = S.TZNODE_COUNT;
    int i = 1;
    while (i <= count && z - S.TZNODE_DEPTH[static_cast<size_t>(i)] > 0)
        ++i;
    if (count < 1)
        seg.lower = seg.upper = 0;
    else if (i > count)
        seg.lower = seg.upper = count;
    else if (i == 1)
        seg.lower = seg.upper = 1;
    else {
        const double d0 = S.TZNODE_DEPTH[static_cast<size_t>(i - 1)];
        const double h = S.TZNODE_DEPTH[static_cast<size_t>(i)] - d0;
        seg.lower = h > 0 ? i - 1 : i;
        seg.upper = i;
        seg.weight = h > 0 ? (z - d0) / h : 0.0;
    }
    return seg;
}

// Side stress of a segment at movement w: the bracketing curves interpolated in depth.
double sideStress(const EngineState& S, const SolverSegment& seg, double w)
{
    if (seg.upper < 1)
        return 0.0;
    const auto lo = static_cast<size_t>(seg.lower);
    const auto up = static_cast<size_t>(seg.upper);
    const double tLow = readCurve(S.TZCURVE_Z[lo], S.TZCURVE_T[lo], w);
    if (seg.lower == seg.upper)
        return tLow;
    const double tUp = readCurve(S.TZCURVE_Z[up], S.TZCURVE_T[up], w);
    return tLow + seg.weight * (tUp - tLow);
}

void buildSegments(EngineState& S, int nP, double pileLength)
{
    S.LS_SEGMENTS.assign(static_cast<size_t>(nP + 1), SolverSegment{});
    const double dz = pileLength / nP;
    for (int j = 1; j <= nP; ++j) {
        SolverSegment seg = bracketNodes(S, pileLength - (j - 0.5) * dz);
        seg.stiffness = stiffnessAt(S, seg.centre);
        S.LS_SEGMENTS[static_cast<size_t>(j)] = seg;
    }
}

void writeTipTable(EngineState& S)
{
    const bool en = english(S);
    S.report.write("/,/,/,8X,'TIP   LOAD',8X,'TIP MOVEMENT',/,12X,A3,15X,A3,/",
                   {en ? "KIP" : "KN.", en ? "IN." : "M. "});
    for (int j = 1; j <= TZ_CURVE_POINTS; ++j)
        S.report.write("E18.4,E19.4", {S.TIP_Q[j] / forceFactor(S), S.TIP_W[j]});
}

// Load at the tip for an assumed tip movement, from the tip curve.
double tipLoad(const EngineState& S, double w) { return readCurve(S.TIP_W, S.TIP_Q, w); }

// One load step: from the tip up, each segment iterated on its mid-depth movement.
void runStep(EngineState& S, int step, int nP, double dz)
{
    const double diameter = tzDiameter(S);
    const double tolerance = kTolerance * inchToRunLength(S);
    const double lf = lengthFactor(S);
    const double ff = forceFactor(S);
    const double wTip = S.TIP_MOVEMENT_STEPS[step];
    const double qTip = tipLoad(S, wTip);
    S.STEP_TIP_LOAD[step] = qTip;
    S.END_LOAD[0] = qTip;
    S.END_MOVEMENT[0] = wTip;
    S.STEP_HEAD_LOAD[step] = qTip;
    S.STEP_HEAD_MOVEMENT[step] = wTip;
    for (int j = 1; j <= nP; ++j) {
        const SolverSegment& seg = S.LS_SEGMENTS[static_cast<size_t>(j)];
        const double pBot = S.END_LOAD[static_cast<size_t>(j - 1)];
        const double wBot = S.END_MOVEMENT[static_cast<size_t>(j - 1)];
        double w = wBot, pTop = pBot, pAvg = pBot, wTop = wBot, wMid = wBot;
        for (int iteration = 1;; ++iteration) {
            const double dQ = sideStress(S, seg, w) * diameter * kTzPi * dz;
            pTop = pBot + dQ;
            pAvg = pBot + 0.5 * dQ;
            wTop = wBot + dz * pAvg / seg.stiffness;
            wMid = wBot + 0.5 * dz * 0.5 * (0.5 * (pTop + pBot) + pBot) / seg.stiffness;
            if (tolerance - std::fabs(wMid - w) >= 0)
                break;
            if (iteration >= kMaxSegmentIterations) {
                S.STEP_ITERATION_LIMIT[step] = true;
                break;
            }
            w = wMid;
        }
        S.END_LOAD[static_cast<size_t>(j)] = pTop;
        S.END_MOVEMENT[static_cast<size_t>(j)] = wTop;
        S.STEP_HEAD_LOAD[step] = pTop;
        S.STEP_HEAD_MOVEMENT[step] = wTop;
        // Plot row (3X,E10.3,3X,E10.3,3X,E10.3): depth (ft or m), mean load (kips or kN),
        // movement; composed in the reused row buffer, so a segment allocates nothing.
        std::string& row = S.ROW_TEXT;
        row.clear();
        appendFmt(row, "3X,E10.3,3X,E10.3,3X,E10.3", {seg.centre / lf, pAvg / ff, wMid}, Overflow::Widen);
        S.plot.line(row);
    }
}

void writeNotes(EngineState& S)
{
    S.report.write("/,/,12X,'NOTES:',/,12X,'- AN ASTERISK IS PLACED IN THE END-BEARING COLUMN',/,"
                   "12X,'  IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION',/,"
                   "12X,'  OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.',/");
    if (S.LOADING == Loading::Tension)
        S.report.write("/,12X,'- A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE',/,12X,'  BOUYANCY EFFECT.',/");
    S.report.write("/,/,16X,'*************************************************',/,"
                   "16X,'* COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *',/,"
                   "16X,'* CURVES FOR AXIAL LOADING                      *',/,"
                   "16X,'*************************************************',/,/");
}

void writeLoadSettlementTable(EngineState& S)
{
    const bool en = english(S);
    const double ff = forceFactor(S);
    S.report.write("/,/,/,22X,'LOAD VERSUS SETTLEMENT CURVE',/,22X,'****************************'");
    S.report.write("/,/,/,8X,'TOP  LOAD     TOP MOVEMENT       TIP  LOAD ',5X,'TIP MOVEMENT'");
    const char* force = en ? "KIP" : "KN.";
    const char* length = en ? "IN." : "M. ";
    S.report.write("11X,A3,13X,A3,14X,A3,12X,A3", {force, length, force, length});
    for (int s = 1; s <= S.STEP_COUNT; ++s) {
        const auto i = static_cast<size_t>(s);
        constexpr const char* row = "E17.4,3E16.4";
        const double head = S.STEP_HEAD_LOAD[i] / ff, tip = S.STEP_TIP_LOAD[i] / ff;
        S.report.write(row, {head, S.STEP_HEAD_MOVEMENT[i], tip, S.TIP_MOVEMENT_STEPS[i]});
        S.plot.write(row, {head, S.STEP_HEAD_MOVEMENT[i], tip, S.TIP_MOVEMENT_STEPS[i]});
    }
    for (int s = 1; s <= S.STEP_COUNT; ++s)
        if (S.STEP_ITERATION_LIMIT[static_cast<size_t>(s)])
            S.report.write("8X,'ITERATION LIMIT REACHED AT LOAD STEP ',I1", {s});
}

} // namespace

void SOLVE_LOAD_SETTLEMENT(EngineState& S, int printSwitch)
{
    const int nP = pointCount(S);
    SET_UNIT_LABELS(S);
    buildNodes(S);
    if (printSwitch == 1)
        writeTzTables(S);

    buildStiffness(S);
    S.TIP_CAPACITY = nP > 0 ? S.LS_TIP[static_cast<size_t>(nP)] * forceFactor(S) : 0.0;
    BUILD_TIP_CURVE(S);
    writeTipTable(S);

    S.STEP_COUNT = LOAD_STEP_COUNT;
    S.ROW_TEXT.reserve(64);
    const double pileLength = (S.PSL + S.TL) * lengthFactor(S);
    const double dz = nP > 0 ? pileLength / nP : 0.0;
    buildSegments(S, nP, pileLength);
    for (int s = 1; s <= LOAD_STEP_COUNT; ++s) {
        S.TIP_MOVEMENT_STEPS[static_cast<size_t>(s)] = kStepMovements[s] * inchToRunLength(S);
        S.STEP_ITERATION_LIMIT[static_cast<size_t>(s)] = false;
        runStep(S, s, nP, dz);
    }
}

void LOAD_SETTLEMENT_ANALYSIS(EngineState& S)
{
    writeNotes(S);
    SOLVE_LOAD_SETTLEMENT(S, 1);
    writeLoadSettlementTable(S);
    // Asked for t-z depths but given none: the extra block is a lone zero count,
    // so the reader that expects the block stays aligned.
    if (S.TZ_FLAG == Flag::On && S.TZ_DEPTH_COUNT <= 0)
        writePlotCount(S, 0);
}

} // namespace veldo
