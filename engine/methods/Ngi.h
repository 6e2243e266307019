// NGI offshore method.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_NGI_CAPACITY(EngineState& S);

} // namespace veldo
