#include "Icp.h"

#include <algorithm>
#include <cmath>

#include "OffshoreCommon.h"

namespace veldo {

namespace {

using namespace offshore;

constexpr double kEtaPeak = 514.0; // peak of the shear-modulus fit; beyond it the fit turns over

// Radial stress change by dilation (ksf or kPa) from the bottom stress of the
// segment: 2 G dr / (OD / 2); none where the stress is 0.
double dilationStress(const EngineState& S, double qc, double sigmaBottom)
{
    if (!(sigmaBottom > 0.0))
        return 0.0;
    const Units u = unitsOf(S);
    const double eta = std::min(qc / std::sqrt(u.pa * sigmaBottom), kEtaPeak);
    const double g = qc / (sp(0.0203f) + sp(0.00125f) * eta - sp(1.216e-6f) * eta * eta);
    const double dr = u.english ? sp(0.02f) / 25.4 : sp(0.02f); // in or mm
    return 2.0 * g * dr / (S.OD / 2.0);
}

EndFriction sandFriction(EngineState& S, int i)
{
    const Units u = unitsOf(S);
    const double qc = coneResistance(S, i);
    const double h = std::max(tipDistance(S, i), sp(1e-5f));
    double hOverR = h / radiusStar(S);
    if (!(hOverR > 8.0))
        hOverR = 8.0;
    const double shape = std::pow(hOverR, -sp(0.38f));
    auto radialStress = [&](double sigma) { return sp(0.029f) * qc * std::pow(sigma / u.pa, sp(0.13f)) * shape; };
    const double top = radialStress(S.SIGV_ENDS[2 * i - 1]);
    const double bottom = radialStress(S.SIGV_ENDS[2 * i]);
    const double drd = dilationStress(S, qc, S.SIGV_ENDS[2 * i]);
    const double t = sandFrictionTan(S.SEG_FRICTION_ANGLE[i]);
    if (S.LOADING != Loading::Tension)
        return {(top + drd) * t, (bottom + drd) * t};
    const double openEnd = endSectionId(S) > sp(1e-5f) ? sp(0.9f) : 1.0;
    return {(sp(0.8f) * top + drd) * t * openEnd, (sp(0.8f) * bottom + drd) * t * openEnd};
}

} // namespace

void CALC_ICP_CAPACITY(EngineState& S)
{
    runWithIcpClay(S, MethodIndex::IcpMtd, sandFriction, S.ICP_SEG_FRICTION_COPY, S.ICP_TZ_SKIN);
}

} // namespace veldo
