#include "Fugro.h"

#include <algorithm>
#include <cmath>

#include "OffshoreCommon.h"

namespace veldo {

namespace {

using namespace offshore;

EndFriction sandFriction(EngineState& S, int i)
{
    const Units u = unitsOf(S);
    const double qc = coneResistance(S, i);
    const double rStar = radiusStar(S);
    const double h = std::max(tipDistance(S, i), sp(1e-5f));
    const double hOverR = h / rStar;
    auto atStress = [&](double sigma) {
        const double sn = sigma / u.pa;
        if (S.LOADING == Loading::Tension)
            return sp(0.045f) * qc * std::pow(sn, sp(0.15f)) * std::pow(std::max(hOverR, 4.0), -sp(0.85f));
        // Within four radii of the tip the power term keeps its value at h/R* = 4
        // and the friction tapers linearly to the tip.
        const double f = sp(0.08f) * qc * std::pow(sn, sp(0.05f)) * std::pow(std::max(hOverR, 4.0), -sp(0.90f));
        return hOverR <= 4.0 ? f * h / (4.0 * rStar) : f;
    };
    return atSegmentEnds(S, i, atStress);
}

} // namespace

void CALC_FUGRO_CAPACITY(EngineState& S)
{
    runWithIcpClay(S, MethodIndex::Fugro, sandFriction, S.FUGRO_SEG_FRICTION_COPY, S.FUGRO_TZ_SKIN);
}

} // namespace veldo
