#include "Lambda.h"

#include <algorithm>
#include <cmath>

#include "ClassicNodes.h"
#include "CommonSteps.h"

namespace veldo {

using namespace classic;

namespace {

int segmentCount(const EngineState& S) { return std::clamp(S.SEG_COUNT, 0, MAX_SEGMENTS); }

double meanEndStress(const EngineState& S, int i) { return 0.5 * (S.SIGV_ENDS[2 * i - 1] + S.SIGV_ENDS[2 * i]); }

// Strength s(i) of every segment (sand: Ko x mean stress x tan phi), none above
// the zero-friction length, and the stress and strength areas.
void segmentColumns(EngineState& S)
{
    const int n = segmentCount(S);
    for (int i = 1; i <= n; ++i) {
        if (S.SEG_KO[i] == 0)
            S.SEG_KO[i] = 1.0;
        S.LAMBDA_SEG_STRENGTH[i] =
            S.SEG_SOIL_TYPE[i] - SoilType::Sand <= 0
                ? meanEndStress(S, i) * S.SEG_KO[i] * std::tan(S.SEG_FRICTION_ANGLE[i] / kDegreesPerRadian57_2958)
                : S.SEG_UNDRAINED_STRENGTH[i];
    }
    double bottom = 0;
    for (int i = 1; i <= n; ++i) {
        bottom += thickness(S, i);
        if (S.ZFL - bottom > kDepthTol) {
            S.LAMBDA_SEG_STRENGTH[i] = 0;
            continue;
        }
        if (std::abs(S.ZFL - bottom) <= kDepthTol)
            S.LAMBDA_SEG_STRENGTH[i] = 0;
        break;
    }
    for (int i = 1; i <= n; ++i) {
        S.LAMBDA_SEG_STRESS_AREA[i] = meanEndStress(S, i) * thickness(S, i);
        S.LAMBDA_SEG_STRENGTH_AREA[i] = S.LAMBDA_SEG_STRENGTH[i] * thickness(S, i);
    }
}

// Stiffness term E x A (A the section area in in2 or mm2) with its unit factor.
double stiffness(const EngineState& S)
{
    const bool en = englishOrBelow(S);
    double area = kPi3_14159 * (S.OD * S.OD - S.EID * S.EID) / 4.0;
    // The noncircular tip area is stored in ft2 or m2: back to in2 or mm2.
    if (S.TIP_AREA > 1e-4)
        area = S.TIP_AREA * (en ? 144.0 : 1.0e6);
    return S.E_MODULUS * area * (en ? 0.1 : 2.54);
}

// Effective stress, strength and their means over 0..z at node depth z.
void nodeAverages(EngineState& S, int k, double z)
{
    const int n = std::max(segmentCount(S), 1);
    const double h1 = thickness(S, 1);
    const auto stressIn = [&](int i, double t) {
        const double h = thickness(S, i);
        const double top = S.SIGV_ENDS[2 * i - 1];
        return h > 1e-10 ? top + (S.SIGV_ENDS[2 * i] - top) / h * t : top;
    };
    if (z - h1 <= kDepthTol) {
        const double sz = stressIn(1, z);
        S.LAMBDA_NODE_STRESS[k] = sz;
        S.LAMBDA_NODE_STRENGTH[k] = S.LAMBDA_MEAN_STRENGTH[k] = S.LAMBDA_SEG_STRENGTH[1];
        S.LAMBDA_MEAN_STRESS[k] = 0.5 * (S.SIGV_ENDS[1] + sz);
        return;
    }
    double stressSum = S.LAMBDA_SEG_STRESS_AREA[1];
    double strengthSum = S.LAMBDA_SEG_STRENGTH_AREA[1];
    double bottom = h1;
    int i = 2;
    for (; i <= n; ++i) {
        bottom += thickness(S, i);
        if (z - bottom <= kDepthTol || i == n)
            break;
        stressSum += S.LAMBDA_SEG_STRESS_AREA[i];
        strengthSum += S.LAMBDA_SEG_STRENGTH_AREA[i];
    }
    i = std::min(i, n);
    const double t = z - (bottom - thickness(S, i));
    const double sz = stressIn(i, t);
    S.LAMBDA_NODE_STRESS[k] = sz;
    S.LAMBDA_NODE_STRENGTH[k] = S.LAMBDA_SEG_STRENGTH[i];
    S.LAMBDA_MEAN_STRESS[k] = (stressSum + 0.5 * (sz + S.SIGV_ENDS[2 * i - 1]) * t) / z;
    S.LAMBDA_MEAN_STRENGTH[k] = (strengthSum + S.LAMBDA_SEG_STRENGTH[i] * t) / z;
}

double lambdaOf(double pi2, double meanStrength, double meanStress)
{
    if (pi2 == 0)
        return 0.0;
    // With no effective stress the soil counts as overconsolidated.
    const bool normal = meanStress > 1e-10 && meanStrength / meanStress < 0.4;
    const double lambda = normal ? 0.178 - 0.016 * std::log(pi2) : 0.232 - 0.032 * std::log(pi2);
    return std::max(lambda, 0.14);
}

// Total side friction down to node k from the lambda formula.
double lambdaCapacity(EngineState& S, int k, double z, double p, double stiffnessTerm)
{
    nodeAverages(S, k, z);
    const double meanStrength = S.LAMBDA_MEAN_STRENGTH[k];
    const double meanStress = S.LAMBDA_MEAN_STRESS[k];
    const double scale = englishOrBelow(S) ? 1000.0 : 1.0e6;
    const double c = kPi3_14159 * S.OD;
    double pi2 = 0;
    if (z > 0) {
        const double top = c * z * z * meanStrength * scale;
        pi2 = stiffnessTerm > 1e-10 ? top / stiffnessTerm : (top > 0 ? 1e30 : 0.0);
    }
    return (2.0 * meanStrength + meanStress) * lambdaOf(pi2, meanStrength, meanStress) * p * z;
}

// Unit friction of node k from the cumulative sums; a value below 1e-7 takes the previous one.
double unitFrom(const NodeArray& q, const NodeArray& f, int k, double pdz)
{
    if (pdz <= 1e-10)
        return 0.0;
    if (k == 0)
        return q[0] / pdz;
    const double value = (q[k] - q[k - 1]) / pdz;
    return value < 1e-7 ? f[k - 1] : value;
}

// Untensioned sums: the formula's increments, the unit friction held at its
// limit and the increment at the limit-based increment.
void untensionedSums(EngineState& S, int N, double p)
{
    const double dz = S.INCREMENT;
    const double pdz = p * dz;
    const double stiffnessTerm = stiffness(S);
    NodeArray& q = S.LAMBDA_SKIN_CUMULATIVE;
    NodeArray& f = S.LAMBDA_UNIT_FRICTION;
    for (int k = 0; k <= N; ++k) {
        const double z = k * dz;
        const double formula = lambdaCapacity(S, k, z, p, stiffnessTerm);
        const double previous = k > 0 ? q[k - 1] : 0.0;
        q[k] = formula;
        double fk = unitFrom(q, f, k, pdz);
        if (k == 0) {
            S.LAMBDA_INCREMENT_MAX[0] = 0;
            f[0] = fk;
            q[0] = pdz * fk;
            continue;
        }
        const double dqMax = (S.LAMBDA_FRICTION_LIMIT[k - 1] + S.LAMBDA_FRICTION_LIMIT[k]) * 0.5 * pdz;
        S.LAMBDA_INCREMENT_MAX[k] = dqMax;
        fk = std::min(fk, S.LAMBDA_FRICTION_LIMIT[k]);
        f[k] = fk;
        q[k] = previous + std::min(pdz * fk, dqMax);
    }
}

} // namespace

void CALC_LAMBDA2_CAPACITY(EngineState& S)
{
    const int N = lastNode(S);
    const double p = perimeter(S);
    const double pdz = p * S.INCREMENT;
    segmentColumns(S);
    for (int k = 0; k <= N; ++k) {
        S.NODE_DEPTH[k] = k * S.INCREMENT;
        S.LAMBDA_FRICTION_LIMIT[k] = S.SEG_MAX_UNIT_FRICTION[segmentAtNode(S, k)];
    }
    untensionedSums(S, N, p);

    NodeArray& q = S.LAMBDA_SKIN_CUMULATIVE;
    if (S.LOADING == Loading::Tension) {
        for (int k = 0; k <= N; ++k)
            q[k] *= S.TENSION_FACTOR;
        for (int k = 0; k <= N; ++k)
            S.LAMBDA_UNIT_FRICTION[k] = unitFrom(q, S.LAMBDA_UNIT_FRICTION, k, pdz);
    }
    double factored = S.SEG_SIDE_FACTOR[segmentAtNode(S, 0)] * q[0];
    S.SKIN_FACTORED[0] = factored;
    for (int k = 1; k <= N; ++k) {
        factored += (q[k] - q[k - 1]) * S.SEG_SIDE_FACTOR[segmentAtNode(S, k)];
        S.SKIN_FACTORED[k] = factored;
    }
    for (int k = 0; k <= N; ++k) {
        S.LAMBDA_TZ_SKIN[k] = S.SIDE_FACTOR_FLAG == TzFactorOption::Factored ? S.SKIN_FACTORED[k] : q[k];
        q[k] = S.SKIN_FACTORED[k];
    }
    publishNodes(S, MethodIndex::RevisedLambda, S.LAMBDA_UNIT_FRICTION, S.LAMBDA_SKIN_CUMULATIVE, S.LAMBDA_TZ_SKIN, N);
}

} // namespace veldo
