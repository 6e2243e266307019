// Exact conversions between the English and SI units of the engine, so that a
// quantity the rules define once (in English units) is the same physical
// quantity in either unit system.
#pragma once

namespace veldo::units {

inline constexpr double kMetrePerFoot = 0.3048;
inline constexpr double kMetrePerInch = 0.0254;
inline constexpr double kSquareMetrePerSquareFoot = 0.09290304;
inline constexpr double kKnPerKip = 4.4482216152605;
inline constexpr double kKpaPerKsf = kKnPerKip / kSquareMetrePerSquareFoot; // 47.880259
// kN/m3 per pcf: lb to kN over ft3 to m3.
inline constexpr double kKnM3PerPcf = kKnPerKip / 1000.0 / (kSquareMetrePerSquareFoot * kMetrePerFoot);

// Atmospheric pressure of the rules that normalise by it: 100 kPa in both systems.
inline constexpr double kAtmosphericKpa = 100.0;
inline constexpr double kAtmosphericKsf = kAtmosphericKpa / kKpaPerKsf; // 2.0885

// Unit weight of water: 62.4 pcf, 9.8023 kN/m3.
inline constexpr double kWaterPcf = 62.4;
inline constexpr double kWaterKnM3 = 9.8023;

// Feet in the run's depth unit (ft or m), and inches in the run's diameter
// unit (in or mm).
inline constexpr double feet(bool english, double ft) { return english ? ft : ft * kMetrePerFoot; }
inline constexpr double inches(bool english, double in) { return english ? in : in * kMetrePerInch * 1000.0; }
// A stress given in ksf in the run's stress unit (ksf or kPa).
inline constexpr double ksf(bool english, double v) { return english ? v : v * kKpaPerKsf; }

} // namespace veldo::units
