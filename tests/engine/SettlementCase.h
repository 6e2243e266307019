// Engine states for the load-transfer, load-settlement and t-z verification
// tests: the pile, the layer-end records and the load-settlement input (the
// selected method's printed points) filled directly in engine units.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "EngineState.h"

namespace veldo::settlementcase {

struct SoilEnd {
    double depth; // ft or m below the ground
    int type;     // 1 sand, 2 clay, 3 silt
    double phi = 0;
};

// Builds the state of a pile: English when english (OD, ID in inch, E in psi,
// lengths in ft), else SI (mm, kPa, m). Method 4 (API RP-2A) selected.
inline std::unique_ptr<EngineState> pile(bool english, double od, double id, double e, double tl, double psl,
                                         const std::vector<SoilEnd>& ends)
{
    auto state = std::make_unique<EngineState>();
    EngineState& S = *state;
    S.UNIT_SYSTEM = english ? 1 : 2;
    S.OD = od;
    S.ID = id;
    S.E_MODULUS = e;
    S.TL = tl;
    S.PSL = psl;
    S.SELECTED_METHOD = 4;
    S.LAYER_END_COUNT = static_cast<int>(ends.size());
    for (size_t r = 0; r < ends.size(); ++r) {
        S.SOIL[r + 1][COL_DEPTH] = ends[r].depth;
        S.SOIL[r + 1][COL_SOIL_TYPE] = ends[r].type;
        S.SOIL[r + 1][COL_FRICTION_ANGLE] = ends[r].phi;
    }
    return state;
}

// Load-settlement input of `rows` equally spaced points from 0 to TL: skin
// friction rising linearly with the depth (slope kips/ft or kN/m), the same
// tip value (kips or kN) at every point.
inline void linearInput(EngineState& S, int rows, double skinSlope, double tip)
{
    S.LS_POINT_COUNT = rows;
    for (int r = 1; r <= rows; ++r) {
        const double depth = S.TL * (r - 1) / (rows - 1);
        S.LS_NODE[r] = r - 1;
        S.LS_DEPTH[r] = depth;
        S.LS_SKIN[r] = skinSlope * depth;
        S.LS_TIP[r] = tip;
    }
}

inline void expectRel(double actual, double expected, double rel = 1e-6)
{
    EXPECT_NEAR(actual, expected, rel * std::max(std::fabs(expected), 1e-12)) << "expected " << expected;
}

} // namespace veldo::settlementcase
