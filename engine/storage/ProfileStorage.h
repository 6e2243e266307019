// Working storage of the soil profile and critical depth: effective vertical
// stress at the segment ends, the stress limited at the critical depth, and the
// last values of the estimating lookups.
#pragma once

#include <array>

#include "SegmentStorage.h"

namespace veldo {

// Entries 1..2n+1 of the stress arrays are used (n <= MAX_SEGMENTS).
inline constexpr int SIGV_SIZE = 2 * MAX_SEGMENTS + 2;
using SigvArray = std::array<double, SIGV_SIZE>;

struct ProfileStorage {
    // Effective vertical stress (ksf / kPa) at both ends of every segment:
    // entry 2i-1 is the top of segment i, entry 2i its bottom; entry 2i+1 = entry 2i.
    SigvArray SIGV_ENDS{};
    // Entry 2i+1: stress at the bottom of segment i, held at the value of the
    // critical depth below it. Only odd entries from 3 on carry values.
    SigvArray SIGV_LIMITED{};
    // Critical depth (ft / m) of the segment last examined; 0 means "no limit".
    double CRITICAL_DEPTH = 0;
    // Last friction angle (degrees) estimated from a blow count; reset on every
    // PREPARE_SOIL_PROFILE call.
    double PHI_ESTIMATE = 0;
    // Last result of INTERP_DEPTH_PROFILE (returned again while the CPT profile is empty).
    double DEPTH_PROFILE_LAST = 0;
};

} // namespace veldo
