// Hand-filled engine states for the FHWA, USACE and Revised Lambda tests: a pile
// in layered soil whose effective stress grows linearly with depth, described in
// English units (ft, in, ksf, psi) and built in English or in SI units as the
// same physical case. Segments, soil rows and stresses are filled directly.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "EngineState.h"
#include "UnitConversions.h"

namespace veldo::classiccase {

inline constexpr double kKpaPerKsf = units::kKpaPerKsf;
inline constexpr double kMPerFt = 0.3048;
inline constexpr double kMmPerIn = 25.4;
inline constexpr double kKnPerKip = units::kKnPerKip;
inline constexpr double kKpaPerPsi = kKpaPerKsf * 144.0 / 1000.0;

struct Layer {
    double bottom;  // ft
    double type;    // 1 sand, 2 clay, 3 silt
    double phi = 0; // degrees
    double su = 0;  // ksf
    double ko = 1.0;
    double adhesion = 0;
    double remolded = 0;          // ksf (silt: blow count)
    double maxFriction = 9999999; // ksf, 9999999 = no limit
};

struct Case {
    bool english = true;
    double od = 12, id = 0;   // in
    double tl = 20;           // ft
    double increment = 1;     // ft
    double gamma = 0.06;      // effective stress gradient, ksf per ft
    double criticalDepth = 0; // ft; 0: the limited stress is the true stress
    double eModulus = 0;      // psi
    int pileType = 1;
    std::vector<Layer> layers;
};

// Value conversions of the built state.
struct Units {
    bool english = true;
    double depth(double ft) const { return english ? ft : ft * kMPerFt; }
    double diameter(double in) const { return english ? in : in * kMmPerIn; }
    double stress(double ksf) const { return english ? ksf : ksf * kKpaPerKsf; }
    // Engine force back in kips.
    double kips(double force) const { return english ? force : force / kKnPerKip; }
};

inline std::unique_ptr<EngineState> build(const Case& c)
{
    auto state = std::make_unique<EngineState>();
    EngineState& S = *state;
    const Units u{c.english};
    S.UNIT_SYSTEM = c.english ? 1 : 2;
    S.PRINT_STEP = 1;
    S.OD = u.diameter(c.od);
    S.ID = u.diameter(c.id);
    S.EID = S.ID;
    S.TL = u.depth(c.tl);
    S.ESL = S.TL - 1e-7;
    S.INCREMENT = u.depth(c.increment);
    S.PILE_TYPE = c.pileType;
    S.E_MODULUS = c.english ? c.eModulus : c.eModulus * kKpaPerPsi;
    S.TENSION_FACTOR = 1.0;
    S.LOW_WEIGHT_DEPTH = 99999;

    // Soil table: two layer-end rows per layer.
    double top = 0;
    int row = 0;
    for (const Layer& l : c.layers) {
        for (const double d : {top, l.bottom}) {
            ++row;
            S.SOIL[row][COL_DEPTH] = u.depth(d);
            S.SOIL[row][COL_SOIL_TYPE] = l.type;
        }
        top = l.bottom;
    }
    S.LAYER_END_COUNT = row;
    S.DEEPEST_SOIL_DEPTH = u.depth(top);

    const int n = static_cast<int>(top / c.increment + 1e-6);
    S.SEG_COUNT = n;
    const double gamma = u.stress(c.gamma) / u.depth(1.0);
    for (int i = 1; i <= n; ++i) {
        const double topFt = (i - 1) * c.increment;
        const double midFt = topFt + c.increment / 2;
        const auto layer =
            std::find_if(c.layers.begin(), c.layers.end(), [&](const Layer& l) { return midFt < l.bottom; });
        const Layer& l = layer != c.layers.end() ? *layer : c.layers.back();
        S.SEG_TOP[i] = u.depth(topFt);
        S.SEG_BOTTOM[i] = S.SEG_TOP[i] + S.INCREMENT;
        S.SEG_THICKNESS[i] = S.INCREMENT;
        S.SEG_SOIL_TYPE[i] = l.type;
        S.SEG_FRICTION_ANGLE[i] = l.phi;
        S.SEG_UNDRAINED_STRENGTH[i] = u.stress(l.su);
        S.SEG_REMOLDED_STRENGTH[i] = l.type == 3 ? l.remolded : u.stress(l.remolded);
        S.SEG_KO[i] = l.ko;
        S.SEG_ADHESION[i] = l.adhesion;
        S.SEG_MAX_UNIT_FRICTION[i] = l.maxFriction == 9999999 ? 9999999 : u.stress(l.maxFriction);
        S.SEG_MAX_UNIT_BEARING[i] = 9999999;
        S.SEG_SIDE_FACTOR[i] = 1.0;
        S.SEG_TIP_FACTOR[i] = 1.0;
        S.SEG_UNIT_WEIGHT[i] = c.english ? c.gamma * 1000 : gamma;
        S.SIGV_ENDS[2 * i - 1] = gamma * S.SEG_TOP[i];
        S.SIGV_ENDS[2 * i] = gamma * S.SEG_BOTTOM[i];
        const double limitedDepth =
            c.criticalDepth > 0 ? std::min(S.SEG_BOTTOM[i], u.depth(c.criticalDepth)) : S.SEG_BOTTOM[i];
        S.SIGV_LIMITED[2 * i + 1] = gamma * limitedDepth;
    }
    S.SIGV_ENDS[2 * n + 1] = S.SIGV_ENDS[2 * n];
    return state;
}

} // namespace veldo::classiccase
