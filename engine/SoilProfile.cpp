#include "SoilProfile.h"

namespace veldo {

void PREPARE_SOIL_PROFILE(EngineState &S) { (void)S; }

} // namespace veldo
