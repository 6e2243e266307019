// Working storage of the offshore CPT-based methods NGI, ICP/MTD, Fugro and UWA.
#pragma once

#include "SegmentStorage.h"

namespace veldo {

struct OffshoreStorage {
};

} // namespace veldo
