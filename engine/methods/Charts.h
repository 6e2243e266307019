// Design-chart and depth-table lookups. Each chart is a fixed digitised table,
// interpolated linearly and held at its end values outside its range.
#pragma once

#include <span>

namespace veldo {

struct EngineState;

// One curve (X increasing) at x: linear between points, end values outside.
double curveValue(std::span<const double> xs, std::span<const double> ys, double x);

// A family of curves over shared abscissae, one curve per parameter value
// (params increasing): the two curves around p are interpolated linearly in p;
// p is held at the first and last parameter outside their range.
double curveFamilyValue(std::span<const double> params, std::span<const double> xs,
                        std::span<const std::span<const double>> curves, double x, double p);

// Friction angle (degrees) from the SPT blow count and the effective vertical
// stress in psi (curves at 0, 20 and 40 psi). N is clamped to 0..90, the
// stress to 0..40 psi.
double LOOKUP_FRICTION_ANGLE(double blowCount, double stressPsi);

// Bearing capacity factor Nq from the friction angle (degrees).
double LOOKUP_NQ_A(double phi);
double LOOKUP_NQ_B(double phi);
double LOOKUP_NQ_C(double phi);

// Charts of the plasticity index (%).
double LOOKUP_PI_CHART_A(double plasticityIndex);
double LOOKUP_PI_CHART_B(double plasticityIndex);

// Alpha from the friction angle (degrees) and the ratio total length / outside
// diameter (curves 20, 30, 45).
double LOOKUP_ALPHA_CHART(double phi, double lengthRatio);

// Earth-pressure coefficient K-delta for soil friction angles 25, 30, 35, 40
// degrees, from the pile taper angle (degrees) and the displacement volume
// (curves 0.1, 1, 10).
double LOOKUP_KDELTA_25(double taperAngle, double displacementVolume);
double LOOKUP_KDELTA_30(double taperAngle, double displacementVolume);
double LOOKUP_KDELTA_35(double taperAngle, double displacementVolume);
double LOOKUP_KDELTA_40(double taperAngle, double displacementVolume);

// Correction factor of K-delta from the ratio delta/phi (curves 0.2 .. 1.4, the
// parameter first) and the soil friction angle (degrees).
double LOOKUP_KDELTA_CORRECTION(double deltaRatio, double phi);

// Ratio delta/phi of pile-soil to soil friction angle from the displacement
// volume, one curve per pile type 1..7 (types outside are held at 1 or 7).
double LOOKUP_DELTA_RATIO(double displacementVolume, int pileType);

// Tomlinson adhesion factors from the undrained strength and the penetration
// ratio D/b. The strength is in ksf (unit system 1) or kPa (any other system,
// converted with 47.880259 kPa per ksf).
double LOOKUP_ADHESION_A(double strength, double penetrationRatio, int unitSystem);
double LOOKUP_ADHESION_B(double strength, double penetrationRatio, int unitSystem);
double LOOKUP_ADHESION_C(double strength, double penetrationRatio, int unitSystem);

// Cone resistance of the CPT profile (CPT_COUNT, CPT_DEPTH, CPT_QC) at a depth,
// in the project's units as read. With an empty profile it returns the last
// result (0 before the first call); every result becomes the new last result.
double INTERP_DEPTH_PROFILE(EngineState& S, double depth);

} // namespace veldo
