// Capacity steps shared by every method: unit values, end bearing, plug, self weight, totals.
#pragma once

#include "EngineState.h"

namespace veldo {

// Runs the common steps for the current-method index (1..9) given.
void COMMON_STEPS(EngineState &S, int methodIndex);

} // namespace veldo
