#include "OffshoreCommon.h"

#include <algorithm>
#include <cmath>

#include "Charts.h"
#include "CommonSteps.h"
#include "DiameterUnits.h"
#include "EngineRules.h"
#include "PiApproximations.h"
#include "SkinAccumulation.h"
#include "UnitConversions.h"

namespace veldo::offshore {

namespace {

constexpr double kAbsent = 1e-10;
constexpr double kDegPerRad = sp(kDegreesPerRadian57_2958F);
constexpr double kPi = sp(kPi3_14159F);

// Perimeter in ft or m.
double perimeter(const EngineState& S) { return kPi * S.OD / unitsOf(S).smallPerDepth; }

// Unit side friction at depth z: 0 above the zero-friction length, else linear
// between the end values of the segment that holds z.
double frictionAtDepth(const EngineState& S, double z)
{
    if (z - S.ZFL <= -kDepthTol)
        return 0.0;
    return pairAt(S, S.SEG_END_FRICTION, z);
}

// Limit of the unit side friction of segment i for these methods.
double segmentLimit(const EngineState& S, int i, const std::array<bool, MAX_SEGMENTS + 2>& apiDefault)
{
    const double limit = S.SEG_MAX_UNIT_FRICTION[i];
    if (apiDefault[i] || limit < kAbsent)
        return kNoLimit;
    return limit;
}

} // namespace

Units unitsOf(const EngineState& S)
{
    if (english(S))
        return {true, units::kAtmosphericKsf, kInchesPerFoot};
    return {false, units::kAtmosphericKpa, kMillimetresPerMetre};
}

double endSectionId(const EngineState& S) { return S.PILE_END_FLAG == PileEnd::Closed ? 0.0 : S.EID; }

bool isSandSegment(const EngineState& S, int i) { return S.SEG_SOIL_TYPE[i] - SoilType::Sand <= sp(1e-6f); }

double coneResistance(EngineState& S, int i)
{
    const Units u = unitsOf(S);
    double qc = S.SEG_QC[i];
    if (S.CPT_COUNT > 0 && qc < sp(1e-5f))
        qc = INTERP_DEPTH_PROFILE(S, (i - 1) * S.INCREMENT);
    if (u.english)
        qc /= 1000.0;
    if (S.CPT_COUNT <= 0 && S.SEG_QC[i] < sp(1e-5f))
        qc = S.SEG_BLOW_COUNT[i] * u.pa * sp(2.8f);
    return qc;
}

double tipDistance(const EngineState& S, int i) { return (S.TL - (i - 1) * S.INCREMENT) * unitsOf(S).smallPerDepth; }

double radiusStar(const EngineState& S)
{
    const double eid = endSectionId(S);
    return std::sqrt(std::max(0.0, (S.OD * S.OD - eid * eid) * 0.25));
}

double sandFrictionTan(double phiDegrees) { return std::tan((phiDegrees - 5.0) / kDegPerRad); }

EndFriction icpClayFriction(EngineState& S, int i)
{
    if (S.SIGV_ENDS[2 * i] < kAbsent)
        S.SIGV_ENDS[2 * i] = kAbsent;
    const double pi = S.SEG_PI[i];
    if (pi < 0.0 && S.METHOD_NOTES)
        S.report.line(" ERROR - NO DATA FOUND FOR PLASTIC INDEX.");
    const double delta = LOOKUP_PI_CHART_B(pi);

    double hOverR = tipDistance(S, i) / radiusStar(S);
    if (!(hOverR >= 8.0)) {
        if (S.METHOD_NOTES)
            S.report.line(" WARNING - h/R SHOULD BE GREATER THAN 8.");
        hOverR = 8.0;
    }
    // Sensitivity from the intact and remolded strengths, at least 1.
    const double su = S.SEG_UNDRAINED_STRENGTH[i];
    const double sur = S.SEG_REMOLDED_STRENGTH[i];
    const double sensitivity = (su > 0.0 && sur > 0.0) ? std::max(su / sur, 1.0) : 1.0;
    const double ysr = std::max(S.SEG_BLOW_COUNT[i], 0.0);
    const double kc = std::max(0.0, (2.0 - sp(0.625f) * std::log10(sensitivity)) * std::pow(ysr, sp(0.42f)) *
                                        std::pow(hOverR, -sp(0.20f)));
    const double factor = sp(0.8f) * kc * std::tan(delta / kDegPerRad);
    return {factor * S.SIGV_ENDS[2 * i - 1], factor * S.SIGV_ENDS[2 * i]};
}

void storeEndFriction(EngineState& S, int i, EndFriction f, PairArray& copy)
{
    S.SEG_END_FRICTION[2 * i - 1] = f.top;
    S.SEG_END_FRICTION[2 * i] = f.bottom;
    copy[2 * i - 1] = f.top;
    copy[2 * i] = f.bottom;
}

void accumulateSideFriction(EngineState& S, int methodIndex, const PairArray& plugPair, NodeArray& tzSkin)
{
    const int last = lastNode(S);
    const double delta = S.INCREMENT;
    const auto apiDefault = apiDefaultLimitSegments(S);

    for (int k = 0; k <= last; ++k) {
        const double z = k * delta;
        const double f = frictionAtDepth(S, z);
        const double limit = segmentLimit(S, segmentAtNode(S, k), apiDefault);
        S.NODE_DEPTH[k] = z;
        S.NODE_UNIT_FRICTION[k] = f;
        S.NODE_FRICTION_LIMIT[k] = limit;
    }
    // Result columns of the method for the common steps, the tables and the
    // load-settlement input.
    accumulateNodesAndPublish(S, methodIndex, perimeter(S), tzSkin, plugPair, last);
}

} // namespace veldo::offshore
