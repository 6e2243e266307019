// Printout of the internally generated t-z curves at the user's depths.
#pragma once

#include "EngineState.h"

namespace veldo {

void TZ_VERIFICATION(EngineState &S);

} // namespace veldo
