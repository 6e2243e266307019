// The two computation passes: methods in their fixed order, capacity tables, plot blocks.
#pragma once

#include "EngineState.h"

namespace veldo {

void COMPUTATION_LOOP(EngineState &S);

} // namespace veldo
