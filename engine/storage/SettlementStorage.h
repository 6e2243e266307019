// Working storage of the load-transfer curves, load distribution, load-settlement and t-z verification.
//
// Units inside this area: English: depths, movements and diameters in inch, load transfer in psi,
// forces in lb, modulus in psi, area in in2; SI: m, kPa, kN, kPa, m2.
// Node and curve stores are sized to the run's real need (entry 0 unused, so the node number k
// indexes them directly): a 40-layer profile with stick-up needs 123 nodes, the verification up to
// 100 curves.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "InputStorage.h"

namespace veldo {

inline constexpr int TZ_CURVE_POINTS = 10;                   // every t-z and tip curve has 10 points
inline constexpr int LOAD_STEP_COUNT = 9;                    // assumed tip movements
inline constexpr int MAX_LS_SEGMENTS = MAX_SEGMENTS + 1;     // printed points of a capacity table
using CurvePoints = std::array<double, TZ_CURVE_POINTS + 1>; // points 1..10
using StepValues = std::array<double, LOAD_STEP_COUNT + 1>;  // steps 1..9

// One pile segment of the solver: its centre, stiffness and the t-z nodes that
// bracket the centre (side stress = t(lower) + weight x (t(upper) - t(lower))).
struct SolverSegment {
    double centre = 0;
    double stiffness = 0;
    int lower = 1;
    int upper = 1;
    double weight = 0;
};

// Which t-z curve a node follows.
namespace TzCurveKind {
inline constexpr int Sand = 1;
inline constexpr int Clay = 2; // clay, silt, a layer of mixed records and the stick-up
} // namespace TzCurveKind

struct SettlementStorage {
    // ---- t-z nodes 1..TZNODE_COUNT.
    int TZNODE_COUNT = 0;
    std::vector<double> TZNODE_DEPTH;  // below the pile head
    std::vector<double> TZNODE_GROUND; // below the ground surface (negative in the stick-up)
    std::vector<int> TZNODE_KIND;      // TzCurveKind of the node
    std::vector<double> TZNODE_FSIDE;  // ultimate unit side resistance
    std::vector<double> TZNODE_PHI;    // friction angle, degrees

    // ---- t-z curves: curve k belongs to node k, points 1..10.
    std::vector<CurvePoints> TZCURVE_T; // load transfer
    std::vector<CurvePoints> TZCURVE_Z; // movement

    // ---- Tip load-movement curve and tip capacity (lb or kN).
    CurvePoints TIP_W{};
    CurvePoints TIP_Q{};
    double TIP_CAPACITY = 0;

    // ---- Axial stiffness table rows 1..AE_COUNT: distance below the pile head, E x A.
    int AE_COUNT = 0;
    std::array<double, MAX_SECTION_ROWS + 1> AE_DEPTH{};
    std::array<double, MAX_SECTION_ROWS + 1> AE_VALUE{};

    // ---- The load steps: assumed tip movement, tip load, head load, head movement.
    int STEP_COUNT = 0;
    StepValues TIP_MOVEMENT_STEPS{};
    StepValues STEP_TIP_LOAD{};
    StepValues STEP_HEAD_LOAD{};
    StepValues STEP_HEAD_MOVEMENT{};
    std::array<bool, LOAD_STEP_COUNT + 1> STEP_ITERATION_LIMIT{}; // the iteration cap was reached

    // ---- Segments of the solver (1..nP) and the axial load and movement at the
    // segment ends of the current step (0 = tip, nP = head).
    std::vector<SolverSegment> LS_SEGMENTS;
    std::array<double, MAX_LS_SEGMENTS + 1> END_LOAD{};
    std::array<double, MAX_LS_SEGMENTS + 1> END_MOVEMENT{};
    std::string ROW_TEXT; // reused text of a load-distribution row
};

} // namespace veldo
