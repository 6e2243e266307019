#include "Main.h"

#include <memory>

namespace veldo {

int RunEngine(int request)
{
    if (request != 7)
        return 1;
    try {
        auto S = std::make_unique<EngineState>();
        S->STATUS = 0;
        AXIAL_CAPACITY_MAIN(*S);
        return S->STATUS;
    } catch (...) {
        return 2;
    }
}

void AXIAL_CAPACITY_MAIN(EngineState &S)
{
    (void)S;
}

} // namespace veldo
