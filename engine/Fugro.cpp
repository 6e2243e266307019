#include "Fugro.h"

namespace veldo {

void CALC_FUGRO_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
