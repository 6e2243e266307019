#include "LoadSettlement.h"

namespace veldo {

void LOAD_SETTLEMENT_ANALYSIS(EngineState &S) { (void)S; }

} // namespace veldo
