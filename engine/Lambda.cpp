#include "Lambda.h"

namespace veldo {

void CALC_LAMBDA2_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
