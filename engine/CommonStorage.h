// Working storage of the common capacity steps, node arrays, per-method result columns, API RP-2A and the general method.
#pragma once

#include "SegmentStorage.h"

namespace veldo {

struct CommonStorage {
};

} // namespace veldo
