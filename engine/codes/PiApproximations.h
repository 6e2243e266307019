// The approximations of pi, pi/4 and the degree that the routines of the engine and
// the program use. They differ from routine to routine, and each routine keeps its
// own: the reports, the plot data and the saved files depend on them to the last
// digit. The name of each holds its value (F: single precision, L: long double).
// One declaration for the engine and the program; plain C++, no Qt.
#pragma once

namespace veldo {

inline constexpr double kPi3_1416 = 3.1416;
inline constexpr double kPi3_14159 = 3.14159;
inline constexpr float kPi3_1416F = 3.1416f;
inline constexpr float kPi3_14159F = 3.14159f;
inline constexpr long double kPi3_1416L = 3.1416L;

inline constexpr double kQuarterPi0_7853975 = 0.7853975;
inline constexpr double kQuarterPi0_785398 = 0.785398;
inline constexpr long double kQuarterPi0_7854L = 0.7854L;

// Degrees per radian and radians per degree.
inline constexpr double kDegreesPerRadian57_2958 = 57.2958;
inline constexpr float kDegreesPerRadian57_2958F = 57.2958f;
inline constexpr double kRadiansPerDegree0_01745 = 0.01745;
inline constexpr long double kRadiansPerDegree0_01745L = 0.01745L;

} // namespace veldo
