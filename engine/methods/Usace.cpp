#include "Usace.h"

#include <cmath>

#include "ClassicNodes.h"
#include "CommonSteps.h"
#include "UnitConversions.h"

namespace veldo {

using namespace classic;

namespace {

// Pile-soil friction angle as a fraction of the soil friction angle, by pile type.
double deltaFraction(int pileType)
{
    switch (pileType) {
    case PileType::Timber:
        return 0.9;
    case PileType::PrecastConcrete:
        return 0.95;
    case PileType::HPile:
        return 0.875;
    default:
        return 0.75;
    }
}

// Adhesion factor of clay: 1 up to su = 0.5 ksf, 0.5 from 1.5 ksf, linear between.
double alphaOf(double c, bool en)
{
    const double low = units::ksf(en, 0.5);
    const double high = units::ksf(en, 1.5);
    if (c <= low)
        return 1.0;
    if (c <= high)
        return 1.0 - 0.5 * (c - low) / (high - low);
    return 0.5;
}

struct EndPair {
    double top = 0, bottom = 0;
};

EndPair sandFriction(EngineState& S, int i)
{
    const double delta = deltaFraction(S.PILE_TYPE) * S.SEG_FRICTION_ANGLE[i];
    double k = S.SEG_KO[i];
    if (S.MethodTicked[Method::ApiRp2a] == Flag::On || k == 0)
        k = S.LOADING == Loading::Tension ? 0.6 : 1.25;
    const double t = std::tan(delta / kDegreesPerRadian57_2958);
    return {k * S.SIGV_LIMITED[2 * i - 1] * t, k * S.SIGV_LIMITED[2 * i + 1] * t};
}

// Critical depth under option 1: the first sand or silt segment whose bottom
// stress exceeds the limit.
void searchCriticalDepth(EngineState& S, int i)
{
    const double limit = units::ksf(englishOrBelow(S), 3.5);
    if (S.CRITICAL_DEPTH_OPTION == CriticalDepthOption::AtStressLimit && S.USER_CRITICAL_DEPTH < 1e-5 &&
        S.SIGV_ENDS[2 * i] > limit)
        S.USER_CRITICAL_DEPTH = S.SEG_BOTTOM[i];
}

void segmentFrictions(EngineState& S)
{
    const bool en = englishOrBelow(S);
    for (int i = 1; i <= S.SEG_COUNT && i <= MAX_SEGMENTS; ++i) {
        const double type = S.SEG_SOIL_TYPE[i];
        const bool silt = isSilt(type);
        const bool sand = silt || type - SoilType::Sand <= (en ? 0.0 : 1e-6);
        EndPair f;
        if (sand) {
            f = sandFriction(S, i);
            S.USACE_PLUG_FRICTION[2 * i - 1] = f.top;
            S.USACE_PLUG_FRICTION[2 * i] = f.bottom;
            searchCriticalDepth(S, i);
        }
        if (!sand || silt) {
            const double c = S.SEG_UNDRAINED_STRENGTH[i];
            const double alpha = alphaOf(c, en);
            f.top += alpha * c;
            f.bottom += alpha * c;
            // A silt segment hands its own end frictions to the plug step.
            S.USACE_PLUG_FRICTION[2 * i - 1] = silt ? f.top : alpha * S.SEG_REMOLDED_STRENGTH[i];
            S.USACE_PLUG_FRICTION[2 * i] = silt ? f.bottom : f.top;
        }
        S.SEG_END_FRICTION[2 * i - 1] = f.top;
        S.SEG_END_FRICTION[2 * i] = f.bottom;
    }
}

} // namespace

void CALC_USACE_CAPACITY(EngineState& S)
{
    if (S.CRITICAL_DEPTH_OPTION == CriticalDepthOption::AtStressLimit)
        S.USER_CRITICAL_DEPTH = 0;
    const int N = lastNode(S);
    segmentFrictions(S);

    NodeArray perimeterAt{};
    perimeterAt.fill(perimeter(S));
    for (int k = 0; k <= N; ++k) {
        const double z = k * S.INCREMENT;
        S.NODE_DEPTH[k] = z;
        S.NODE_UNIT_FRICTION[k] = nodeFriction(S, S.SEG_END_FRICTION, z);
        S.USACE_FRICTION_LIMIT[k] = S.SEG_MAX_UNIT_FRICTION[segmentAtNode(S, k)];
    }
    accumulateAndPublish(S, MethodIndex::Usace,
                         {S.NODE_UNIT_FRICTION, S.USACE_FRICTION_LIMIT, S.SKIN_INCREMENT, S.USACE_INCREMENT_MAX,
                          S.SKIN_CUMULATIVE, S.USACE_TZ_SKIN},
                         perimeterAt, S.USACE_PLUG_FRICTION, N);
}

} // namespace veldo
