#include "ApiRp2a.h"

#include <algorithm>
#include <cmath>

#include "CommonSteps.h"
#include "DiameterUnits.h"
#include "EngineRules.h"
#include "PiApproximations.h"
#include "SkinAccumulation.h"

namespace veldo {
namespace {

bool isSand(const EngineState& S, int i) { return S.SEG_SOIL_TYPE[i] - SoilType::Sand <= 1e-6; }

// Unit side friction at both ends of every segment, and the plug pair.
void segmentEndFriction(EngineState& S)
{
    for (int i = 1; i <= std::min(S.SEG_COUNT, MAX_SEGMENTS); ++i) {
        const int top = 2 * i - 1, bottom = 2 * i;
        if (isSand(S, i)) {
            const double tanDelta = std::tan((S.SEG_FRICTION_ANGLE[i] - 5.0) / kDegreesPerRadian57_2958);
            S.SEG_END_FRICTION[top] = S.SEG_KO[i] * S.SIGV_ENDS[top] * tanDelta;
            S.SEG_END_FRICTION[bottom] = S.SEG_KO[i] * S.SIGV_ENDS[bottom] * tanDelta;
            S.SEG_PLUG_FRICTION[top] = S.SEG_END_FRICTION[top];
            S.SEG_PLUG_FRICTION[bottom] = S.SEG_END_FRICTION[bottom];
            continue;
        }
        S.SIGV_ENDS[bottom] = std::max(S.SIGV_ENDS[bottom], 1e-10);
        const double c = S.SEG_UNDRAINED_STRENGTH[i];
        const double psi = std::max(c / S.SIGV_ENDS[bottom], 1e-10);
        const double alpha = std::min(psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25), 1.0);
        S.SEG_END_FRICTION[top] = S.SEG_END_FRICTION[bottom] = alpha * c;
        S.SEG_PLUG_FRICTION[top] = alpha * S.SEG_REMOLDED_STRENGTH[i];
        S.SEG_PLUG_FRICTION[bottom] = alpha * c;
    }
}

} // namespace

double apiSandFrictionLimit(double phi, int unitSystem)
{
    static constexpr std::array<PhiBand, 5> kEnglish{
        {{20, 1.0, 0}, {25, 1.0, 0.4 / 5}, {30, 1.4, 0.3 / 5}, {35, 1.7, 0.3 / 5}, {40, 2.0, 0.4 / 5}}};
    static constexpr std::array<PhiBand, 5> kSi{
        {{20, 47.8, 0}, {25, 47.8, 19.2 / 5}, {30, 67.0, 14.3 / 5}, {35, 81.3, 14.4 / 5}, {40, 95.7, 19.1 / 5}}};
    const bool englishUnits = unitSystem == UnitSystem::English;
    return phiBandValue(englishUnits ? kEnglish : kSi, phi, englishUnits ? 2.4 : 114.8);
}

void CALC_API_CAPACITY(EngineState& S)
{
    if (S.SEG_COUNT < 1)
        return;
    const int n = lastNode(S);
    const double dz = S.INCREMENT;
    const double perimeter = kPi3_14159 * S.OD / DiameterUnitsPerDepthUnit(english(S));
    segmentEndFriction(S);
    const auto requested = apiDefaultLimitSegments(S);

    // Unit side friction and its limit at the nodes.
    for (int k = 0; k <= n; ++k) {
        const double z = k * dz;
        S.NODE_DEPTH[k] = z;
        double f = z - S.ZFL <= -kDepthTol ? 0.0 : pairAt(S, S.SEG_END_FRICTION, z);
        if (S.LOADING == Loading::Tension)
            f *= S.TENSION_FACTOR;
        S.NODE_UNIT_FRICTION[k] = f;
        const int seg = segmentAtNode(S, k);
        double limit = S.SEG_MAX_UNIT_FRICTION[seg];
        if (requested[seg] && S.SEG_SOIL_TYPE[seg] == SoilType::Sand)
            limit = apiSandFrictionLimit(S.SEG_FRICTION_ANGLE[seg], S.UNIT_SYSTEM);
        S.NODE_FRICTION_LIMIT[k] = limit;
    }
    accumulateNodesAndPublish(S, MethodIndex::ApiRp2a, perimeter, S.TZ_SKIN_CUMULATIVE, S.SEG_PLUG_FRICTION, n);
}

} // namespace veldo
