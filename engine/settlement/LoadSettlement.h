// Load distribution and load-settlement analysis of the single pile by the
// load-transfer (t-z) method, for the selected design method.
#pragma once

#include "EngineState.h"

namespace veldo {

// The report section (notes, banner, t-z tables, tip curve, load versus
// settlement table) and the plot-data blocks of t-z curves, load distribution
// and load-settlement.
void LOAD_SETTLEMENT_ANALYSIS(EngineState& S);

// Builds the t-z nodes and curves, the stiffness table and the tip curve, and
// runs the nine load steps. With printSwitch 1 the t-z tables are written.
void SOLVE_LOAD_SETTLEMENT(EngineState& S, int printSwitch);

// Fixed-point iterations allowed per segment; reaching the cap keeps the last value.
inline constexpr int kMaxSegmentIterations = 200;

} // namespace veldo
