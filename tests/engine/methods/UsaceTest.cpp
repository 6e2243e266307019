// USACE method: sand on the stress limited at the critical depth, clay alpha
// bands, silt as both, and its own critical-depth search.
#include <gtest/gtest.h>

#include <cmath>

#include "ClassicCase.h"
#include "Usace.h"

namespace veldo {
namespace {

using classiccase::Case;
using classiccase::Layer;
using classiccase::Units;

constexpr double kPi = 3.14159;

std::unique_ptr<EngineState> run(const Case& c)
{
    auto S = classiccase::build(c);
    CALC_USACE_CAPACITY(*S);
    return S;
}

// Sand phi 30, Ko 1, steel pipe OD 12 in: delta = 0.75 x 30 = 22.5 deg. sigma' =
// 0.06 z ksf limited at the critical depth 10 ft (0.6 ksf). f(z) = tan 22.5 x
// 0.06 min(z, 10); Q(20) = pi x 1 x tan 22.5 x (0.06 x 10^2 / 2 + 0.6 x 10).
Case sandCase(bool english)
{
    Case c;
    c.english = english;
    c.criticalDepth = 10;
    c.layers = {Layer{30, 1, 30, 0, 1.0}};
    return c;
}

TEST(Usace, SandBelowCriticalDepthByHand)
{
    const double t = std::tan(22.5 / 57.2958);
    const auto S = run(sandCase(true));
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[5], 0.3 * t, 1e-9);
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[10], 0.6 * t, 1e-9);
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[15], 0.6 * t, 1e-9);
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[20], 0.6 * t, 1e-9);
    const double q20 = kPi * t * (3.0 + 6.0);
    EXPECT_NEAR(S->SKIN_CUMULATIVE[20], q20, 1e-9);
    EXPECT_NEAR(S->USACE_TZ_SKIN[20], q20, 1e-9);
    EXPECT_NEAR(S->METHOD_SKIN[2][20], q20, 1e-9);
    EXPECT_NEAR(S->METHOD_UNIT_FRICTION[2][15], 0.6 * t, 1e-9);
    EXPECT_NEAR(S->USACE_PLUG_FRICTION[2 * 3 - 1], 0.12 * t, 1e-9);
    EXPECT_NEAR(S->METHOD_PLUG_FRICTION[2][2 * 3], 0.18 * t, 1e-9);
    EXPECT_NEAR(S->SEG_END_FRICTION[2 * 1 - 1], 0.0, 1e-12); // segment 1 starts at no stress
}

TEST(Usace, SandEnglishAndSiAgree)
{
    const auto en = run(sandCase(true));
    const auto si = run(sandCase(false));
    for (int k : {4, 10, 20})
        EXPECT_NEAR(Units{false}.kips(si->SKIN_CUMULATIVE[k]) / en->SKIN_CUMULATIVE[k], 1.0, 0.005) << k;
}

// K: Ko as given; Ko 0 -> 1.25 in compression and 0.6 in tension; with API RP-2A
// ticked 1.25 whatever Ko is. Pile type 6 with phi 32: delta 28 deg.
TEST(Usace, EarthPressureCoefficientAndDelta)
{
    const double t = std::tan(22.5 / 57.2958);
    Case c = sandCase(true);
    c.layers[0].ko = 0;
    EXPECT_NEAR(run(c)->SEG_END_FRICTION[2 * 5], 1.25 * 0.3 * t, 1e-9);

    auto S = classiccase::build(c);
    S->LOADING = 1;
    CALC_USACE_CAPACITY(*S);
    EXPECT_NEAR(S->SEG_END_FRICTION[2 * 5], 0.6 * 0.3 * t, 1e-9);

    c.layers[0].ko = 0.8;
    EXPECT_NEAR(run(c)->SEG_END_FRICTION[2 * 5], 0.8 * 0.3 * t, 1e-9);
    S = classiccase::build(c);
    S->MethodTicked[4] = 1;
    CALC_USACE_CAPACITY(*S);
    EXPECT_NEAR(S->SEG_END_FRICTION[2 * 5], 1.25 * 0.3 * t, 1e-9);

    c.pileType = 6;
    c.layers[0] = Layer{30, 1, 32, 0, 1.0};
    EXPECT_NEAR(run(c)->SEG_END_FRICTION[2 * 5], 0.3 * std::tan(28 / 57.2958), 1e-9);
}

// Alpha bands: c 0.4 ksf -> 1.0, 1.0 -> 1 - 0.5 x 0.5 = 0.75, 2.0 -> 0.5; SI the same
// bands converted (23.94 and 71.82 kPa): 20 kPa -> 1.0, 47.880 -> 0.75, 71.0 ->
// 1 - 0.5 x 47.06 / 47.88 = 0.50856. Uniform clay: Q(20) = alpha c pi 20.
TEST(Usace, ClayAlphaBands)
{
    const struct {
        bool english;
        double su; // ksf
        double alpha;
    } cases[] = {{true, 0.4, 1.0},   {true, 1.0, 0.75},
                 {true, 2.0, 0.5},   {false, 20 / units::kKpaPerKsf, 1.0},
                 {false, 1.0, 0.75}, {false, 71.0 / units::kKpaPerKsf, 1 - 0.5 * (71.0 / units::kKpaPerKsf - 0.5)}};
    for (const auto& k : cases) {
        Case c;
        c.english = k.english;
        c.layers = {Layer{30, 2, 0, k.su, 1.0, 0, 0.3}};
        const auto S = run(c);
        const Units u{k.english};
        EXPECT_NEAR(S->SEG_END_FRICTION[2 * 7], k.alpha * u.stress(k.su), 1e-9) << k.su;
        EXPECT_NEAR(S->USACE_PLUG_FRICTION[2 * 7 - 1], k.alpha * u.stress(0.3), 1e-9);
        EXPECT_NEAR(S->USACE_PLUG_FRICTION[2 * 7], k.alpha * u.stress(k.su), 1e-9);
        if (k.english) {
            EXPECT_NEAR(S->SKIN_CUMULATIVE[20], k.alpha * k.su * kPi * 20, 1e-9);
        }
    }
}

// Silt (type 3): the sand friction plus alpha c at both ends; the plug step gets
// the silt segment's own end frictions (not alpha times its blow count 15).
TEST(Usace, SiltCarriesSandAndClayFriction)
{
    Case c = sandCase(true);
    c.layers = {Layer{30, 3, 30, 1.0, 1.0, 0, 15}};
    const auto S = run(c);
    const double t = std::tan(22.5 / 57.2958);
    EXPECT_NEAR(S->SEG_END_FRICTION[2 * 5 - 1], 0.24 * t + 0.75, 1e-9);
    EXPECT_NEAR(S->SEG_END_FRICTION[2 * 5], 0.3 * t + 0.75, 1e-9);
    EXPECT_NEAR(S->USACE_PLUG_FRICTION[2 * 5 - 1], 0.24 * t + 0.75, 1e-9);
    EXPECT_NEAR(S->USACE_PLUG_FRICTION[2 * 5], 0.3 * t + 0.75, 1e-9);
}

// Option 1: the first sand segment whose bottom stress exceeds 3.5 ksf (168 kPa):
// sigma' = 0.12 z ksf -> 3.48 at 29 ft, 3.6 at 30 ft -> 30 ft (9.144 m in SI).
// With no such segment the depth stays 0; other options leave the depth alone.
TEST(Usace, OwnCriticalDepthSearch)
{
    for (const bool english : {true, false}) {
        Case c;
        c.english = english;
        c.gamma = 0.12;
        c.layers = {Layer{40, 1, 30, 0, 1.0}};
        auto S = classiccase::build(c);
        S->CRITICAL_DEPTH_OPTION = 1;
        S->USER_CRITICAL_DEPTH = 3.0;
        CALC_USACE_CAPACITY(*S);
        EXPECT_NEAR(S->USER_CRITICAL_DEPTH, Units{english}.depth(30), 1e-9);
    }
    Case c;
    c.gamma = 0.05;
    c.layers = {Layer{40, 1, 30, 0, 1.0}};
    auto S = classiccase::build(c);
    S->CRITICAL_DEPTH_OPTION = 1;
    S->USER_CRITICAL_DEPTH = 3.0;
    CALC_USACE_CAPACITY(*S);
    EXPECT_DOUBLE_EQ(S->USER_CRITICAL_DEPTH, 0.0);

    S = classiccase::build(c);
    S->CRITICAL_DEPTH_OPTION = 2;
    S->USER_CRITICAL_DEPTH = 3.0;
    CALC_USACE_CAPACITY(*S);
    EXPECT_DOUBLE_EQ(S->USER_CRITICAL_DEPTH, 3.0);
}

// The node at the bottom of segment 1 takes segment 1's bottom value in SI as in
// English units: one sand segment (Ko 1, phi 30) over clay su 1 ksf (alpha 0.75;
// SI 47.88 kPa: the same band, converted).
TEST(Usace, NodeAtBottomOfFirstSegmentSameRuleInSi)
{
    for (const bool english : {true, false}) {
        Case c;
        c.english = english;
        c.layers = {Layer{1, 1, 30, 0, 1.0}, Layer{30, 2, 0, 1.0}};
        const auto S = run(c);
        const Units u{english};
        EXPECT_NEAR(S->NODE_UNIT_FRICTION[1], u.stress(0.06) * std::tan(22.5 / 57.2958), 1e-9) << english;
        const double alpha = 0.75;
        EXPECT_NEAR(S->NODE_UNIT_FRICTION[2], alpha * u.stress(1.0), 1e-9) << english;
    }
}

} // namespace
} // namespace veldo
