// Run driver of the engine.
#pragma once

#include <istream>

#include "EngineState.h"

namespace veldo {

// Entry logic: RunRequest::Analysis runs the analysis on a fresh state and returns
// its status; anything else returns RunStatus::Stopped and touches nothing. No
// exception escapes.
int RunEngine(int request);

// The whole run on the given state: reads names.dat from the current directory,
// writes the report and the plot-data file, sets S.STATUS (0 ran to the end,
// 1 an input check stopped it, 2 an input or output failure). Console prompts
// for missing hand-over paths read from consoleIn (standard input by default).
void AXIAL_CAPACITY_MAIN(EngineState& S);
void AXIAL_CAPACITY_MAIN(EngineState& S, std::istream& consoleIn);

// The banner of console and report.
void WRITE_BANNER(EngineState& S, TextOut& out);
// The file header of the report (path, input, output and plot file names).
void WRITE_FILE_HEADER(EngineState& S);

} // namespace veldo
