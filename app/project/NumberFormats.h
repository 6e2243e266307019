// Number texts of the files the program writes: the general form of the project file
// and the exponent forms of the CPT and wave-equation files. "." is always the
// decimal separator.
#pragma once

#include <string>

namespace veldo {

// General format, 10 significant digits, no trailing zeros: 0, 1.5, 1E-5, 2.5E12.
std::string FormatGeneral10(long double value);

// Scientific format with `digits` significant digits (at least 1) and a signed
// exponent of at least `exponentDigits` digits: FormatExp(12.3, 3, 2) = "1.23E+01".
std::string FormatExp(long double value, int digits, int exponentDigits);

// 3 significant digits, exponent of at least 2 digits: 1.23E+01, 0.00E+00, -4.50E-02.
std::string FormatExp3D2(long double value);
// 3 significant digits, exponent of at least 1 digit: 1.23E+1.
std::string FormatExp3D1(long double value);

} // namespace veldo
