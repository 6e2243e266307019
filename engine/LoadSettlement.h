// Load distribution and load-settlement analysis.
#pragma once

#include "EngineState.h"

namespace veldo {

void LOAD_SETTLEMENT_ANALYSIS(EngineState &S);

} // namespace veldo
