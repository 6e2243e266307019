// Load transfer specified by the user (general method): the user's unit skin
// friction and unit end bearing of every layer give the capacity directly.
#pragma once

#include "EngineState.h"

namespace veldo {

// Fills GENERAL_SKIN_CUMULATIVE, GENERAL_TIP_RESISTANCE and the per-method
// columns of index 9 (see CommonSteps.h).
void CALC_GENERAL_CAPACITY(EngineState& S);

// True when some segment has a non-zero user unit side friction or end bearing.
bool hasUserLoadTransfer(const EngineState& S);

} // namespace veldo
