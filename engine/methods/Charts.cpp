#include "Charts.h"
#include "UnitConversions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "EngineRules.h"
#include "EngineState.h"

namespace veldo {

double curveValue(std::span<const double> xs, std::span<const double> ys, double x)
{
    if (x <= xs.front())
        return ys.front();
    for (std::size_t k = 1; k < xs.size(); ++k) {
        if (x <= xs[k])
            return ys[k] - (ys[k] - ys[k - 1]) * (xs[k] - x) / (xs[k] - xs[k - 1]);
    }
    return ys.back();
}

double curveFamilyValue(std::span<const double> params, std::span<const double> xs,
                        std::span<const std::span<const double>> curves, double x, double p)
{
    const std::size_t last = params.size() - 1;
    if (p <= params.front())
        return curveValue(xs, curves.front(), x);
    if (p >= params[last])
        return curveValue(xs, curves[last], x);
    std::size_t j = 0;
    while (j + 1 < last && p >= params[j + 1])
        ++j;
    const double lower = curveValue(xs, curves[j], x);
    const double upper = curveValue(xs, curves[j + 1], x);
    return upper + (lower - upper) * (params[j + 1] - p) / (params[j + 1] - params[j]);
}

namespace {

template <std::size_t N, std::size_t M>
double family(const std::array<double, M>& params, const std::array<double, N>& xs,
              const std::array<std::array<double, N>, M>& table, double x, double p)
{
    std::array<std::span<const double>, M> curves;
    for (std::size_t c = 0; c < M; ++c)
        curves[c] = table[c];
    return curveFamilyValue(params, xs, curves, x, p);
}

// --- Friction angle from the blow count -------------------------------------

// Curves of phi against N at 0, 20 and 40 psi, each extended over N = 0..90 by
// the rules of the chart: at 0 psi phi is 45 from N = 20 on; at 20 psi phi is
// 30 below N = 6 and 45 above N = 55; at 40 psi the curve starts at N = 10.
constexpr std::array<double, 21> kFrictionN{0,  2,  4,  6,  10, 15, 20, 25, 30, 35, 40,
                                            45, 50, 55, 60, 65, 70, 75, 80, 85, 90};
constexpr std::array<double, 21> kPhiAt0{0,  32, 34, 36, 38, 42, 45, 45, 45, 45, 45,
                                         45, 45, 45, 45, 45, 45, 45, 45, 45, 45};
constexpr std::array<double, 21> kPhiAt20{30, 30, 30, 30, 32, 34, 36, 37, 39, 40, 41,
                                          42, 44, 45, 45, 45, 45, 45, 45, 45, 45};
constexpr std::array<double, 17> kPhi40N{10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90};
constexpr std::array<double, 17> kPhiAt40{31, 32, 34, 35, 36, 36, 37, 38, 39, 39, 40, 41, 42, 42, 43, 44, 44};

// --- Bearing capacity factors and plasticity-index charts ---------------------

constexpr std::array<double, 13> kNqAX{0, 5, 10, 15, 20, 30, 32, 36, 38, 39, 40, 45, 50};
constexpr std::array<double, 13> kNqAY{1, 1.6, 2.7, 4.4, 7.4, 23, 30, 56, 68, 79, 88, 200, 415.1};
constexpr std::array<double, 13> kNqBX{15, 17.5, 20, 22.5, 25, 27.5, 30, 32.5, 35, 37.5, 40, 42.5, 45};
constexpr std::array<double, 13> kNqBY{4.8, 6.2, 8.2, 12, 15, 21, 30, 43, 64, 98, 160, 265, 475};
constexpr std::array<double, 12> kNqCX{30, 31.25, 32.5, 33.75, 35, 36.25, 37.5, 38.75, 40, 41.25, 42.5, 43.75};
constexpr std::array<double, 12> kNqCY{6.66, 11.25, 20, 32.5, 53.8, 81.3, 117.5, 159.5, 208.8, 262.5, 318.8, 368.8};
constexpr std::array<double, 17> kPiX{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80};
constexpr std::array<double, 17> kPiAY{40, 36,   31,   28.5, 26,   24.5, 23,   22.5, 21.5,
                                       20, 19.5, 18.5, 18,   17.7, 17.5, 17.2, 17};
constexpr std::array<double, 17> kPiBY{34,   32,   29, 27,   24.5, 22.5, 20,  18.5, 17,
                                       15.2, 14.7, 13, 12.3, 11.5, 10,   9.2, 8.5};

// --- Alpha chart ----------------------------------------------------------------

constexpr std::array<double, 3> kAlphaP{20, 30, 45};
constexpr std::array<double, 13> kAlphaX{20, 20.5, 22.5, 25, 27.5, 30, 32.5, 35, 36.5, 37.5, 40, 42.5, 45};
constexpr std::array<std::array<double, 13>, 3> kAlpha{{
    {0.365, 0.375, 0.416, 0.47, 0.525, 0.58, 0.637, 0.68, 0.7, 0.715, 0.75, 0.78, 0.8},
    {0.256, 0.267, 0.319, 0.389, 0.4, 0.52, 0.605, 0.67, 0.7, 0.715, 0.75, 0.78, 0.8},
    {0.177, 0.19, 0.242, 0.318, 0.4, 0.49, 0.578, 0.66, 0.7, 0.715, 0.75, 0.78, 0.8},
}};

// --- Earth-pressure charts ----------------------------------------------------------

constexpr std::array<double, 3> kKdeltaP{0.1, 1, 10};
constexpr std::array<double, 14> kKdelta2530X{0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1, 1.2, 1.4, 1.6, 1.8, 1.9};
constexpr std::array<std::array<double, 14>, 3> kKdelta25{{
    {0.7, 0.739, 0.817, 0.922, 1.042, 1.194, 1.4, 1.808, 2.322, 2.917, 3.383, 3.733, 3.986, 4.072},
    {0.85, 0.902, 0.992, 1.085, 1.206, 1.353, 1.536, 1.886, 2.337, 2.917, 3.383, 3.733, 3.986, 4.072},
    {1, 1.05, 1.136, 1.237, 1.349, 1.478, 1.646, 1.944, 2.316, 2.917, 3.383, 3.733, 3.986, 4.072},
}};
constexpr std::array<std::array<double, 14>, 3> kKdelta30{{
    {0.85, 1.043, 1.26, 1.551, 2.017, 2.56, 3.18, 4.332, 5.36, 5.934, 6.244, 6.399, 6.487, 6.494},
    {1.15, 1.408, 1.629, 1.958, 2.435, 2.928, 3.444, 4.421, 5.36, 5.934, 6.244, 6.399, 6.487, 6.494},
    {1.45, 1.745, 1.978, 2.339, 2.746, 3.18, 3.638, 4.499, 5.36, 5.934, 6.244, 6.399, 6.487, 6.494},
}};
constexpr std::array<double, 13> kKdelta35X{0, 0.1, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6, 0.75, 0.88, 1, 1.11, 2};
constexpr std::array<std::array<double, 13>, 3> kKdelta35{{
    {1.15, 1.47, 2, 2.32, 2.9, 4.18, 5.42, 6.81, 8.55, 9.75, 10.18, 10.34, 10.34},
    {1.75, 2.01, 2.59, 2.98, 3.56, 4.66, 5.65, 6.85, 8.55, 9.75, 10.18, 10.34, 10.34},
    {2.35, 2.76, 3.37, 3.72, 4.26, 5.19, 6.08, 7.12, 8.55, 9.75, 10.18, 10.34, 10.34},
}};
constexpr std::array<double, 10> kKdelta40X{0, 0.1, 0.15, 0.22, 0.3, 0.4, 0.43, 0.5, 0.56, 2};
constexpr std::array<std::array<double, 10>, 3> kKdelta40{{
    {1.7, 5.12, 7.36, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
    {3, 6.352, 8, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
    {4.3, 7.04, 8.48, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
}};

// --- K-delta correction -------------------------------------------------------------

constexpr std::array<double, 7> kCorrectionP{0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4};
constexpr std::array<double, 9> kCorrectionX{14, 18, 22, 26, 30, 34, 38, 42, 45};
constexpr std::array<std::array<double, 9>, 7> kCorrection{{
    {0.83, 0.77, 0.71, 0.64, 0.58, 0.5, 0.42, 0.32, 0.24},
    {0.9, 0.85, 0.8, 0.74, 0.69, 0.63, 0.56, 0.49, 0.43},
    {0.95, 0.92, 0.89, 0.85, 0.82, 0.77, 0.72, 0.66, 0.62},
    {0.99, 0.98, 0.97, 0.95, 0.94, 0.92, 0.9, 0.87, 0.84},
    {1, 1, 1, 1, 1, 1, 1, 1, 1},
    {1.01, 1.02, 1.02, 1.02, 1.03, 1.05, 1.07, 1.09, 1.12},
    {1.02, 1.03, 1.03, 1.04, 1.06, 1.08, 1.1, 1.13, 1.16},
}};

// --- Delta/phi ratio by pile type ---------------------------------------------------

constexpr std::array<double, 13> kDeltaRatioX{0.08, 0.1, 0.2, 0.3, 0.4, 0.52, 0.6, 0.8, 1, 1.2, 1.4, 1.6, 1.9};
constexpr std::array<std::array<double, 13>, 7> kDeltaRatio{{
    {0.342, 0.342, 0.342, 0.342, 0.41, 0.476, 0.516, 0.593, 0.652, 0.697, 0.733, 0.763, 0.798},
    {0.404, 0.404, 0.404, 0.404, 0.466, 0.527, 0.562, 0.637, 0.693, 0.734, 0.766, 0.793, 0.825},
    {0.466, 0.466, 0.466, 0.466, 0.525, 0.59, 0.63, 0.708, 0.767, 0.813, 0.848, 0.877, 0.914},
    {0.571, 0.571, 0.571, 0.571, 0.637, 0.699, 0.736, 0.814, 0.873, 0.917, 0.953, 0.985, 1.024},
    {0.801, 0.801, 0.801, 0.801, 0.845, 0.895, 0.925, 0.994, 1.053, 1.11, 1.159, 1.207, 1.27},
    {0.727, 0.747, 0.827, 0.8875, 0.933, 0.972, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98},
    {0.643, 0.643, 0.643, 0.643, 0.696, 0.757, 0.792, 0.86, 0.916, 0.958, 0.994, 1.024, 1.062},
}};

// --- Tomlinson adhesion charts (stress in ksf) --------------------------------------

constexpr double kKpaPerKsf = units::kKpaPerKsf;
constexpr std::array<double, 10> kAdhesionX{0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5};
constexpr std::array<double, 3> kAdhesionAP{10, 20, 40};
constexpr std::array<std::array<double, 10>, 3> kAdhesionA{{
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 0.95, 0.875, 0.75, 0.75, 0.75, 0.75},
    {1, 1, 0.9, 0.815, 0.68, 0.5, 0.44, 0.4, 0.4, 0.4},
}};
constexpr std::array<double, 2> kAdhesionBP{10, 20};
constexpr std::array<std::array<double, 10>, 2> kAdhesionB{{
    {0.7, 0.519, 0.398, 0.334, 0.298, 0.272, 0.246, 0.226, 0.206, 0.186},
    {0.97, 0.84, 0.746, 0.694, 0.675, 0.656, 0.626, 0.599, 0.568, 0.54},
}};
constexpr std::array<double, 2> kAdhesionCP{10, 40};
constexpr std::array<std::array<double, 10>, 2> kAdhesionC{{
    {1, 0.984, 0.923, 0.829, 0.688, 0.443, 0.303, 0.245, 0.238, 0.238},
    {1, 1, 1, 1, 0.9, 0.701, 0.502, 0.388, 0.315, 0.299},
}};

double strengthKsf(double strength, int unitSystem)
{
    return unitSystem == UnitSystem::English ? strength : strength / kKpaPerKsf;
}

} // namespace

double LOOKUP_FRICTION_ANGLE(double blowCount, double stressPsi)
{
    const double n = std::clamp(blowCount, 0.0, 90.0);
    const double s = std::clamp(stressPsi, 0.0, 40.0);
    const double phi20 = curveValue(kFrictionN, kPhiAt20, n);
    if (s <= 20) {
        const double phi0 = curveValue(kFrictionN, kPhiAt0, n);
        return phi0 - (phi0 - phi20) * s / 20;
    }
    // Above 20 psi and below N = 10 the chart follows the 20-psi curve alone.
    if (n < 10)
        return phi20;
    const double phi40 = curveValue(kPhi40N, kPhiAt40, n);
    return phi20 - (phi20 - phi40) * (s - 20) / 20;
}

double LOOKUP_NQ_A(double phi) { return curveValue(kNqAX, kNqAY, phi); }
double LOOKUP_NQ_B(double phi) { return curveValue(kNqBX, kNqBY, phi); }
double LOOKUP_NQ_C(double phi) { return curveValue(kNqCX, kNqCY, phi); }
double LOOKUP_PI_CHART_A(double plasticityIndex) { return curveValue(kPiX, kPiAY, plasticityIndex); }
double LOOKUP_PI_CHART_B(double plasticityIndex) { return curveValue(kPiX, kPiBY, plasticityIndex); }

double LOOKUP_ALPHA_CHART(double phi, double lengthRatio) { return family(kAlphaP, kAlphaX, kAlpha, phi, lengthRatio); }

double LOOKUP_KDELTA_25(double taperAngle, double displacementVolume)
{
    return family(kKdeltaP, kKdelta2530X, kKdelta25, taperAngle, displacementVolume);
}

double LOOKUP_KDELTA_30(double taperAngle, double displacementVolume)
{
    return family(kKdeltaP, kKdelta2530X, kKdelta30, taperAngle, displacementVolume);
}

double LOOKUP_KDELTA_35(double taperAngle, double displacementVolume)
{
    return family(kKdeltaP, kKdelta35X, kKdelta35, taperAngle, displacementVolume);
}

double LOOKUP_KDELTA_40(double taperAngle, double displacementVolume)
{
    return family(kKdeltaP, kKdelta40X, kKdelta40, taperAngle, displacementVolume);
}

double LOOKUP_KDELTA_CORRECTION(double deltaRatio, double phi)
{
    return family(kCorrectionP, kCorrectionX, kCorrection, phi, deltaRatio);
}

double LOOKUP_DELTA_RATIO(double displacementVolume, int pileType)
{
    const int type = std::clamp(pileType, PileType::First, PileType::Last);
    return curveValue(kDeltaRatioX, kDeltaRatio[static_cast<std::size_t>(type - 1)], displacementVolume);
}

double LOOKUP_ADHESION_A(double strength, double penetrationRatio, int unitSystem)
{
    return family(kAdhesionAP, kAdhesionX, kAdhesionA, strengthKsf(strength, unitSystem), penetrationRatio);
}

double LOOKUP_ADHESION_B(double strength, double penetrationRatio, int unitSystem)
{
    return family(kAdhesionBP, kAdhesionX, kAdhesionB, strengthKsf(strength, unitSystem), penetrationRatio);
}

double LOOKUP_ADHESION_C(double strength, double penetrationRatio, int unitSystem)
{
    return family(kAdhesionCP, kAdhesionX, kAdhesionC, strengthKsf(strength, unitSystem), penetrationRatio);
}

namespace {

// Depths of the CPT profile are compared with the engine's depth tolerance: a
// depth within it of a point is that point.
bool cptPointAbove(const EngineState& S, std::size_t i, double depth) { return depth > S.CPT_DEPTH[i] + kDepthTol; }

// The number of leading CPT points above the depth when the depths ascend:
// those points form a leading run. The run's end is first estimated from the
// mean spacing of the points (a sounding is read at a nearly constant step) and
// then walked to: the walk tests the same condition a bisection tests, so it
// finds the same count from any estimate.
std::size_t cptPointsAbove(const EngineState& S, std::size_t n, double depth)
{
    const auto above = [&S, depth](std::size_t i) { return cptPointAbove(S, i, depth); };
    const double first = S.CPT_DEPTH[1];
    const double spacing = n > 1 ? (S.CPT_DEPTH[n] - first) / static_cast<double>(n - 1) : 0.0;
    const double guess = spacing > 0 ? std::ceil((depth - first) / spacing) : 0.0;
    const auto last = static_cast<double>(n);
    std::size_t k =
        guess >= 0.0 && guess <= last ? static_cast<std::size_t>(guess) : (guess > last ? n : 0); // NaN -> 0
    while (k > 0 && !above(k))
        --k;
    while (k < n && above(k + 1))
        ++k;
    return k;
}

// The first point in file order that is not above the depth (n + 1 when every
// point is above it).
std::size_t firstCptPointAtOrBelow(const EngineState& S, std::size_t n, double depth)
{
    if (S.CPT_ASCENDING)
        return cptPointsAbove(S, n, depth) + 1;
    std::size_t k = 1;
    while (k <= n && cptPointAbove(S, k, depth))
        ++k;
    return k;
}

// Cone resistance at the depth from the first point k at or below it: that
// point's value when the depth is on it (or above the first point), the last
// point's below the profile, else linear between points k - 1 and k. Of two
// points at one depth the first in the file is read.
double cptValue(const EngineState& S, std::size_t k, std::size_t n, double depth)
{
    if (k > n)
        return S.CPT_QC[n];
    if (k == 1 || std::abs(S.CPT_DEPTH[k] - depth) <= kDepthTol)
        return S.CPT_QC[k];
    return S.CPT_QC[k] -
           (S.CPT_QC[k] - S.CPT_QC[k - 1]) * (S.CPT_DEPTH[k] - depth) / (S.CPT_DEPTH[k] - S.CPT_DEPTH[k - 1]);
}

} // namespace

double INTERP_DEPTH_PROFILE(EngineState& S, double depth)
{
    const int count = std::min(S.CPT_COUNT, MAX_CPT_POINTS);
    if (count < 1)
        return S.DEPTH_PROFILE_LAST;
    const auto n = static_cast<std::size_t>(count);
    S.DEPTH_PROFILE_LAST = cptValue(S, firstCptPointAtOrBelow(S, n, depth), n, depth);
    return S.DEPTH_PROFILE_LAST;
}

} // namespace veldo
