#include "CommonSteps.h"

namespace veldo {

void COMMON_STEPS(EngineState &S, int methodIndex)
{
    S.CURRENT_METHOD = methodIndex;
}

} // namespace veldo
