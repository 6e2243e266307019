#include "Icp.h"

namespace veldo {

void CALC_ICP_CAPACITY(EngineState &S) { (void)S; }

} // namespace veldo
