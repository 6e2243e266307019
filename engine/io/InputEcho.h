// Echo of the whole input into the report.
#pragma once

#include "EngineState.h"

namespace veldo {

void INPUT_ECHO(EngineState& S);

} // namespace veldo
