// Helpers shared by the FHWA, USACE and Revised Lambda routines: unit branch,
// perimeter, tapered diameter, node friction from segment-end pairs, the skin
// accumulation of FHWA and USACE, and the hand-over to the per-method columns.
#pragma once

#include "EngineRules.h"

namespace veldo::classic {

inline constexpr double PI5 = 3.14159;
inline constexpr double DEG_PER_RAD = 57.2958;

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

// The node arrays one accumulation fills.
struct SkinColumns {
    NodeArray& unitFriction; // in: unit friction per node; out: reduced and limited
    NodeArray& limit;        // in: limit per node
    NodeArray& increment;
    NodeArray& incrementMax;
    NodeArray& cumulative; // out: factored accumulated side friction
    NodeArray& tzSkin;
};

// Accumulates the side friction down the nodes 1..N with the perimeter of each
// node: tension reduction, limits, factored sum (SKIN_FACTORED) and the t-z
// hand-over; on exit the cumulative column holds the factored sum.
void accumulateSkin(EngineState& S, const SkinColumns& c, const NodeArray& perimeterAt, int N);

// accumulateSkin, then the node columns and the plug-friction pair handed to the
// per-method columns of the current-method index.
void accumulateAndPublish(EngineState& S, int index, const SkinColumns& c, const NodeArray& perimeterAt,
                          const PairArray& plugPair, int N);

// Copies a method's node results into its per-method columns for the common steps.
void publishNodes(EngineState& S, int index, const NodeArray& unitFriction, const NodeArray& skin,
                  const NodeArray& tzSkin, int N);

} // namespace veldo::classic
