// The plot-data file: its header and the rows of the method blocks.
#pragma once

#include <string>
#include <vector>

#include "EngineState.h"

namespace veldo {

// Nodes k of the printed penetration points: points 1, 1 + N, 1 + 2N, ... and
// the last point P (point p is node p - 1), N the print step (at least 1).
std::vector<int> printedNodes(const EngineState& S);

// Blank-separated integers in free format (" 2 11 1 4").
std::string freeFormatIntegers(const std::vector<int>& values);

// Header line: number of method blocks, rows per block, unit system, selected method.
void WRITE_PLOT_HEADER(EngineState& S, int seriesCount);

// One row of a method block for node k of current-method index `index`: depth,
// skin friction, end bearing (tension: self weight), ultimate capacity, unit
// side friction.
void WRITE_PLOT_ROW(EngineState& S, int index, int k);

} // namespace veldo
