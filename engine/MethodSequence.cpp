#include "MethodSequence.h"

namespace veldo {

void COMPUTATION_LOOP(EngineState &S) { (void)S; }

} // namespace veldo
