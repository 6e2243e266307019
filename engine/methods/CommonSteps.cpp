#include "CommonSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Charts.h"
#include "DiameterUnits.h"
#include "EngineRules.h"
#include "PiApproximations.h"
#include "UnitConversions.h"

namespace veldo {
namespace {

constexpr double kNoLimit = 9999999.0;
constexpr double kCircle = kQuarterPi0_7853975;

// Diameter unit (in or mm) per depth unit (ft or m).
double diameterPerDepth(const EngineState& S) { return DiameterUnitsPerDepthUnit(english(S)); }
// Square diameter units per area unit (in2 per ft2 or mm2 per m2).
double areaDivisor(const EngineState& S) { return english(S) ? 144.0 : 1000000.0; }
double atmospheric(const EngineState& S) { return english(S) ? units::kAtmosphericKsf : units::kAtmosphericKpa; }
bool isClay(const EngineState& S, int i) { return S.SEG_SOIL_TYPE[i] - SoilType::Sand > 1e-6; }
bool hasLimit(double limit) { return limit < kNoLimit - 0.5; }
int segCount(const EngineState& S) { return std::clamp(S.SEG_COUNT, 0, MAX_SEGMENTS); }

// Inside diameter of the end section as the offshore rules see it: a closed-ended
// pile has none.
double endInsideDiameter(const EngineState& S, int index)
{
    if (MethodIndex::IsOffshore(index) && S.PILE_END_FLAG == PileEnd::Closed)
        return 0.0;
    return S.EID;
}

// Cone resistance (ksf or kPa) for the soil of segment seg at the given depth:
// the layer value, else the CPT profile, else 2.8 x Pa x blow count.
double coneResistance(EngineState& S, int seg, double depth)
{
    const int i = std::clamp(seg, 1, std::max(segCount(S), 1));
    double qc = S.SEG_QC[i];
    if (S.CPT_COUNT > 0 && qc < 1e-5)
        qc = INTERP_DEPTH_PROFILE(S, depth);
    if (english(S))
        qc /= 1000.0;
    if (S.CPT_COUNT <= 0 && S.SEG_QC[i] < 1e-5)
        qc = atmospheric(S) * S.SEG_BLOW_COUNT[i] * 2.8;
    return qc;
}

// Alpha of the API clay rule from su / sigma'v (floored at 1e-10), capped at 1.
double apiAlpha(double psi)
{
    psi = std::max(psi, 1e-10);
    const double alpha = psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25);
    return std::min(alpha, 1.0);
}

// Limit of the unit end bearing of Revised Lambda and API RP-2A sand from phi.
double sandBearingLimit(double phi, bool englishUnits)
{
    static constexpr std::array<PhiBand, 5> kEnglish{
        {{20, 40, 0}, {25, 40, 20.0 / 5}, {30, 60, 40.0 / 5}, {35, 100, 100.0 / 5}, {40, 200, 50.0 / 5}}};
    static constexpr std::array<PhiBand, 5> kSi{{{20, 1900, 0},
                                                 {25, 1900, 1000.0 / 5},
                                                 {30, 2900, 1900.0 / 5},
                                                 {35, 4800, 4800.0 / 5},
                                                 {40, 9600, 2400.0 / 5}}};
    return phiBandValue(englishUnits ? kEnglish : kSi, phi, englishUnits ? 250.0 : 12000.0);
}

struct EndPair {
    double top, bottom;
};

EndPair clayBearing(EngineState& S, int index, int i)
{
    const double q9 = 9.0 * S.SEG_UNDRAINED_STRENGTH[i];
    EndPair q{q9, q9};
    if (index >= MethodIndex::IcpMtd && index <= MethodIndex::Uwa) {
        const double qc = coneResistance(S, i, (i - 1) * S.INCREMENT);
        const bool drained = S.CLAY_CONDITION == ClayCondition::Drained;
        double v = q9;
        if (endInsideDiameter(S, index) < 1e-6 || S.PLUG_CONDITION == PlugCondition::Plugged) {
            v = (drained ? 1.3 : 0.8) * qc;
            if (S.PLUG_CONDITION == PlugCondition::Plugged)
                v = (drained ? 0.65 : 0.4) * qc;
        } else if (S.PLUG_CONDITION == PlugCondition::Unplugged) {
            v = (drained ? 1.6 : 1.0) * qc;
        }
        q = {v, v};
    }
    const double qmax = S.SEG_MAX_UNIT_BEARING[i];
    if (hasLimit(qmax))
        q = {std::min(q.top, qmax), std::min(q.bottom, qmax)};
    return q;
}

// Critical depths of the USACE rule (10, 15, 20 diameters, or the user's depth).
struct UsaceDepths {
    double dc10, dc15, dc20;
};

UsaceDepths usaceDepths(const EngineState& S)
{
    if (S.CRITICAL_DEPTH_OPTION > CriticalDepthOption::ByDensity) {
        // A user (or found) depth of 0 means no critical depth at all, as for the
        // limited stress: no segment lies below it (not every segment from the head).
        if (S.USER_CRITICAL_DEPTH < 1e-10) {
            constexpr double kNever = std::numeric_limits<double>::infinity();
            return {kNever, kNever, kNever};
        }
        return {S.USER_CRITICAL_DEPTH, S.USER_CRITICAL_DEPTH, S.USER_CRITICAL_DEPTH};
    }
    // n diameters plus one foot, in both unit systems (0.3048 m in SI), so the
    // same pile reaches its critical depth at the same place in either system.
    const double d = S.OD / diameterPerDepth(S);
    const double oneFoot = units::feet(english(S), 1.0);
    return {10 * d + oneFoot, 15 * d + oneFoot, 20 * d + oneFoot};
}

EndPair usaceSandBearing(EngineState& S, int i, const UsaceDepths& dc, double& sigmaC)
{
    const double phi = S.SEG_FRICTION_ANGLE[i];
    const double z = S.SEG_TOP[i];
    const double sigmaLim = S.SIGV_LIMITED[2 * i + 1];
    // "Deeper than the critical depth" with the depth tolerance: a segment top that
    // lies on the critical depth is not below it, whatever the unit system's rounding.
    const auto below = [z](double dc) { return z > dc + kDepthTol; };
    if (phi <= 33 && below(dc.dc10) && sigmaC < 1e-5)
        sigmaC = sigmaLim;
    if (phi > 33 && below(dc.dc15)) {
        if (S.USACE_S15 < 1e-5 && phi <= 36)
            S.USACE_S15 = sigmaLim;
        sigmaC = S.USACE_S15;
    }
    if (phi > 36 && below(dc.dc20)) {
        if (S.USACE_S20 < 1e-5)
            S.USACE_S20 = sigmaLim;
        sigmaC = S.USACE_S20;
    }
    const double nq = LOOKUP_NQ_A(phi);
    const double sb = S.SIGV_ENDS[2 * i];
    EndPair q{S.SIGV_ENDS[2 * i - 1] * nq, sb * nq};
    if (sigmaC > 1e-5 && sigmaC < sb)
        q = {sigmaC * nq, sigmaC * nq};
    const double qmax = S.SEG_MAX_UNIT_BEARING[i];
    if (hasLimit(qmax) && qmax > 0.001)
        q = {std::min(q.top, qmax), std::min(q.bottom, qmax)};
    return q;
}

double ngiBearing(const EngineState& S, double qc, double sigma, double eid)
{
    const double q0 = 22.0 * std::sqrt(atmospheric(S) * std::max(sigma, 0.0));
    if (qc <= 0.0 || q0 <= 0.0)
        return 0.0; // no cone resistance, or the limit of the rule at zero stress
    const double dr = 0.4 * std::log(qc / q0);
    if (eid > 1e-4)
        return 0.7 * qc / (1.0 + 3.0 * dr * dr);
    return 0.8 * qc / (1.0 + dr * dr);
}

double icpBearing(const EngineState& S, double qc, double eid)
{
    const double d = english(S) ? S.OD * units::kMetrePerInch * 1000.0 : S.OD;
    const double r = d / 36.0;
    if (eid < 1e-4) {
        double q = (1.0 - 0.5 * std::log10(r)) * qc;
        return d > 900 ? std::max(q, 0.3 * qc) : q;
    }
    double q = (0.5 - 0.25 * std::log10(r)) * qc;
    if (d > 900)
        q = std::max(q, 0.15 * qc);
    return S.PLUG_CONDITION == PlugCondition::Unplugged ? qc : q;
}

double fugroBearing(const EngineState& S, double qc, double eid)
{
    const double pa = atmospheric(S);
    const double ratio = S.OD > 0 ? eid / S.OD : 0.0;
    const double ar = std::max(1.0 - ratio * ratio, 0.0);
    return 8.5 * pa * std::sqrt(std::max(qc, 0.0) / pa) * std::pow(ar, 0.25);
}

double uwaBearing(const EngineState& S, double qc, double eid)
{
    const double di = english(S) ? eid * units::kMetrePerInch : eid / 1000.0;
    const double ffr = std::min(1.0, std::pow(std::max(di, 0.0) / 1.5, 0.2));
    const double ratio = S.OD > 0 ? eid / S.OD : 0.0;
    const double ar = 1.0 - ffr * ratio * ratio;
    const double q = (0.15 + 0.45 * ar) * qc;
    const double floor = (eid < 1e-4 || S.PLUG_CONDITION == PlugCondition::Plugged) ? 0.3 : 0.15;
    return std::max(q, floor * qc);
}

EndPair sandBearing(EngineState& S, int index, int i, const UsaceDepths& dc, double& sigmaC, EndPair previous)
{
    const double phi = S.SEG_FRICTION_ANGLE[i];
    const double st = S.SIGV_ENDS[2 * i - 1];
    const double sb = S.SIGV_ENDS[2 * i];
    const double qmax = S.SEG_MAX_UNIT_BEARING[i];
    switch (index) {
    case MethodIndex::Fhwa: {
        const double ratio = S.OD > 0 ? S.TL / (S.OD / diameterPerDepth(S)) : 0.0;
        const double nq = LOOKUP_NQ_B(phi) * LOOKUP_ALPHA_CHART(phi, ratio);
        double limit = units::ksf(english(S), LOOKUP_NQ_C(phi) * 2.0);
        limit = std::min(limit, qmax);
        return {std::min(st * nq, limit), std::min(sb * nq, limit)};
    }
    case MethodIndex::Usace:
        return usaceSandBearing(S, i, dc, sigmaC);
    case MethodIndex::RevisedLambda:
    case MethodIndex::ApiRp2a: {
        const double nq = S.SEG_NQ[i];
        const double limit = hasLimit(qmax) ? qmax : sandBearingLimit(phi, english(S));
        return {std::min(st * nq, limit), std::min(sb * nq, limit)};
    }
    case MethodIndex::General:
        return previous; // the user method has no sand rule
    default:
        break;
    }
    // Offshore rules.
    const double eid = endInsideDiameter(S, index);
    const double qc = coneResistance(S, i, (i - 1) * S.INCREMENT);
    EndPair q{};
    switch (index) {
    case MethodIndex::Ngi:
        q = {ngiBearing(S, qc, st, eid), ngiBearing(S, qc, sb, eid)};
        break;
    case MethodIndex::IcpMtd:
        q.top = q.bottom = icpBearing(S, qc, eid);
        break;
    case MethodIndex::Fugro:
        q.top = q.bottom = fugroBearing(S, qc, eid);
        break;
    default:
        q.top = q.bottom = uwaBearing(S, qc, eid);
        break;
    }
    if (hasLimit(qmax) && qmax > 0.001)
        q = {std::min(q.top, qmax), std::min(q.bottom, qmax)};
    return q;
}

// Full tip area (ft2 or m2), tapered where the pile type has a taper.
double fullTipArea(const EngineState& S)
{
    if (S.TIP_AREA > 1e-4)
        return S.TIP_AREA;
    double d = S.OD / diameterPerDepth(S);
    if (PileType::IsTapered(S.PILE_TYPE) && S.TAPER_ANGLE > 0)
        d = std::max(d - std::tan(S.TAPER_ANGLE * kRadiansPerDegree0_01745) * (S.PSL + S.TL) * 2.0, 0.0);
    return kCircle * d * d;
}

// Running integrals of the full tip force and of its limit force down the
// segments, so that the averaging window needs no walk over the pile per node.
struct TipIntegrals {
    std::array<double, MAX_SEGMENTS + 2> force{}; // integral from 0 to the bottom of segment i
    std::array<double, MAX_SEGMENTS + 2> limit{};
};

double integralTo(const EngineState& S, const TipIntegrals& I, double af, double z, bool limit)
{
    if (z <= 0)
        return 0.0;
    const int n = segCount(S);
    if (n < 1)
        return 0.0;
    const int s = segmentHolding(S, z);
    const double h = S.SEG_BOTTOM[s] - S.SEG_TOP[s];
    const double part = std::clamp(z - S.SEG_TOP[s], 0.0, h);
    // Below the last segment the integrand holds its value at that segment's
    // bottom, so a window reaching past the segment table still averages over
    // its full width.
    const double beyond = s == n ? std::max(z - S.SEG_BOTTOM[n], 0.0) : 0.0;
    const double before = limit ? I.limit[s - 1] : I.force[s - 1];
    if (limit)
        return before + af * S.SEG_MAX_UNIT_BEARING[s] * (part + beyond);
    const double ft = S.FULL_TIP_ENDS[2 * s - 1];
    const double fb = S.FULL_TIP_ENDS[2 * s];
    const double fz = h > 0 ? ft + (fb - ft) * part / h : ft;
    return before + (ft + fz) * 0.5 * part + fb * beyond;
}

struct SelfWeight {
    double as = 0, ad = 0, gamma = 0, gammaW = 0, zw = 0;
};

SelfWeight selfWeightValues(const EngineState& S)
{
    SelfWeight w;
    const bool e = english(S);
    // Pile material in kcf: timber, concrete, steel; in SI the same weights in kN/m3.
    switch (S.PILE_TYPE) {
    case PileType::Timber:
        w.gamma = 0.05;
        break;
    case PileType::PrecastConcrete:
        w.gamma = 0.15;
        break;
    default:
        w.gamma = 0.49;
        break;
    }
    if (!e)
        w.gamma *= 1000.0 * units::kKnM3PerPcf;
    w.gammaW = e ? units::kWaterPcf / 1000.0 : units::kWaterKnM3;
    w.as = kCircle * (S.OD * S.OD - S.ID * S.ID) / areaDivisor(S);
    if (S.CONSTANT_AREA > 1e-6)
        w.as = e ? S.CONSTANT_AREA / 144.0 : S.CONSTANT_AREA;
    w.ad = kCircle * S.OD * S.OD / areaDivisor(S);
    w.zw = S.LOW_WEIGHT_DEPTH;
    return w;
}

double weightAt(const SelfWeight& w, double d)
{
    if (d <= w.zw)
        return d * w.as * w.gamma;
    return w.as * w.gamma * w.zw + w.as * (w.gamma - w.gammaW) * (d - w.zw);
}

} // namespace

int lastNode(const EngineState& S)
{
    if (S.INCREMENT <= 0)
        return 0;
    const double n = std::floor(S.TL / S.INCREMENT + 1e-6);
    return static_cast<int>(std::clamp(n, 0.0, static_cast<double>(MAX_NODES - 1)));
}

int segmentAtNode(const EngineState& S, int k) { return std::clamp(k + 1, 1, std::max(segCount(S), 1)); }

double phiBandValue(const std::array<PhiBand, 5>& bands, double phi, double beyond)
{
    double from = 20;
    for (size_t b = 0; b < bands.size(); ++b) {
        if (phi <= bands[b].upTo)
            return bands[b].base + (b == 0 ? 0.0 : (phi - from) * bands[b].slope);
        from = bands[b].upTo;
    }
    return beyond;
}

std::array<bool, MAX_SEGMENTS + 2> apiDefaultLimitSegments(const EngineState& S)
{
    std::array<bool, MAX_SEGMENTS + 2> flags{};
    const int rows = std::clamp(S.LAYER_END_COUNT, 0, MAX_SOIL_ROWS);
    if (rows < 2)
        return flags;
    int f = 1;
    for (int i = 1; i <= segCount(S); ++i) {
        while (f + 1 < rows && S.SOIL[f + 1][COL_DEPTH] - S.SEG_TOP[i] <= kDepthTol)
            ++f;
        flags[i] = S.API_DEFAULT_LIMIT[f] == 1 && S.API_DEFAULT_LIMIT[f + 1] == 1;
    }
    return flags;
}

int methodIndexOf(int designMethod)
{
    // By design method number.
    static constexpr std::array<int, Method::Count + 1> kIndex{
        MethodIndex::None,    MethodIndex::Fhwa, MethodIndex::Usace,  MethodIndex::RevisedLambda, MethodIndex::ApiRp2a,
        MethodIndex::General, MethodIndex::Ngi,  MethodIndex::IcpMtd, MethodIndex::Fugro,         MethodIndex::Uwa};
    if (designMethod < Method::First || designMethod > Method::Last)
        return MethodIndex::None;
    return kIndex[static_cast<size_t>(designMethod)];
}

// The first segment whose bottom is not above z (within the depth tolerance),
// or the last segment. Segment bottoms ascend, so "z lies below the bottom of
// segment i" holds for a leading run of i; the answer is the first i outside
// that run. Segments are nearly uniform, so the index is first estimated from
// the mean segment length and then walked to the exact boundary of the run:
// the walk checks the same condition a bisection would, so any estimate gives
// the same segment, a good one in a step or two.
int segmentHolding(const EngineState& S, double z)
{
    const int n = std::max(segCount(S), 1);
    const auto below = [&S, z](int i) { return z - S.SEG_BOTTOM[i] > kDepthTol; };
    const double top = S.SEG_TOP[1];
    const double mean = (S.SEG_BOTTOM[n] - top) / n;
    const double guess = mean > 0 ? std::ceil((z - top) / mean) : 1.0;
    int i = guess >= 1.0 && guess <= n ? static_cast<int>(guess) : (guess > n ? n : 1); // NaN -> 1
    while (i > 1 && !below(i - 1))
        --i;
    while (i < n && below(i))
        ++i;
    return i;
}

double pairAt(const EngineState& S, const PairArray& pair, double z)
{
    const int s = segmentHolding(S, z);
    const double h = S.SEG_BOTTOM[s] - S.SEG_TOP[s];
    const double t = h > 0 ? std::clamp((z - S.SEG_TOP[s]) / h, 0.0, 1.0) : 1.0;
    return pair[2 * s - 1] + (pair[2 * s] - pair[2 * s - 1]) * t;
}

double selfWeight(const EngineState& S, double depth) { return weightAt(selfWeightValues(S), depth); }

void CALC_UNIT_END_BEARING(EngineState& S)
{
    const int index = S.CURRENT_METHOD;
    const UsaceDepths dc = usaceDepths(S);
    double sigmaC = 0.0; // critical stress of the USACE rule, for this call only
    for (int i = 1; i <= segCount(S); ++i) {
        const EndPair previous{S.UNIT_BEARING_ENDS[2 * i - 1], S.UNIT_BEARING_ENDS[2 * i]};
        const EndPair q = isClay(S, i) ? clayBearing(S, index, i) : sandBearing(S, index, i, dc, sigmaC, previous);
        S.UNIT_BEARING_ENDS[2 * i - 1] = q.top;
        S.UNIT_BEARING_ENDS[2 * i] = q.bottom;
    }
}

void CALC_ANNULUS_TIP(EngineState& S)
{
    const int index = S.CURRENT_METHOD;
    const double eid = endInsideDiameter(S, index);
    const bool cone = MethodIndex::IsOffshore(index) && eid > 1e-4;
    const double annulus = kCircle * (S.OD * S.OD - eid * eid) / areaDivisor(S);
    for (int j = 1; j <= 2 * segCount(S); ++j) {
        double q = S.UNIT_BEARING_ENDS[j];
        if (cone) {
            const int s = j / 2 + 1; // top entries: own segment; bottom entries: the next one
            q = coneResistance(S, s, (s - 1) * S.INCREMENT);
        }
        S.ANNULUS_TIP_ENDS[j] = S.TIP_AREA > 1e-4 ? S.TIP_AREA * q : q * annulus;
    }
}

void CALC_PLUG_FRICTION(EngineState& S)
{
    const int index = S.CURRENT_METHOD;
    const bool methodPair = index != MethodIndex::RevisedLambda && index != MethodIndex::General;
    const PairArray& pair =
        S.METHOD_PLUG_FRICTION[static_cast<size_t>(std::clamp(index, MethodIndex::None, MethodIndex::Last))];
    const double perimeterIn = kPi3_14159 * S.EID / diameterPerDepth(S);
    S.PLUG_FRICTION_CUMULATIVE[0] = 0.0;
    for (int i = 1; i <= segCount(S); ++i) {
        double ft = 0, fb = 0;
        if (isClay(S, i)) {
            S.SIGV_ENDS[2 * i] = std::max(S.SIGV_ENDS[2 * i], 1e-10);
            ft = apiAlpha(S.SEG_UNDRAINED_STRENGTH[i] / S.SIGV_ENDS[2 * i]) * S.SEG_REMOLDED_STRENGTH[i];
            if (methodPair)
                ft = pair[2 * i - 1];
            fb = ft;
        } else if (methodPair) {
            ft = pair[2 * i - 1];
            fb = pair[2 * i];
        } else {
            const double k = S.SEG_KO[i] * std::tan((S.SEG_FRICTION_ANGLE[i] - 5.0) / kDegreesPerRadian57_2958);
            ft = std::min(S.SIGV_ENDS[2 * i - 1] * k, S.SEG_MAX_UNIT_FRICTION[i]);
            fb = std::min(S.SIGV_ENDS[2 * i] * k, S.SEG_MAX_UNIT_FRICTION[i]);
        }
        S.INNER_FRICTION_ENDS[2 * i - 1] = ft;
        S.INNER_FRICTION_ENDS[2 * i] = fb;
        const double h = S.SEG_BOTTOM[i] - S.SEG_TOP[i];
        const double dq = h * (ft + fb) * 0.5 * perimeterIn;
        S.PLUG_FRICTION_CUMULATIVE[2 * i - 1] = S.PLUG_FRICTION_CUMULATIVE[2 * i - 2] + dq;
        S.PLUG_FRICTION_CUMULATIVE[2 * i] = S.PLUG_FRICTION_CUMULATIVE[2 * i - 1];
    }
}

void SUM_ANNULUS_AND_PLUG(EngineState& S)
{
    const int ends = 2 * segCount(S);
    // Unplugged: no inner friction at all (the whole running sum, its last entry included).
    if (S.PLUG_CONDITION == PlugCondition::Unplugged)
        std::fill(S.PLUG_FRICTION_CUMULATIVE.begin(), S.PLUG_FRICTION_CUMULATIVE.begin() + ends + 1, 0.0);
    for (int j = 1; j <= ends; ++j)
        S.PLUG_TIP_ENDS[j] = S.ANNULUS_TIP_ENDS[j] + S.PLUG_FRICTION_CUMULATIVE[j - 1];
}

void CALC_PLUG_TIP_AT_NODES(EngineState& S)
{
    if (segCount(S) < 1)
        return;
    for (int k = 0; k <= lastNode(S); ++k) {
        const double z = k * S.INCREMENT;
        const double b = pairAt(S, S.PLUG_TIP_ENDS, z);
        const double c = z - S.ESL <= kDepthTol ? 0.0 : pairAt(S, S.PLUG_FRICTION_CUMULATIVE, z - S.ESL);
        S.PLUG_TIP_NODE[k] = b - c;
    }
}

void CALC_TIP_AND_SELF_WEIGHT(EngineState& S)
{
    const int index = std::clamp(S.CURRENT_METHOD, MethodIndex::First, MethodIndex::Last);
    const int n = segCount(S);
    const double af = fullTipArea(S);
    TipIntegrals integrals;
    for (int i = 1; i <= n; ++i) {
        S.SEG_THICKNESS[i] = S.SEG_BOTTOM[i] - S.SEG_TOP[i];
        double ft = af * S.UNIT_BEARING_ENDS[2 * i - 1];
        double fb = af * S.UNIT_BEARING_ENDS[2 * i];
        if (index == MethodIndex::IcpMtd) {
            ft = std::max(ft, S.ANNULUS_TIP_ENDS[2 * i - 1]);
            fb = std::max(fb, S.ANNULUS_TIP_ENDS[2 * i]);
        }
        S.FULL_TIP_ENDS[2 * i - 1] = ft;
        S.FULL_TIP_ENDS[2 * i] = fb;
        integrals.force[i] = integrals.force[i - 1] + (ft + fb) * 0.5 * S.SEG_THICKNESS[i];
        integrals.limit[i] = integrals.limit[i - 1] + af * S.SEG_MAX_UNIT_BEARING[i] * S.SEG_THICKNESS[i];
    }

    // A pile submerged from less than a foot below the ground counts as submerged
    // from 0.1 ft.
    if (S.LOW_WEIGHT_DEPTH < units::feet(english(S), 1.0))
        S.LOW_WEIGHT_DEPTH = units::feet(english(S), 0.1);
    const SelfWeight w = selfWeightValues(S);
    const bool tension = S.LOADING == Loading::Tension;
    const bool closed = S.ID < 1e-10 || S.PILE_END_FLAG == PileEnd::Closed;
    const bool shellType = (S.PILE_TYPE == PileType::SteelPipe && S.PILE_END_FLAG == PileEnd::Closed) ||
                           S.PILE_TYPE == PileType::RaymondStepTaper || S.PILE_TYPE == PileType::RaymondUniformTaper ||
                           S.PILE_TYPE == PileType::TaperedMonotube;
    const double window = S.OD / diameterPerDepth(S); // untapered diameter
    auto& flag = S.PLUG_FLAG[static_cast<size_t>(index)];

    for (int k = 0; k <= lastNode(S); ++k) {
        const double d = k * S.INCREMENT;
        double averaged = 0.0;
        if (window > 0 && n >= 1) {
            const double up = d + 1.5 * window;
            const double low = d - 1.5 * window;
            const double iLow = low < 1e-4 ? 0.0 : integralTo(S, integrals, af, low, false);
            const double mLow = low < 1e-4 ? 0.0 : integralTo(S, integrals, af, low, true);
            averaged = (integralTo(S, integrals, af, up, false) - iLow) / (3.0 * window);
            const double limit = (integralTo(S, integrals, af, up, true) - mLow) / (3.0 * window);
            if (averaged - limit > 1e-6)
                averaged = limit;
        }
        S.TIP_AVERAGED[k] = averaged;
        double weight = weightAt(w, d);

        double result = 0.0;
        int f = PlugControl::FullSection;
        if (closed) {
            if (tension && d > w.zw && S.CONSTANT_AREA > 1e-5 && shellType)
                weight = w.as * w.gamma * d - w.ad * w.gammaW * (d - w.zw);
            if (tension)
                S.TIP_AVERAGED[k] = weight;
            result = S.TIP_AVERAGED[k];
        } else if (S.PLUG_TIP_NODE[k] - S.TIP_AVERAGED[k] <= 1e-6 || S.PLUG_CONDITION == PlugCondition::Unplugged) {
            if (tension)
                S.PLUG_TIP_NODE[k] = S.TIP_AVERAGED[k] = weight;
            result = S.PLUG_TIP_NODE[k];
            f = S.EID < 1e-4 ? (S.ESL > 1e-4 ? PlugControl::FullSection : PlugControl::AnnulusAndPlug)
                             : PlugControl::AnnulusAndPlug;
            if (S.PLUG_CONDITION == PlugCondition::Plugged) {
                // Plugged by the user's choice: the full section carries the tip.
                result = S.TIP_AVERAGED[k];
                f = PlugControl::FullSection;
            } else if (S.PLUG_CONDITION == PlugCondition::Unplugged) {
                f = PlugControl::AnnulusAndPlug;
            }
        } else {
            if (tension)
                S.TIP_AVERAGED[k] = weight;
            result = S.TIP_AVERAGED[k];
        }
        S.TIP_RESULT[k] = result;
        flag[static_cast<size_t>(k)] = f;
        if (index == MethodIndex::Fhwa)
            S.FHWA_END_BEARING[k] = result;
        else if (index == MethodIndex::Usace)
            S.USACE_END_BEARING[k] = result;
    }
}

namespace {

// The per-method columns of the current index: tip, third column and total.
void methodTotals(EngineState& S, int index)
{
    const bool tension = S.LOADING == Loading::Tension;
    const auto col = static_cast<size_t>(index);
    for (int k = 0; k <= lastNode(S); ++k) {
        const auto kk = static_cast<size_t>(k);
        if (index == MethodIndex::General) {
            // The user gives the end bearing; the plug never controls it.
            if (!tension)
                S.TIP_RESULT[k] = S.GENERAL_TIP_RESISTANCE[k];
            S.PLUG_FLAG[col][kk] = PlugControl::FullSection;
        }
        const double tip = S.TIP_RESULT[k];
        S.METHOD_TIP[col][kk] = tip;
        S.METHOD_END_BEARING[col][kk] = tension ? tip : tip * S.SEG_TIP_FACTOR[segmentAtNode(S, k)];
        S.METHOD_ULTIMATE[col][kk] = S.METHOD_SKIN[col][kk] + S.METHOD_END_BEARING[col][kk];
    }
}

} // namespace

void COMMON_STEPS(EngineState& S, int methodIndex)
{
    S.CURRENT_METHOD = std::clamp(methodIndex, MethodIndex::First, MethodIndex::Last);
    CALC_UNIT_END_BEARING(S);
    CALC_ANNULUS_TIP(S);
    CALC_PLUG_FRICTION(S);
    SUM_ANNULUS_AND_PLUG(S);
    CALC_PLUG_TIP_AT_NODES(S);
    CALC_TIP_AND_SELF_WEIGHT(S);
    methodTotals(S, S.CURRENT_METHOD);
}

} // namespace veldo
