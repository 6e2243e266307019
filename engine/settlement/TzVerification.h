// Printout of the internally generated t-z curves at the user's depths.
#pragma once

#include "EngineState.h"

namespace veldo {

// Banner of the section, then PRINT_TZ_CURVES(S, 1).
void TZ_VERIFICATION(EngineState& S);

// Builds the t-z curve at each user depth (the curve the load-settlement
// solver would build there) in the node and curve stores, curve i for depth i;
// with printSwitch 1 writes them to the report and, for the depths inside the
// soil profile, to the plot-data file (the extra t-z block).
void PRINT_TZ_CURVES(EngineState& S, int printSwitch);

} // namespace veldo
