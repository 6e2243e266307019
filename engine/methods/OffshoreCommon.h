// Rules shared by the offshore CPT-based methods NGI, ICP/MTD, Fugro and UWA:
// units, the end section seen by the methods, the cone resistance of a sand
// segment, the ICP/MTD clay rule, and the node and accumulation frame that turns
// the segment end frictions into the node arrays and the method's result columns.
#pragma once

#include <algorithm>

#include "EngineState.h"

namespace veldo::offshore {

// The empirical constants of these methods were published and used at single
// precision; sp() widens such a constant exactly as the original fits do.
constexpr double sp(float v) { return static_cast<double>(v); }

inline constexpr double kNoLimit = 9999999.0;

struct Units {
    bool english = true;
    double pa = 0;            // atmospheric pressure, ksf or kPa
    double smallPerDepth = 0; // in per ft (12) or mm per m (1000)
};
Units unitsOf(const EngineState& S);

// Inside diameter of the end section as these methods see it: 0 (closed) when
// the pile-end flag says closed-ended, EID otherwise.
double endSectionId(const EngineState& S);

// Sand test of the methods (soil type 1; every other type follows the clay rule).
bool isSandSegment(const EngineState& S, int i);

// Cone resistance (ksf or kPa) of segment i: the layer value, else the CPT
// profile at the segment's top, else 2.8 x pa x blow count.
double coneResistance(EngineState& S, int i);

// h: distance from the pile tip to the top of segment i, in in or mm.
double tipDistance(const EngineState& S, int i);

// R* = sqrt((OD^2 - EID^2) / 4) with the end section as these methods see it.
double radiusStar(const EngineState& S);

// tan(phi - 5 degrees), the pile-soil friction of the sand rules.
double sandFrictionTan(double phiDegrees);

struct EndFriction {
    double top = 0;
    double bottom = 0;
};

// A sand rule's unit side friction at the bottom stress of segment i, then at
// its top stress (in this order: a rule may keep state from one to the next).
template <typename AtStress> EndFriction atSegmentEnds(const EngineState& S, int i, AtStress atStress)
{
    const double bottom = atStress(S.SIGV_ENDS[2 * i]);
    const double top = atStress(S.SIGV_ENDS[2 * i - 1]);
    return {top, bottom};
}

// The ICP/MTD clay and silt rule for segment i (also used by Fugro and UWA):
// writes the plasticity-index error and the h/R warning to the report.
EndFriction icpClayFriction(EngineState& S, int i);

// Stores the pair in SEG_END_FRICTION and in the method's own copy.
void storeEndFriction(EngineState& S, int i, EndFriction f, PairArray& copy);

// Node and accumulation frame for the current-method index: node frictions
// from SEG_END_FRICTION, limits (a limit typed by the user bounds these methods
// as it bounds API RP-2A; a layer entered for the API default has none), the
// increments and sums, and the result columns METHOD_SKIN, METHOD_UNIT_FRICTION,
// METHOD_TZ_SKIN and METHOD_PLUG_FRICTION (from plugPair) of that index; tzSkin
// receives the load-settlement hand-over as well.
void accumulateSideFriction(EngineState& S, int methodIndex, const PairArray& plugPair, NodeArray& tzSkin);

// A method whose clay and silt follow the ICP/MTD clay rule: the end frictions of
// every segment (sand by the method's own rule), kept also in the method's copy,
// then the node and accumulation frame of its index.
template <typename SandRule>
void runWithIcpClay(EngineState& S, int methodIndex, SandRule sandFriction, PairArray& copy, NodeArray& tzSkin)
{
    const int n = std::clamp(S.SEG_COUNT, 0, MAX_SEGMENTS);
    for (int i = 1; i <= n; ++i) {
        const EndFriction f = isSandSegment(S, i) ? sandFriction(S, i) : icpClayFriction(S, i);
        storeEndFriction(S, i, f, copy);
    }
    accumulateSideFriction(S, methodIndex, copy, tzSkin);
}

} // namespace veldo::offshore
