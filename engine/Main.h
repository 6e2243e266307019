// Run driver of the engine.
#pragma once

#include "EngineState.h"

namespace veldo {

// Entry logic: request 7 runs the analysis on a fresh state and returns its status;
// anything else returns 1 and touches nothing. No exception escapes.
int RunEngine(int request);

// The whole run on the given state (reads names.dat from the current directory).
void AXIAL_CAPACITY_MAIN(EngineState &S);

} // namespace veldo
