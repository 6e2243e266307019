// Working storage of the offshore CPT-based methods NGI, ICP/MTD, Fugro and UWA:
// each method's plug-friction pair per segment (read by the common steps through
// METHOD_PLUG_FRICTION as well), its accumulated side friction for the
// load-settlement computation, and the cells the NGI rules carry from one
// segment to the next.
#pragma once

#include "CommonStorage.h"

namespace veldo {

struct OffshoreStorage {
    // Per segment i: entry 2i-1 top, entry 2i bottom.
    PairArray NGI_PLUG_FRICTION{};       // sand: the end frictions; clay: remolded value, unit friction
    PairArray ICP_SEG_FRICTION_COPY{};   // copy of the end frictions
    PairArray FUGRO_SEG_FRICTION_COPY{}; // copy of the end frictions
    PairArray UWA_SEG_FRICTION_COPY{};   // copy of the end frictions

    // Accumulated side friction handed to the load-settlement computation,
    // node k = 1..N (unfactored for t-z option 0, factored for option 1).
    NodeArray NGI_TZ_SKIN{};
    NodeArray ICP_TZ_SKIN{};
    NodeArray FUGRO_TZ_SKIN{};
    NodeArray UWA_TZ_SKIN{};

    // NGI cells kept from one segment to the next (0 at the start of a run).
    double NGI_DR = 0;      // relative density
    double NGI_PI_USED = 0; // plasticity index in use
    double NGI_ALPHA = 0;   // clay alpha
    double NGI_FMIN = 0;    // clay lower bound of the unit friction

    // False while a method runs whose table the report does not print (it runs for
    // the load-settlement analysis or as part of its pass): its warnings and errors
    // are not written either.
    bool METHOD_NOTES = true;
};

} // namespace veldo
