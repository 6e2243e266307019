// US Army Corps of Engineers method.
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_USACE_CAPACITY(EngineState& S);

} // namespace veldo
