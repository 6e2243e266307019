// Side-by-side table of the ultimate capacities of FHWA, USACE and Revised
// Lambda, written after their capacity tables when at least one is ticked.
#pragma once

#include "EngineState.h"

namespace veldo {

// Boxed title, heading, unit line and one row per printed point: depth (F7.2)
// and the ultimate capacity of each of the three methods (F9.1). Report only.
void PRINT_SIDE_BY_SIDE(EngineState& S);

} // namespace veldo
