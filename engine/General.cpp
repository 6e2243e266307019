#include "General.h"

namespace veldo {

void CALC_GENERAL_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
