// ICP/MTD offshore method.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_ICP_CAPACITY(EngineState& S);

} // namespace veldo
