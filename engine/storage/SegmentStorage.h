// The segment table: per segment i = 1..SEG_COUNT the depths, soil type and the
// soil values interpolated at mid-depth; rebuilt at the start of each pass.
#pragma once

#include <array>

#include "InputStorage.h"

namespace veldo {

using SegArray = std::array<double, MAX_SEGMENTS + 2>; // index 1..500 (+1 spare for "segment k+1")

struct SegmentStorage {
    int SEG_COUNT = 0; // n: segments down to the deepest soil depth
    SegArray SEG_TOP{}, SEG_BOTTOM{}, SEG_THICKNESS{};
    SegArray SEG_SOIL_TYPE{};
    SegArray SEG_KO{}, SEG_UNIT_WEIGHT{}, SEG_FRICTION_ANGLE{}, SEG_NQ{};
    SegArray SEG_MAX_UNIT_FRICTION{}, SEG_MAX_UNIT_BEARING{};
    SegArray SEG_UNDRAINED_STRENGTH{}, SEG_REMOLDED_STRENGTH{}, SEG_BLOW_COUNT{};
    SegArray SEG_PI{}, SEG_QC{};
    SegArray SEG_USER_UNIT_FRICTION{}, SEG_USER_UNIT_BEARING{};
    SegArray SEG_SIDE_FACTOR{}, SEG_TIP_FACTOR{};
    SegArray SEG_ADHESION{};
};

} // namespace veldo
