#include "typecheck.h"

#include <cmath>
#include <stdexcept>

namespace veldo {

bool IsWholeNumber(long double value) { return value >= -2147483648.0L && value <= 2147483647.0L && Frac(value) == 0; }

long double Frac(long double value) { return value - std::trunc(value); }

long double RoundHalfEven(long double value)
{
    const long double lower = std::floor(value);
    const long double diff = value - lower;
    if (diff > 0.5L)
        return lower + 1;
    if (diff < 0.5L)
        return lower;
    return std::fmod(lower, 2.0L) == 0 ? lower : lower + 1;
}

std::int64_t RoundToInt64(long double value)
{
    constexpr long double limit = 9223372036854775808.0L; // 2^63
    const long double rounded = RoundHalfEven(value);
    if (!(rounded >= -limit && rounded < limit))
        throw std::out_of_range("Value out of range for a 64-bit integer");
    return static_cast<std::int64_t>(rounded);
}

} // namespace veldo
