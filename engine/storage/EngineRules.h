// Small rules every engine routine shares: the unit system of the run and the
// tolerance of depth comparisons.
#pragma once

#include "EngineState.h"

namespace veldo {

// Two depths (ft or m) closer than this are the same depth.
inline constexpr double kDepthTol = 1e-6;

// The run is in English units (ft, in, kips, ksf).
inline bool english(const EngineState& S) { return S.UNIT_SYSTEM == UnitSystem::English; }

// The classic methods' unit test: every code up to the English one takes the
// English branch. The input reader admits only English and SI, where both tests agree.
inline bool englishOrBelow(const EngineState& S) { return S.UNIT_SYSTEM <= UnitSystem::English; }

} // namespace veldo
