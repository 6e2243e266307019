// Helpers shared by the FHWA, USACE and Revised Lambda routines: unit branch,
// perimeter, tapered diameter, node friction from segment-end pairs, and the side
// friction sum of FHWA and USACE handed to the per-method columns.
#pragma once

#include "EngineRules.h"
#include "PiApproximations.h"
#include "SkinAccumulation.h"

namespace veldo::classic {

// Unit system code the chart lookups expect.
inline int chartUnits(const EngineState& S) { return englishOrBelow(S) ? UnitSystem::English : UnitSystem::SI; }
// Outside diameter in depth units (ft or m).
double headDiameter(const EngineState& S);
// Perimeter of the straight pile in depth units.
double perimeter(const EngineState& S);
// Taper angle (degrees) that applies to the pile: 0 for a type without taper.
double effectiveTaper(const EngineState& S);
// Diameter (depth units) at a depth below the pile head on a tapered pile, never negative.
double taperedDiameter(const EngineState& S, double depth, double taper);
// Thickness of segment i.
inline double thickness(const EngineState& S, int i) { return S.SEG_BOTTOM[i] - S.SEG_TOP[i]; }
inline bool isSilt(double soilType) { return soilType == SoilType::Silt; }

// Unit side friction at depth z from the segment-end pairs: 0 above the
// zero-friction length, else linear inside the segment that holds z.
double nodeFriction(const EngineState& S, const PairArray& ends, double z);

// The side friction summed with the node frictions reduced for tension and limited
// as the sum reaches them (NodeFrictionRule::ReducedThenLimited), then the node
// columns and the plug-friction pair handed to the per-method columns of the
// current-method index.
void accumulateAndPublish(EngineState& S, int index, const SkinColumns& c, const NodeArray& perimeterAt,
                          const PairArray& plugPair, int N);

} // namespace veldo::classic
