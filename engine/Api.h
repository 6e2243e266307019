// API RP-2A method.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_API_CAPACITY(EngineState &S);

} // namespace veldo
