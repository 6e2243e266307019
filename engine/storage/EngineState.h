// The engine's whole working storage for one run. Each area keeps its storage
// names in its own struct; the state joins them so that every routine can use
// the names directly. A fresh, zeroed state is made for every call of the entry.
#pragma once

#include "ClassicStorage.h"
#include "CommonStorage.h"
#include "InputStorage.h"
#include "OffshoreStorage.h"
#include "ProfileStorage.h"
#include "RunStorage.h"
#include "SegmentStorage.h"
#include "SettlementStorage.h"

namespace veldo {

struct EngineState : RunStorage,
                     InputStorage,
                     SegmentStorage,
                     ProfileStorage,
                     CommonStorage,
                     ClassicStorage,
                     OffshoreStorage,
                     SettlementStorage {};

} // namespace veldo
