#include "InputEcho.h"

namespace veldo {

void INPUT_ECHO(EngineState &S) { (void)S; }

} // namespace veldo
