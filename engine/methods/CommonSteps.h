// Capacity steps shared by every method: unit end bearing, annulus tip, plug
// friction, tip at the nodes, averaged full-section tip, self weight, totals.
//
// Contract with the method routines. Before COMMON_STEPS(S, index) runs, the
// method routine of that index must have filled, for every node k = 0..N
// (N = lastNode(S), node k at depth k * INCREMENT):
//   S.METHOD_SKIN[index][k]          factored accumulated side friction (each
//                                    increment x SEG_SIDE_FACTOR[segmentAtNode(S,k)]),
//                                    tension factor already applied; entry 0 = 0.
//                                    This is the TOTAL SKIN FRICTION column.
//   S.METHOD_UNIT_FRICTION[index][k] unit side friction of node k (fifth plot column).
//   S.METHOD_TZ_SKIN[index][k]       accumulated side friction for the load-settlement:
//                                    unfactored when SIDE_FACTOR_FLAG is 0, factored when 1.
// and, for indexes 1, 2, 4, 5, 6, 7, 8, for every segment i = 1..SEG_COUNT:
//   S.METHOD_PLUG_FRICTION[index][2i-1], [2i]  the method's plug-friction pair
//                                    (unit side friction at the top / bottom of
//                                    segment i that the inner plug friction uses).
// Index 3 (Revised Lambda) and 9 (general) leave no pair.
// COMMON_STEPS then fills TIP_RESULT, PLUG_FLAG[index][k], METHOD_TIP (unfactored
// end bearing, tension: self weight W), METHOD_END_BEARING (compression: tip x
// SEG_TIP_FACTOR[segmentAtNode(S,k)]; tension: W unfactored) and METHOD_ULTIMATE
// (skin + third column). Index 9 takes its end bearing from GENERAL_TIP_RESISTANCE.
//
// Load-settlement input (filled by COPY_LOAD_SETTLEMENT_INPUT right after the
// common steps of the selected method, when its table prints): rows
// r = 1..LS_POINT_COUNT are the printed points of the selected method (the rows of
// its capacity table), LS_NODE[r] the node, LS_DEPTH[r] its depth,
// LS_SKIN[r] = METHOD_TZ_SKIN, LS_TIP[r] = METHOD_TIP, or the printed
// METHOD_END_BEARING when SIDE_FACTOR_FLAG is 1.
#pragma once

#include <array>

#include "EngineState.h"

namespace veldo {

// N: the last node, integer part of TL / INCREMENT + 1e-6, held within 0..500.
int lastNode(const EngineState& S);
// The segment that starts at node k (k + 1), held within 1..SEG_COUNT.
int segmentAtNode(const EngineState& S, int k);
// The segment that holds depth z: the first whose bottom satisfies
// z - bottom <= 1e-6 (the segment that ends at a node); the last one below all.
int segmentHolding(const EngineState& S, double z);
// A per-segment pair (entry 2i-1 top, 2i bottom of segment i) interpolated
// linearly over the segment that holds depth z.
double pairAt(const EngineState& S, const PairArray& pair, double z);
// Current-method index of a design method number; MethodIndex::None outside 1..9.
int methodIndexOf(int designMethod);

// Per segment: true when the layer's maximum unit side friction was entered as
// 9999 at both layer ends, the request for API RP-2A's default limit. The soil
// rows that bracket a segment are found as the segment table finds them.
std::array<bool, MAX_SEGMENTS + 2> apiDefaultLimitSegments(const EngineState& S);

// A limit that rises with the friction angle in five bands up to 20, 25, 30, 35
// and 40 degrees: each band's value at its lower bound and slope per degree (the
// first band is flat); each band includes its upper bound; `beyond` above 40.
struct PhiBand {
    double upTo, base, slope;
};
double phiBandValue(const std::array<PhiBand, 5>& bands, double phi, double beyond);

// The six steps, in order, for the current-method index S.CURRENT_METHOD.
void CALC_UNIT_END_BEARING(EngineState& S);
void CALC_ANNULUS_TIP(EngineState& S);
void CALC_PLUG_FRICTION(EngineState& S);
void SUM_ANNULUS_AND_PLUG(EngineState& S);
void CALC_PLUG_TIP_AT_NODES(EngineState& S);
void CALC_TIP_AND_SELF_WEIGHT(EngineState& S);

// Sets the current-method index and runs the six steps, then the totals of
// the per-method columns.
void COMMON_STEPS(EngineState& S, int methodIndex);

// Self weight of the pile down to depth d (tension), zw the submerged depth.
double selfWeight(const EngineState& S, double depth);

} // namespace veldo
