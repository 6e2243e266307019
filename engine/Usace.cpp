#include "Usace.h"

namespace veldo {

void CALC_USACE_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
