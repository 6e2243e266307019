// Revised Lambda method.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_LAMBDA2_CAPACITY(EngineState& S);

} // namespace veldo
