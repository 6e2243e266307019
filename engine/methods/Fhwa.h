// FHWA method: Nordlund sand, adhesion clay.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_FHWA_CAPACITY(EngineState& S);

} // namespace veldo
