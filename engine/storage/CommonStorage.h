// Working storage of the common capacity steps: the node arrays shared by the
// side-friction routines, the per-segment pairs of the end-bearing and plug
// steps, the per-method result columns (current-method index 1..9), the API
// RP-2A and general-method results, and the load-settlement input.
//
// Current-method index: 1 FHWA, 2 USACE, 3 Revised Lambda, 4 API RP-2A,
// 5 NGI, 6 ICP/MTD, 7 Fugro, 8 UWA, 9 user-specified load transfer.
// Nodes: k = 0..N at depth k * INCREMENT, N = int(TL / INCREMENT + 1e-6) <= 500.
// Pairs: entry 2i-1 is the top of segment i, entry 2i its bottom.
#pragma once

#include <array>

#include "SegmentStorage.h"

namespace veldo {

// Current-method index: a method's column in the per-method result arrays (the
// order the methods were added to the engine, not the design method number).
namespace MethodIndex {
inline constexpr int None = 0; // no method (a column no method fills)
inline constexpr int Fhwa = 1;
inline constexpr int Usace = 2;
inline constexpr int RevisedLambda = 3;
inline constexpr int ApiRp2a = 4;
inline constexpr int Ngi = 5;
inline constexpr int IcpMtd = 6;
inline constexpr int Fugro = 7;
inline constexpr int Uwa = 8;
inline constexpr int General = 9; // the user's unit skin friction and end bearing
inline constexpr int First = Fhwa;
inline constexpr int Last = General;
// NGI, ICP/MTD, Fugro and UWA: the CPT-based offshore rules.
constexpr bool IsOffshore(int index) { return index >= Ngi && index <= Uwa; }
} // namespace MethodIndex

// What carries the tip at a node (PLUG_FLAG).
namespace PlugControl {
inline constexpr int FullSection = 1;
inline constexpr int AnnulusAndPlug = 2; // annulus and plug friction; the table marks it "*"
} // namespace PlugControl

inline constexpr int MAX_NODES = MAX_SEGMENTS + 1;          // nodes 0..500
inline constexpr int METHOD_COLUMNS = 10;                   // index 1..9 (0 unused)
using NodeArray = std::array<double, MAX_NODES + 1>;        // 0..501 (one spare)
using PairArray = std::array<double, 2 * MAX_SEGMENTS + 2>; // 0..1001
using MethodNodeColumns = std::array<NodeArray, METHOD_COLUMNS>;
using MethodPairColumns = std::array<PairArray, METHOD_COLUMNS>;

struct CommonStorage {
    // ---- Node arrays shared by the side-friction routines (overwritten by each method).
    NodeArray NODE_DEPTH{};                 // k * INCREMENT
    NodeArray NODE_UNIT_FRICTION{};         // unit side friction f(k)
    NodeArray NODE_FRICTION_LIMIT{};        // limit of the unit side friction at node k
    NodeArray NODE_UNIT_FRICTION_LIMITED{}; // min(f(k), limit(k))
    NodeArray SKIN_INCREMENT{};             // side friction between nodes k-1 and k
    NodeArray SKIN_INCREMENT_MAX{};         // the same increment from the limits
    NodeArray SKIN_CUMULATIVE{};            // accumulated side friction (factored on exit)
    NodeArray SKIN_FACTORED{};              // running sum of increments x side factor
    NodeArray TZ_SKIN_CUMULATIVE{};         // API RP-2A hand-over to the load-settlement

    // ---- Per-segment pairs shared by the side-friction routines.
    PairArray SEG_END_FRICTION{};  // unit side friction at the top / bottom of segment i
    PairArray SEG_PLUG_FRICTION{}; // API RP-2A plug-friction pair

    // ---- Pairs of the common steps.
    PairArray UNIT_BEARING_ENDS{};        // unit end bearing q
    PairArray ANNULUS_TIP_ENDS{};         // q (or cone resistance) x annulus area
    PairArray INNER_FRICTION_ENDS{};      // unit friction between plug and inside wall
    PairArray PLUG_TIP_ENDS{};            // annulus force + accumulated inner friction
    PairArray FULL_TIP_ENDS{};            // q x full tip area
    PairArray PLUG_FRICTION_CUMULATIVE{}; // entries 0..2n: inner friction from the head

    // ---- Node arrays of the common steps (current method).
    NodeArray PLUG_TIP_NODE{}; // annulus force + inner friction along the end section
    NodeArray TIP_AVERAGED{};  // full-section tip averaged over +-1.5 OD, limited (tension: W)
    NodeArray TIP_RESULT{};    // end bearing of node k (tension: self weight), unfactored
    // PlugControl of node k: what carries the tip.
    std::array<std::array<int, MAX_NODES + 1>, METHOD_COLUMNS> PLUG_FLAG{};

    // Saved critical stresses of the USACE end-bearing rule (kept for the run).
    double USACE_S15 = 0;
    double USACE_S20 = 0;

    // Copies of TIP_RESULT the common steps make for the methods that want them.
    NodeArray FHWA_END_BEARING{};  // index 1
    NodeArray USACE_END_BEARING{}; // index 2

    // ---- General method (index 9).
    NodeArray GENERAL_SKIN_CUMULATIVE{}; // factored (and in tension reduced) side friction
    NodeArray GENERAL_TIP_RESISTANCE{};  // user unit end bearing x tip area

    // ---- Per-method result columns, indexed [current-method index][node k].
    // Filled by the method routine before COMMON_STEPS(S, index):
    MethodPairColumns METHOD_PLUG_FRICTION{}; // plug-friction pair (indexes 1,2,4..8)
    MethodNodeColumns METHOD_SKIN{};          // factored accumulated side friction
    MethodNodeColumns METHOD_UNIT_FRICTION{}; // unit side friction shown in the plot row
    MethodNodeColumns METHOD_TZ_SKIN{};       // accumulated side friction for the load-settlement
    // Filled by COMMON_STEPS(S, index):
    MethodNodeColumns METHOD_TIP{};         // TIP_RESULT of the method (unfactored; tension: W)
    MethodNodeColumns METHOD_END_BEARING{}; // third table column: tip x end-bearing factor (tension: W)
    MethodNodeColumns METHOD_ULTIMATE{};    // METHOD_SKIN + METHOD_END_BEARING

    // ---- Load-settlement input: the printed points of the selected method
    // (rows r = 1..LS_POINT_COUNT, in depth order; the last row is the tip).
    int LS_METHOD_INDEX = 0;                  // current-method index of the selected method
    int LS_POINT_COUNT = 0;                   // nRows
    std::array<int, MAX_NODES + 1> LS_NODE{}; // node k of row r
    NodeArray LS_DEPTH{};                     // k * INCREMENT
    NodeArray LS_SKIN{};                      // METHOD_TZ_SKIN of the selected method at node k
    NodeArray LS_TIP{};                       // METHOD_TIP at node k; METHOD_END_BEARING when SIDE_FACTOR_FLAG is 1
};

} // namespace veldo
