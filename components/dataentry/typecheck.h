// Checks and conversions of 80-bit reals: whole numbers, fractions, rounding.
#pragma once

#include <cstdint>

namespace veldo {

// True when the value lies in -2147483648..2147483647 and has no fractional part.
bool IsWholeNumber(long double value);

// The fractional part, with the sign of the value (Frac(-2.5) is -0.5).
long double Frac(long double value);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2), whatever the floating-point rounding mode.
long double RoundHalfEven(long double value);

// RoundHalfEven as a 64-bit integer; throws std::out_of_range when the rounded
// value does not fit or the value is not finite.
std::int64_t RoundToInt64(long double value);

} // namespace veldo
