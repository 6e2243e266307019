// Working storage of the load-transfer curves, load distribution, load-settlement and t-z verification.
#pragma once

#include "SegmentStorage.h"

namespace veldo {

struct SettlementStorage {
};

} // namespace veldo
