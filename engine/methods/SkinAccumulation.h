// The side friction summed down the nodes (trapezoid rule over each increment),
// shared by FHWA, USACE, API RP-2A and the offshore methods, and the hand-over of
// a method's node results to its per-method columns.
#pragma once

#include "EngineState.h"

namespace veldo {

// The node arrays one accumulation reads and fills.
struct SkinColumns {
    NodeArray& unitFriction; // in: unit side friction per node
    NodeArray& limit;        // in: limit of the unit side friction per node
    NodeArray& increment;    // out: side friction of the increment ending at the node
    NodeArray& incrementMax; // out: the same from the limits
    NodeArray& cumulative;   // out: factored accumulated side friction
    NodeArray& tzSkin;       // out: accumulated side friction for the load-settlement
};

// How the node frictions enter the increments.
enum class NodeFrictionRule {
    // As given (the caller has applied the tension factor); an increment is bounded
    // only by the increment of the limits.
    AsGiven,
    // Each node from node 1 on is first reduced by the tension factor in tension;
    // after its increment it is limited in place, and the next increment takes the
    // limited value: the unit friction column ends reduced and limited.
    ReducedThenLimited,
};

// Sums the side friction down the nodes 1..N with the perimeter of each node:
// increment (f[k-1] + f[k]) / 2 x perimeter x INCREMENT, bounded by the same from
// the limits; the sum factored by the side factor of the segment at each node
// (SKIN_FACTORED). On exit the cumulative column holds the factored sum and
// tzSkin the factored sum with TzFactorOption::Factored, else the unfactored one;
// entry 0 of every output is 0.
void accumulateSkin(EngineState& S, const SkinColumns& c, const NodeArray& perimeterAt, int N, NodeFrictionRule rule);

// Copies a method's node results into its per-method columns for the common steps.
void publishNodes(EngineState& S, int index, const NodeArray& unitFriction, const NodeArray& skin,
                  const NodeArray& tzSkin, int N);

// API RP-2A and the offshore methods: the node frictions NODE_UNIT_FRICTION (as
// given) bounded by NODE_FRICTION_LIMIT into NODE_UNIT_FRICTION_LIMITED, the side
// friction summed with one perimeter into the SKIN_ columns and tzSkin, then the
// limited node frictions, the sums and the plug-friction pair handed to the
// per-method columns of the index.
void accumulateNodesAndPublish(EngineState& S, int index, double perimeter, NodeArray& tzSkin,
                               const PairArray& plugPair, int N);

} // namespace veldo
