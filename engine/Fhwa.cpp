#include "Fhwa.h"

namespace veldo {

void CALC_FHWA_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
