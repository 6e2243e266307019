// Side-by-side capacity table of FHWA, USACE and Revised Lambda.
#pragma once

#include "EngineState.h"

namespace veldo {

void PRINT_SIDE_BY_SIDE(EngineState &S);

} // namespace veldo
