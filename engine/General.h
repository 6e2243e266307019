// Load transfer specified by the user (general method).
#pragma once

#include "EngineState.h"

namespace veldo {

void CALC_GENERAL_CAPACITY(EngineState &S);

} // namespace veldo
