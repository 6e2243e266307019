#include "Ngi.h"

namespace veldo {

void CALC_NGI_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
