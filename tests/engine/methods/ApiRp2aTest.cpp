#include <gtest/gtest.h>

#include <cmath>

#include "ApiRp2a.h"
#include "CommonCase.h"
#include "CommonSteps.h"

using namespace veldo;
using commoncase::build;
using commoncase::Pile;
using commoncase::SoilLayer;

namespace {

// English closed steel pipe OD 24 in, TL 20 ft, increment 1 ft, in clay with
// su = 1 ksf and gamma' = 25 pcf, so that sigma'v = 0.5 ksf at 20 ft.
std::unique_ptr<EngineState> clayCase(double tensionFactor = 1.0, int loading = 0)
{
    SoilLayer clay{.bottom = 30, .type = 2, .unitWeight = 25, .su = 1.0, .remolded = 0.5};
    auto S = build(Pile{.od = 24, .tl = 20}, {clay});
    S->LOADING = loading;
    S->TENSION_FACTOR = tensionFactor;
    return S;
}

// English closed pipe OD 12 in, TL 40 ft, sand phi 32.5, K 1, gamma' 120 pcf,
// limit of side friction typed as 9999 psf (stored 9.999 ksf).
std::unique_ptr<EngineState> sandCase(bool apiDefault)
{
    SoilLayer sand{.bottom = 50,
                   .type = 1,
                   .unitWeight = 120,
                   .phi = 32.5,
                   .ko = 1.0,
                   .nq = 40,
                   .maxFriction = 9.999,
                   .apiDefault = apiDefault};
    return build(Pile{.od = 12, .tl = 40, .deepest = 50}, {sand});
}

} // namespace

TEST(Api, ClayByHandEnglish)
{
    auto S = clayCase();
    CALC_API_CAPACITY(*S);
    COMMON_STEPS(*S, 4);
    // Segment 20 (19..20 ft): sigma'v(bottom) = 20 x 0.025 = 0.5 ksf, psi = 1/0.5 = 2 > 1,
    // alpha = 0.5 / 2^0.25 = 0.420448; f = alpha x su.
    EXPECT_NEAR(S->SEG_END_FRICTION[39], 0.420448, 1e-6);
    EXPECT_NEAR(S->SEG_END_FRICTION[40], 0.420448, 1e-6);
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[20], 0.420448, 1e-6);
    // Plug pair of clay: alpha x remolded strength, then alpha x su.
    EXPECT_NEAR(S->SEG_PLUG_FRICTION[39], 0.210224, 1e-6);
    EXPECT_NEAR(S->SEG_PLUG_FRICTION[40], 0.420448, 1e-6);
    // Node 0 lies in segment 1: alpha = 0.5 (1/40)^0.25 = 0.198818.
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[0], 0.198818, 1e-6);
    // Skin at 20 ft: sum over k = 1..20 of (f(k-1) + f(k))/2 x P x 1 ft, f(k) = 0.5 (k/40)^0.25,
    // P = 3.14159 x 24/12 = 6.28318 ft: 42.49507 kips.
    EXPECT_NEAR(S->METHOD_SKIN[4][20], 42.49507, 1e-4);
    EXPECT_NEAR(S->SKIN_CUMULATIVE[20], 42.49507, 1e-4);
    // End bearing: q = 9 su = 9 ksf over the full area 0.7853975 x 2^2 = 3.14159 ft2: 28.27431 kips.
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[40], 9.0, 1e-12);
    EXPECT_NEAR(S->METHOD_END_BEARING[4][20], 28.27431, 1e-4);
    EXPECT_NEAR(S->METHOD_ULTIMATE[4][20], 70.76938, 1e-4);
    EXPECT_EQ(S->PLUG_FLAG[4][20], 1);
}

TEST(Api, ClayAlphaBandsAndSilt)
{
    // gamma' 100 pcf: sigma'v = 1 ksf at 10 ft. Layer 1 su = 1 (psi = 1 at segment 10:
    // alpha = 0.5); layer 2 su = 0.1 (segment 11: psi = 0.1/1.1 = 0.0909, alpha = 1.66
    // capped at 1.0, f = 0.1). A silt layer follows the clay rule.
    SoilLayer a{.bottom = 10, .type = 2, .unitWeight = 100, .su = 1.0};
    SoilLayer b{.bottom = 20, .type = 2, .unitWeight = 100, .su = 0.1};
    SoilLayer c{.bottom = 30, .type = 3, .unitWeight = 100, .phi = 28, .su = 4.0};
    auto S = build(Pile{.od = 12, .tl = 25}, {a, b, c});
    CALC_API_CAPACITY(*S);
    EXPECT_NEAR(S->SEG_END_FRICTION[20], 0.5, 1e-9);
    EXPECT_NEAR(S->SEG_END_FRICTION[22], 0.1, 1e-9);
    // Silt segment 25: sigma'v = 2.5, psi = 4/2.5 = 1.6, alpha = 0.5/1.6^0.25 = 0.444600.
    EXPECT_NEAR(S->SEG_END_FRICTION[50], 4.0 * 0.5 / std::pow(1.6, 0.25), 1e-9);
}

TEST(Api, SandDefaultLimitTableBothUnits)
{
    EXPECT_DOUBLE_EQ(apiSandFrictionLimit(15, 1), 1.0);
    EXPECT_DOUBLE_EQ(apiSandFrictionLimit(20, 1), 1.0);
    EXPECT_NEAR(apiSandFrictionLimit(22.5, 1), 1.2, 1e-12);
    EXPECT_NEAR(apiSandFrictionLimit(27.5, 1), 1.55, 1e-12);
    EXPECT_NEAR(apiSandFrictionLimit(32.5, 1), 1.85, 1e-12);
    EXPECT_NEAR(apiSandFrictionLimit(37.5, 1), 2.2, 1e-12);
    EXPECT_DOUBLE_EQ(apiSandFrictionLimit(45, 1), 2.4);
    // SI rows match the English ones (47.8; 67.0; 81.3; 95.7; 114.8 kPa at 20..40 degrees).
    EXPECT_DOUBLE_EQ(apiSandFrictionLimit(20, 2), 47.8);
    EXPECT_NEAR(apiSandFrictionLimit(25, 2), 67.0, 1e-9);
    EXPECT_NEAR(apiSandFrictionLimit(30, 2), 81.3, 1e-9);
    EXPECT_NEAR(apiSandFrictionLimit(32.5, 2), 88.5, 1e-9);
    EXPECT_NEAR(apiSandFrictionLimit(35, 2), 95.7, 1e-9);
    EXPECT_NEAR(apiSandFrictionLimit(40, 2), 114.8, 1e-9);
    EXPECT_DOUBLE_EQ(apiSandFrictionLimit(41, 2), 114.8);
    // Each SI value is the English one in kPa within 0.5 %.
    for (double phi : {20.0, 22.5, 25.0, 27.5, 30.0, 32.5, 35.0, 37.5, 40.0, 42.0})
        EXPECT_NEAR(apiSandFrictionLimit(phi, 2) / (apiSandFrictionLimit(phi, 1) * 47.88), 1.0, 0.005) << phi;
}

TEST(Api, SandByHandWithDefaultLimit)
{
    auto S = sandCase(true);
    CALC_API_CAPACITY(*S);
    // f(z) = K sigma'v tan(phi - 5) = 0.12 z tan(27.5 deg) = 0.062468 z ksf; limit 1.85 ksf
    // from phi 32.5; P = 3.14159 ft; increments capped at 1.85 x P once f passes the limit.
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[10], 0.12 * 10 * std::tan(27.5 / 57.2958), 1e-9);
    EXPECT_NEAR(S->NODE_FRICTION_LIMIT[30], 1.85, 1e-12);
    EXPECT_NEAR(S->NODE_UNIT_FRICTION_LIMITED[40], 1.85, 1e-12);
    EXPECT_NEAR(S->METHOD_SKIN[4][10], 9.812445, 1e-5);
    EXPECT_NEAR(S->METHOD_SKIN[4][20], 39.249781, 1e-5);
    EXPECT_NEAR(S->METHOD_SKIN[4][30], 88.312008, 1e-5);
    EXPECT_NEAR(S->METHOD_SKIN[4][40], 146.431423, 1e-5);
    // The default limit is API's own: the typed 9999 limits no other rule.
    EXPECT_DOUBLE_EQ(S->SEG_MAX_UNIT_FRICTION[35], 9999999.0);
    // Plot column: the limited unit friction.
    EXPECT_NEAR(S->METHOD_UNIT_FRICTION[4][40], 1.85, 1e-12);
}

TEST(Api, SandWithoutDefaultLimitUsesTypedValue)
{
    auto S = sandCase(false);
    CALC_API_CAPACITY(*S);
    EXPECT_DOUBLE_EQ(S->NODE_FRICTION_LIMIT[30], 9.999);
    // Unlimited: sum of trapezoids of 0.062468 z x P = 0.062468 x 40^2 / 2 x 3.14159.
    EXPECT_NEAR(S->METHOD_SKIN[4][40], 0.12 * std::tan(27.5 / 57.2958) * 800 * 3.14159, 1e-6);
}

TEST(Api, SandSiMatchesEnglish)
{
    // The English sand case in SI: ft -> m, in -> mm, 120 pcf -> 18.8504 kN/m3, 9999 kPa typed.
    SoilLayer sand{.bottom = 50 * 0.3048,
                   .type = 1,
                   .unitWeight = 0.12 * 47.88 / 0.3048,
                   .phi = 32.5,
                   .ko = 1.0,
                   .nq = 40,
                   .maxFriction = 9999,
                   .apiDefault = true};
    auto si = build(Pile{.english = false, .od = 304.8, .tl = 40 * 0.3048, .increment = 0.3048, .deepest = 50 * 0.3048},
                    {sand});
    CALC_API_CAPACITY(*si);
    auto en = sandCase(true);
    CALC_API_CAPACITY(*en);
    EXPECT_NEAR(si->NODE_FRICTION_LIMIT[30], 88.5, 1e-9);
    for (int k : {10, 20, 30, 40})
        EXPECT_NEAR(si->METHOD_SKIN[4][k] / (en->METHOD_SKIN[4][k] * 4.44822), 1.0, 0.002) << k;
}

TEST(Api, TensionReducesEveryNodeNotTheLimits)
{
    auto S = clayCase(0.7, 1);
    CALC_API_CAPACITY(*S);
    EXPECT_NEAR(S->NODE_UNIT_FRICTION[0], 0.7 * 0.198818, 1e-6);
    EXPECT_NEAR(S->METHOD_SKIN[4][20], 0.7 * 42.49507, 1e-4);
    EXPECT_DOUBLE_EQ(S->NODE_FRICTION_LIMIT[5], 9999999.0);
}

TEST(Api, ZeroFrictionLengthAndSideFactor)
{
    SoilLayer clay{.bottom = 30, .type = 2, .unitWeight = 25, .su = 1.0, .sideFactor = 0.5};
    auto S = build(Pile{.od = 24, .tl = 20}, {clay});
    S->ZFL = 5;
    CALC_API_CAPACITY(*S);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(S->NODE_UNIT_FRICTION[k], 0.0) << k;
    // First increment below the zero-friction length: f(5)/2 x P x 1 ft, factored by 0.5.
    const double f5 = 0.5 * std::pow(5.0 / 40.0, 0.25);
    EXPECT_NEAR(S->SKIN_INCREMENT[5], f5 / 2 * 6.28318, 1e-9);
    EXPECT_NEAR(S->METHOD_SKIN[4][5], 0.5 * f5 / 2 * 6.28318, 1e-9);
    // t-z hand-over: unfactored with the option 0, factored with 1.
    EXPECT_NEAR(S->METHOD_TZ_SKIN[4][20], 2 * S->METHOD_SKIN[4][20], 1e-9);
    S->SIDE_FACTOR_FLAG = 1;
    CALC_API_CAPACITY(*S);
    EXPECT_NEAR(S->METHOD_TZ_SKIN[4][20], S->METHOD_SKIN[4][20], 1e-12);
}
