#include "Ngi.h"

#include <algorithm>
#include <cmath>

#include "OffshoreCommon.h"

namespace veldo {

namespace {

using namespace offshore;

constexpr double kLowestDr = sp(0.200001f);  // lower bound of the relative density
constexpr double kLowestPi = sp(12.000001f); // lower bound of the plasticity index in use
constexpr double kAbsent = 1e-10;

// Relative density from the cone resistance at the stress sigma; where the
// reference resistance 22 sqrt(sigma pa) is 0 the previous density is kept.
// The cone resistance itself is used as it is.
double relativeDensity(EngineState& S, double qc, double sigma, double pa)
{
    const double q0 = 22.0 * std::sqrt(std::max(sigma, 0.0) * pa);
    if (q0 > 0.0)
        S.NGI_DR = qc > 0.0 ? sp(0.4f) * std::log(qc / q0) : kLowestDr;
    S.NGI_DR = std::max(S.NGI_DR, kLowestDr);
    return S.NGI_DR;
}

double densityFactor(double dr) { return sp(2.1f) * std::pow(dr - sp(0.1f), sp(1.7f)); }

EndFriction sandFriction(EngineState& S, int i)
{
    const Units u = unitsOf(S);
    const double qc = coneResistance(S, i);
    const double zOverL = S.TL > 0.0 ? S.SEG_TOP[i] / S.TL : 0.0;
    const double tipFactor = endSectionId(S) <= sp(1e-5f) ? sp(1.6f) : 1.0;
    const double loadFactor = S.LOADING == Loading::Tension ? 1.0 : sp(1.3f);
    const bool timberOrConcrete = S.PILE_TYPE == PileType::Timber || S.PILE_TYPE == PileType::PrecastConcrete;
    const double materialFactor = timberOrConcrete ? sp(1.2f) : 1.0;
    const double common = zOverL * u.pa * tipFactor * loadFactor * materialFactor;
    auto atStress = [&](double sigma) {
        const double dr = relativeDensity(S, qc, sigma, u.pa);
        return common * densityFactor(dr) * std::pow(sigma / u.pa, 0.25);
    };
    return atSegmentEnds(S, i, atStress);
}

// Clay and silt: one unit friction for the whole segment; the plug pair holds
// the remolded counterpart and the unit friction.
EndFriction clayFriction(EngineState& S, int i, EndFriction& plug)
{
    if (S.SIGV_ENDS[2 * i] < kAbsent)
        S.SIGV_ENDS[2 * i] = kAbsent;
    const double sigma = S.SIGV_ENDS[2 * i];
    const double su = S.SEG_UNDRAINED_STRENGTH[i];
    const double sur = S.SEG_REMOLDED_STRENGTH[i];
    const double psi = std::max(su / sigma, kAbsent);
    const double tipFactor = endSectionId(S) < sp(1e-5f) ? 1.0 : sp(0.8f) + sp(0.2f) * std::sqrt(psi);

    double f = 0.0;
    if (psi < 0.25) {
        S.NGI_PI_USED = std::max(S.SEG_PI[i], kLowestPi);
        f = sp(0.08f) * std::pow(S.NGI_PI_USED - 10.0, sp(0.3f)) * sigma;
    } else if (psi > 1.0) {
        S.NGI_ALPHA = 0.5 / std::pow(psi, sp(0.3f));
        f = S.NGI_ALPHA * su * tipFactor;
    } else {
        S.NGI_PI_USED = std::max(S.SEG_PI[i], kLowestPi);
        S.NGI_FMIN = sp(0.06f) * std::pow(S.NGI_PI_USED - 12.0, sp(0.33f)) * sigma;
        const double alphaA = 0.5 / std::pow(psi, sp(0.3f));
        const double alphaB = sp(0.32f) * std::pow(S.NGI_PI_USED - 10.0, sp(0.3f));
        S.NGI_ALPHA = alphaB + (psi - 0.25) * (alphaA - alphaB) / 0.75;
        f = std::max(S.NGI_ALPHA * su * tipFactor, S.NGI_FMIN);
        plug = {std::max(S.NGI_ALPHA * sur * tipFactor, S.NGI_FMIN), f};
        return {f, f};
    }
    // Outside the interpolated range the remolded value keeps the ratio f / su.
    plug = {su > kAbsent ? f / su * sur : 0.0, f};
    return {f, f};
}

} // namespace

void CALC_NGI_CAPACITY(EngineState& S)
{
    const int n = std::clamp(S.SEG_COUNT, 0, MAX_SEGMENTS);
    for (int i = 1; i <= n; ++i) {
        EndFriction plug;
        EndFriction f;
        if (isSandSegment(S, i)) {
            f = sandFriction(S, i);
            plug = f;
        } else {
            f = clayFriction(S, i, plug);
        }
        S.SEG_END_FRICTION[2 * i - 1] = f.top;
        S.SEG_END_FRICTION[2 * i] = f.bottom;
        S.NGI_PLUG_FRICTION[2 * i - 1] = plug.top;
        S.NGI_PLUG_FRICTION[2 * i] = plug.bottom;
    }
    accumulateSideFriction(S, MethodIndex::Ngi, S.NGI_PLUG_FRICTION, S.NGI_TZ_SKIN);
}

} // namespace veldo
