// Working storage of the FHWA, USACE and Revised Lambda methods.
#pragma once

#include "SegmentStorage.h"

namespace veldo {

struct ClassicStorage {
};

} // namespace veldo
