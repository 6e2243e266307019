#include "Api.h"

namespace veldo {

void CALC_API_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
