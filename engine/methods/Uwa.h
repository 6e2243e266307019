// UWA offshore method.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_UWA_CAPACITY(EngineState& S);

} // namespace veldo
