// API RP-2A method: unit side friction by the API sand and clay rules, its
// limits, and the accumulated side friction along the pile.
#pragma once

#include "EngineState.h"

namespace veldo {

// Fills the shared node arrays and SEG_END_FRICTION / SEG_PLUG_FRICTION, then the
// per-method columns of index 4 (see CommonSteps.h).
void CALC_API_CAPACITY(EngineState& S);

// API default limit of the unit side friction in sand (ksf or kPa) from phi.
double apiSandFrictionLimit(double phi, int unitSystem);

} // namespace veldo
