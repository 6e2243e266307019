// Effective vertical stress, friction-angle and strength fill-ins, critical depth.
#pragma once

#include "EngineState.h"

namespace veldo {

void PREPARE_SOIL_PROFILE(EngineState& S);

} // namespace veldo
