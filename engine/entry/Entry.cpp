// The library's one entry, exported as IVELDO and _IVELDO.
#include "RunDriver.h"

extern "C" {

__attribute__((visibility("default"))) int IVELDO(int request) { return veldo::RunEngine(request); }

__attribute__((visibility("default"), alias("IVELDO"))) int _IVELDO(int request);

} // extern "C"
