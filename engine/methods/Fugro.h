// Fugro offshore method.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_FUGRO_CAPACITY(EngineState& S);

} // namespace veldo
