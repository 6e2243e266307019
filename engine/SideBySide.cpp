#include "SideBySide.h"

namespace veldo {

void PRINT_SIDE_BY_SIDE(EngineState &S) { (void)S; }

} // namespace veldo
