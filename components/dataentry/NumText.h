// The one path between numbers and text: locale-free, "." as the decimal separator
// always, built on std::to_chars / std::from_chars.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldo {

// General format with `digits` significant digits (1..18): the value is rounded to
// `digits` significant digits, trailing zeros and a bare decimal point are dropped,
// and fixed notation is used unless the decimal exponent is below -4 or at least
// `digits`, in which case the exponent form "d.dddE-x" / "d.dddEx" is used (no "+"
// and no leading zeros in the exponent).
// Examples with 10 digits: 0, 1.5, -2, 0.0001, 1E-5, 2.5E12, 1234567890.
// Non-finite values give "NAN", "INF" and "-INF".
std::string formatGeneral(long double value, int digits);

// Digit counts used across the program.
inline std::string formatGeneral18(long double v) { return formatGeneral(v, 18); }
inline std::string formatGeneral10(long double v) { return formatGeneral(v, 10); }
inline std::string formatGeneral8(long double v) { return formatGeneral(v, 8); }
inline std::string formatGeneral5(long double v) { return formatGeneral(v, 5); }
inline std::string formatGeneral4(long double v) { return formatGeneral(v, 4); }

// Reads a whole text as a decimal real: optional "+" or "-", digits with an optional
// "." fraction (at least one digit in all), optional exponent "E"/"e" with optional
// sign and digits. No blanks, no "," decimal, no hexadecimal, no "inf"/"nan".
// A magnitude beyond the 80-bit range gives nothing; one too small for it gives 0.
std::optional<long double> parseFloat(std::string_view text);

// True when a text has the decimal syntax parseFloat reads, whatever its magnitude.
bool hasDecimalSyntax(std::string_view text);

// Reads a whole text as a decimal integer (optional sign, digits only) within the
// range of long long.
std::optional<long long> parseInteger(std::string_view text);

} // namespace veldo
