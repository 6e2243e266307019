// Load-transfer curves: the ultimate unit side resistance from the selected
// method's capacity table, the sand and clay t-z curves of the t-z nodes, the
// tip load-movement (Q-w) curve, curve reading, and the t-z table output
// shared by the load-settlement section and the t-z verification.
#pragma once

#include "EngineRules.h"
#include "PiApproximations.h"

namespace veldo {

// Decimal constants of the load-transfer computations are single-precision
// literals widened to double.
inline constexpr double kTzPi = kPi3_1416F;
// Inches per metre, in every conversion of movements.
inline constexpr double kInchPerMetre = 1.0 / 0.0254;

// The pile diameter in the length unit of the load-transfer computations:
// inch (English) or m (SI).
double tzDiameter(const EngineState& S);
// The factor of a length in inch to the length unit of the run (1 or 0.0254).
double inchToRunLength(const EngineState& S);
// The thinnest soil layer that gets t-z nodes: 0.11 ft in the run's depth unit
// (ft or m).
double minTzLayerThickness(const EngineState& S);

// Ultimate unit side resistance (psi or kPa) at depth x below the ground (inch
// or m), the slope of the load-settlement input's skin-friction table over the
// pile perimeter. A depth below the table's last point takes the last interval.
// 0 when the table has fewer than two points.
double UNIT_SIDE_RESISTANCE(const EngineState& S, double x);

// Curve k from node k's side resistance (and friction angle for USACE sand).
void BUILD_SAND_TZ_CURVE(EngineState& S, int k);
void BUILD_CLAY_TZ_CURVE(EngineState& S, int k);
// Curve kind of a layer from the soil types of its two layer-end records: the
// sand curve only when both are sand.
inline int tzCurveKind(double topSoilType, double bottomSoilType)
{
    return topSoilType == SoilType::Sand && bottomSoilType == SoilType::Sand ? TzCurveKind::Sand : TzCurveKind::Clay;
}
// Builds curve k by node k's kind (the sand curve, otherwise clay).
void BUILD_TZ_CURVE(EngineState& S, int k);

// Sizes the node and curve stores for nodes 1..count (all values 0).
void RESIZE_TZ_STORE(EngineState& S, int count);

// The soil at a depth below the ground: the first pair of layer-end records
// (k, k+1) at least 0.11 thick whose bottom is at or below the depth.
struct LayerPoint {
    bool found = false;
    int kind = TzCurveKind::Clay; // tzCurveKind of the two records
    double phi = 0;               // friction angle interpolated in depth between the two records
};
LayerPoint layerPointAt(const EngineState& S, double depth);

// Tip soil type: the type (truncated) of the first layer-end record at or below
// the pile tip, else of the last record.
int tipSoilType(const EngineState& S);

// Tip Q-w curve (TIP_W, TIP_Q) from S.TIP_CAPACITY for the selected method.
void BUILD_TIP_CURVE(EngineState& S);

// Value of a piecewise-linear curve at x (xs rising from point 1): the first
// point j with x <= xs(j); equal gives ys(j); between points linear; beyond the
// last point the last value.
double readCurve(const CurvePoints& xs, const CurvePoints& ys, double x);

// The two heading lines of a t-z table (report).
void writeTzTableHeading(EngineState& S);
// Header row of curve `number` at `depth` and its 10 rows (t, z) of curve k,
// to the report and, when toPlot, each also to the plot-data file.
void writeTzCurve(EngineState& S, int number, double depth, int k, bool toPlot);
// A free-format count line of the plot-data file.
void writePlotCount(EngineState& S, int count);

} // namespace veldo
