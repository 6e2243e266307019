#include "Uwa.h"

#include <algorithm>
#include <cmath>

#include "OffshoreCommon.h"

namespace veldo {

namespace {

using namespace offshore;

// Effective area ratio of the end section (1 for a closed section).
double areaRatio(const EngineState& S)
{
    const Units u = unitsOf(S);
    const double eid = endSectionId(S);
    const double di = eid * (u.english ? sp(0.0254f) : sp(0.001f)); // m
    const double ifr = std::min(1.0, std::pow(di / 1.5, sp(0.2f)));
    const double ratio = eid / S.OD;
    return 1.0 - ifr * ratio * ratio;
}

EndFriction sandFriction(EngineState& S, int i)
{
    const Units u = unitsOf(S);
    const double qc = coneResistance(S, i);
    const double h = std::max(tipDistance(S, i), sp(1e-5f));
    const double hOverD = std::max(h / S.OD, 2.0);
    const double radial = sp(0.03f) * qc * std::pow(areaRatio(S), sp(0.3f)) * std::pow(hOverD, -0.5);
    const double t = sandFrictionTan(S.SEG_FRICTION_ANGLE[i]);
    const double dr = u.english ? sp(0.02f) / 25.4 : sp(0.02f); // in or mm
    const double qn = qc / u.pa;
    auto atStress = [&](double sigma) {
        const double sn = std::max(sigma / u.pa, sp(1e-7f));
        // Shear modulus; none without cone resistance (the fit is 0/0 there).
        const double g = qc > 0.0 ? 185.0 * qc / std::pow(qn / std::sqrt(sn), 0.75) : 0.0;
        double x = radial + 4.0 * g * dr / S.OD;
        if (S.LOADING == Loading::Tension)
            x *= 0.75;
        return x * t;
    };
    return atSegmentEnds(S, i, atStress);
}

} // namespace

void CALC_UWA_CAPACITY(EngineState& S)
{
    runWithIcpClay(S, MethodIndex::Uwa, sandFriction, S.UWA_SEG_FRICTION_COPY, S.UWA_TZ_SKIN);
}

} // namespace veldo
