#include "ClassicNodes.h"

#include <algorithm>
#include <cmath>

#include "CommonSteps.h"
#include "DiameterUnits.h"

namespace veldo::classic {

double headDiameter(const EngineState& S) { return S.OD / DiameterUnitsPerDepthUnit(englishOrBelow(S)); }

double perimeter(const EngineState& S) { return kPi3_14159 * headDiameter(S); }

double effectiveTaper(const EngineState& S)
{
    return PileType::IsTapered(S.PILE_TYPE) && S.TAPER_ANGLE > 0 ? S.TAPER_ANGLE : 0.0;
}

double taperedDiameter(const EngineState& S, double depth, double taper)
{
    const double d = headDiameter(S) - 2.0 * (S.PSL + depth) * std::tan(kRadiansPerDegree0_01745 * taper);
    return std::max(d, 0.0);
}

namespace {

// Linear value inside segment i at depth t below its top.
double insideSegment(const EngineState& S, const PairArray& ends, int i, double t)
{
    const double h = thickness(S, i);
    const double top = ends[2 * i - 1];
    if (h <= 1e-10)
        return top;
    return top + (ends[2 * i] - top) / h * t;
}

} // namespace

double nodeFriction(const EngineState& S, const PairArray& ends, double z)
{
    if (z - S.ZFL <= -kDepthTol)
        return 0.0;
    const int n = std::clamp(S.SEG_COUNT, 1, MAX_SEGMENTS);
    double bottom = thickness(S, 1);
    if (z - bottom <= kDepthTol)
        return insideSegment(S, ends, 1, z);
    for (int i = 2; i <= n; ++i) {
        bottom += thickness(S, i);
        if (z - bottom <= kDepthTol)
            return insideSegment(S, ends, i, z - (bottom - thickness(S, i)));
    }
    return ends[2 * n]; // below the last segment: its bottom value
}

void accumulateAndPublish(EngineState& S, int index, const SkinColumns& c, const NodeArray& perimeterAt,
                          const PairArray& plugPair, int N)
{
    accumulateSkin(S, c, perimeterAt, N, NodeFrictionRule::ReducedThenLimited);
    publishNodes(S, index, c.unitFriction, c.cumulative, c.tzSkin, N);
    S.METHOD_PLUG_FRICTION[index] = plugPair;
}

} // namespace veldo::classic
