// The two computation passes: the design methods in their fixed order, each
// followed by the common steps, its capacity table and its plot-data block;
// then the load-settlement input and analysis.
#pragma once

#include "EngineState.h"

namespace veldo {

// True when the run writes a table and a plot-data block for the design method:
// ticked, and for an offshore method the offshore-methods flag is on.
bool methodWritesOutput(const EngineState& S, int designMethod);

// Number of method blocks the plot-data file will hold.
int plotSeriesCount(const EngineState& S);

// Capacity table of a design method (report), each row followed by its plot row.
void PRINT_CAPACITY_TABLE(EngineState& S, int designMethod);

// Copies the printed points of the selected method into the load-settlement input.
void COPY_LOAD_SETTLEMENT_INPUT(EngineState& S);

// Both passes of the computation loop.
void COMPUTATION_LOOP(EngineState& S);

} // namespace veldo
