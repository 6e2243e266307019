#include "Uwa.h"

namespace veldo {

void CALC_UWA_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
