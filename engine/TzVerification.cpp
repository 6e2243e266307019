#include "TzVerification.h"

namespace veldo {

void TZ_VERIFICATION(EngineState &S) { (void)S; }

} // namespace veldo
