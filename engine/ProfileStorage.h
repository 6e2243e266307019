// Working storage of the soil profile and critical depth (effective stress, limited stress).
#pragma once

#include "SegmentStorage.h"

namespace veldo {

struct ProfileStorage {
};

} // namespace veldo
