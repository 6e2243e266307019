// Working storage of the FHWA, USACE and Revised Lambda methods: their working
// cells, per-segment end-friction pairs (entry 2i-1 top, 2i bottom of segment i)
// and node arrays (node k = 0..N at depth k * INCREMENT).
#pragma once

#include "CommonStorage.h"
#include "SegmentStorage.h"

namespace veldo {

struct ClassicStorage {
    // ---- FHWA working cells.
    double DISPLACEMENT_VOLUME = 0;   // V, ft3 per ft of pile (the charts' unit)
    double KDELTA_VALUE = 0;          // K-delta of the last sand segment
    double PENETRATION_RATIO = 0;     // D/b of the last clay segment
    double FHWA_CLAY_TOP = 0;         // top of the clay layer of the last clay segment
    double FHWA_CLAY_BOTTOM = 0;      // its bottom (unclipped)
    double FHWA_CLAY_PENETRATION = 0; // thickness of the clay layers the walk has left
    double ADHESION_FACTOR = 0;       // alpha of the last adhesion-chart call
    int FHWA_CASE = 0;                // adhesion chart case: 1 A, 2 B, 3 C, 10 from the soil above

    // ---- FHWA results.
    PairArray FHWA_SEG_END_FRICTION{};   // unit side friction at the segment ends
    PairArray FHWA_PLUG_FRICTION{};      // pair handed to the plug step
    NodeArray FHWA_NODE_UNIT_FRICTION{}; // reduced in tension and limited
    NodeArray FHWA_FRICTION_LIMIT{};
    NodeArray FHWA_SKIN_INCREMENT{};
    NodeArray FHWA_INCREMENT_MAX{};
    NodeArray FHWA_SKIN_CUMULATIVE{}; // factored on exit
    NodeArray FHWA_TZ_SKIN{};         // hand-over to the load-settlement computation

    // ---- USACE results (the shared node arrays hold the rest).
    PairArray USACE_PLUG_FRICTION{};
    NodeArray USACE_FRICTION_LIMIT{};
    NodeArray USACE_INCREMENT_MAX{};
    NodeArray USACE_TZ_SKIN{};

    // ---- Revised Lambda: per-segment work columns (i = 1..n).
    SegArray LAMBDA_SEG_STRENGTH{};      // s(i); 0 above the zero-friction length
    SegArray LAMBDA_SEG_STRESS_AREA{};   // mean effective stress x thickness
    SegArray LAMBDA_SEG_STRENGTH_AREA{}; // s(i) x thickness
    // Node arrays.
    NodeArray LAMBDA_UNIT_FRICTION{};
    NodeArray LAMBDA_NODE_STRESS{};
    NodeArray LAMBDA_MEAN_STRESS{};
    NodeArray LAMBDA_NODE_STRENGTH{};
    NodeArray LAMBDA_MEAN_STRENGTH{};
    NodeArray LAMBDA_FRICTION_LIMIT{};
    NodeArray LAMBDA_INCREMENT_MAX{};
    NodeArray LAMBDA_SKIN_CUMULATIVE{}; // Q(k), factored on exit
    NodeArray LAMBDA_TZ_SKIN{};
};

} // namespace veldo
