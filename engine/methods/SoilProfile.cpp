#include "SoilProfile.h"

#include <algorithm>

#include "Charts.h"
#include "DiameterUnits.h"
#include "EngineRules.h"
#include "UnitConversions.h"

namespace veldo {

namespace {

constexpr double kAbsent = 1e-10;       // a real below this counts as not given
constexpr double kStressLimitKsf = 3.5; // 167.581 kPa
constexpr double kKpaPerPsi = units::kKpaPerKsf * 144.0 / 1000.0;

// Soil type codes rounded to the nearest: halfway between two codes.
bool isSand(const EngineState& S, int i) { return S.SEG_SOIL_TYPE[i] < SoilType::Sand + 0.5; }
bool isClay(const EngineState& S, int i)
{
    return S.SEG_SOIL_TYPE[i] >= SoilType::Clay - 0.5 && S.SEG_SOIL_TYPE[i] < SoilType::Clay + 0.5;
}

// Stress added by a soil slice of the given thickness (pcf x ft -> ksf in English units).
double sliceStress(const EngineState& S, double thickness, int i)
{
    const double product = thickness * S.SEG_UNIT_WEIGHT[i];
    return english(S) ? product / 1000 : product;
}

double toPsi(const EngineState& S, double stress) { return english(S) ? stress * 1000 / 144 : stress / kKpaPerPsi; }

// Missing friction angle of a sand or silt segment from its blow count at the
// segment's bottom stress; a segment without a blow count takes the last
// estimate. Clay keeps its friction angle as given (its blow-count column holds
// the yield stress ratio).
void fillFrictionAngle(EngineState& S, int i)
{
    if (isClay(S, i) || S.SEG_FRICTION_ANGLE[i] >= kAbsent)
        return;
    if (S.SEG_BLOW_COUNT[i] > 0)
        S.PHI_ESTIMATE = LOOKUP_FRICTION_ANGLE(S.SEG_BLOW_COUNT[i], toPsi(S, S.SIGV_ENDS[2 * i]));
    S.SEG_FRICTION_ANGLE[i] = S.PHI_ESTIMATE;
}

// Missing undrained strength from the layer's cone resistance (su = Qc / 15);
// the English Qc is in psf, the strength in ksf.
void fillUndrainedStrength(EngineState& S, int i)
{
    if (S.SEG_UNDRAINED_STRENGTH[i] >= kAbsent)
        return;
    const double qc = english(S) ? S.SEG_QC[i] / 1000 : S.SEG_QC[i];
    S.SEG_UNDRAINED_STRENGTH[i] = qc / 15;
}

void fillIns(EngineState& S, int i)
{
    fillFrictionAngle(S, i);
    fillUndrainedStrength(S, i);
}

// Critical depth by density: 10, 15 or 20 pile diameters by the friction angle.
double densityCriticalDepth(const EngineState& S, int i)
{
    const double phi = S.SEG_FRICTION_ANGLE[i];
    const double diameters = phi < 33 ? 10 : (phi < 36 ? 15 : 20);
    const double od = S.OD / DiameterUnitsPerDepthUnit(english(S));
    return diameters * od;
}

bool exceedsStressLimit(const EngineState& S, double stress)
{
    return stress > units::ksf(english(S), kStressLimitKsf);
}

// Effective stress down the segments, fill-ins, the stress-limit depth of
// option 1 and the density critical depth of the deepest sand segment.
void accumulateStress(EngineState& S, int n)
{
    S.SIGV_ENDS[1] = 0;
    S.SIGV_ENDS[2] = sliceStress(S, S.SEG_BOTTOM[1] - S.SEG_TOP[1], 1);
    fillIns(S, 1);
    S.SIGV_ENDS[3] = S.SIGV_ENDS[2];
    S.SIGV_LIMITED[3] = S.SIGV_ENDS[2];
    for (int i = 2; i <= n; ++i) {
        S.SIGV_ENDS[2 * i] = S.SIGV_ENDS[2 * i - 1] + sliceStress(S, S.SEG_BOTTOM[i] - S.SEG_TOP[i], i);
        fillIns(S, i);
        if (S.CRITICAL_DEPTH_OPTION == CriticalDepthOption::AtStressLimit && S.USER_CRITICAL_DEPTH < 0.00001 &&
            exceedsStressLimit(S, S.SIGV_ENDS[2 * i]))
            S.USER_CRITICAL_DEPTH = S.SEG_BOTTOM[i];
        if (isSand(S, i))
            S.CRITICAL_DEPTH = densityCriticalDepth(S, i);
        S.SIGV_ENDS[2 * i + 1] = S.SIGV_ENDS[2 * i];
    }
}

// Stress at the critical depth, extrapolated from the top of the segment just
// above the first segment (from 2 on) whose bottom reaches that depth.
double stressAtCriticalDepth(const EngineState& S, int n)
{
    int j = 2;
    while (j < n && S.SEG_BOTTOM[j] < S.CRITICAL_DEPTH - kDepthTol)
        ++j;
    const int b = j - 1;
    return S.SIGV_ENDS[2 * b - 1] + sliceStress(S, S.CRITICAL_DEPTH - S.SEG_TOP[b], b);
}

// Stress limited at the critical depth; a critical depth of 0 means no limit.
void limitStress(EngineState& S, int n)
{
    const bool knownUnits = S.UNIT_SYSTEM == UnitSystem::English || S.UNIT_SYSTEM == UnitSystem::SI;
    for (int i = 2; i <= n; ++i) {
        S.SIGV_LIMITED[2 * i + 1] = S.SIGV_ENDS[2 * i];
        if (isSand(S, i))
            S.CRITICAL_DEPTH = densityCriticalDepth(S, i);
        if (S.CRITICAL_DEPTH_OPTION > CriticalDepthOption::ByDensity)
            S.CRITICAL_DEPTH = S.USER_CRITICAL_DEPTH;
        if (knownUnits && S.CRITICAL_DEPTH >= kAbsent && S.SEG_BOTTOM[i] >= S.CRITICAL_DEPTH - kDepthTol)
            S.SIGV_LIMITED[2 * i + 1] = stressAtCriticalDepth(S, n);
    }
}

} // namespace

void PREPARE_SOIL_PROFILE(EngineState& S)
{
    S.PHI_ESTIMATE = 0;
    S.CRITICAL_DEPTH = 0;
    S.SIGV_ENDS.fill(0);
    S.SIGV_LIMITED.fill(0);
    if (S.CRITICAL_DEPTH_OPTION == CriticalDepthOption::AtStressLimit)
        S.USER_CRITICAL_DEPTH = 0;
    const int n = std::min(S.SEG_COUNT, MAX_SEGMENTS);
    if (n < 1)
        return;
    accumulateStress(S, n);
    limitStress(S, n);
}

} // namespace veldo
