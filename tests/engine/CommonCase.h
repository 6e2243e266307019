// Engine states for the tests of the common steps, API RP-2A, the user method
// and the method sequence: soil rows filled directly in engine units (English:
// ft, ksf, pcf; the user unit values in psf as the project file holds them),
// then the segment table and the soil profile built by the engine itself.
#pragma once

#include <memory>
#include <vector>

#include "EngineState.h"
#include "InputRead.h"
#include "SoilProfile.h"
#include "UnitLabels.h"

namespace veldo::commoncase {

struct SoilLayer {
    double bottom;           // ft or m
    int type = 1;            // 1 sand, 2 clay, 3 silt
    double unitWeight = 120; // pcf or kN/m3
    double phi = 0, ko = 1, nq = 0;
    double su = 0, remolded = 0;
    double maxFriction = 9999999, maxBearing = 9999999;
    bool apiDefault = false;                  // limit of side friction typed as 9999
    double userFriction = 0, userBearing = 0; // psf (English) or kPa
    double sideFactor = 1, tipFactor = 1;
    double qc = 0;
};

struct Pile {
    bool english = true;
    double od = 12, id = 0; // in or mm
    int pileEnd = 1;        // 1 closed, 0 open
    double tl = 20, increment = 1;
    double deepest = 30;
    int pileType = 1;
};

inline std::unique_ptr<EngineState> build(const Pile& p, const std::vector<SoilLayer>& layers)
{
    auto state = std::make_unique<EngineState>();
    EngineState& S = *state;
    S.UNIT_SYSTEM = p.english ? 1 : 2;
    S.PRINT_STEP = 1;
    S.OD = p.od;
    S.ID = p.id;
    S.EID = p.id;
    S.PILE_END_FLAG = p.pileEnd;
    S.TL = p.tl;
    S.ESL = p.tl - 1e-7;
    S.INCREMENT = p.increment;
    S.PILE_TYPE = p.pileType;
    S.TENSION_FACTOR = 1.0;
    S.LOW_WEIGHT_DEPTH = 99999;
    S.SELECTED_METHOD = 4;
    S.DEEPEST_SOIL_DEPTH = p.deepest;
    int row = 0;
    double top = 0;
    for (const SoilLayer& l : layers) {
        for (double depth : {top, l.bottom}) {
            ++row;
            auto& r = S.SOIL[row];
            r[COL_DEPTH] = depth;
            r[COL_SOIL_TYPE] = l.type;
            r[COL_KO] = l.ko;
            r[COL_UNIT_WEIGHT] = l.unitWeight;
            r[COL_FRICTION_ANGLE] = l.phi;
            r[COL_NQ] = l.nq;
            r[COL_MAX_UNIT_FRICTION] = l.maxFriction;
            r[COL_MAX_UNIT_BEARING] = l.maxBearing;
            r[COL_UNDRAINED_STRENGTH] = l.su;
            r[COL_REMOLDED_STRENGTH] = l.remolded;
            r[COL_QC] = l.qc;
            r[COL_USER_UNIT_FRICTION] = l.userFriction;
            r[COL_USER_UNIT_BEARING] = l.userBearing;
            r[COL_SIDE_FACTOR] = l.sideFactor;
            r[COL_TIP_FACTOR] = l.tipFactor;
            S.API_DEFAULT_LIMIT[row] = l.apiDefault ? 1 : 0;
        }
        top = l.bottom;
    }
    S.LAYER_END_COUNT = row;
    S.SEG_COUNT = static_cast<int>(p.deepest / p.increment + 1e-6);
    SET_UNIT_LABELS(S);
    BUILD_SEGMENT_TABLE(S);
    PREPARE_SOIL_PROFILE(S);
    return state;
}

} // namespace veldo::commoncase
