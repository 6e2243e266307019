#include <gtest/gtest.h>

#include <cmath>

#include "CommonSteps.h"
#include "EngineTestSupport.h"
#include "Icp.h"
#include "OffshoreCase.h"
#include "RunDriver.h"

using namespace veldo;
using namespace veldo::testcase;

namespace {

constexpr double kRel = 1e-6;

// ICP sand, closed pipe OD 1000 mm, qc 10 MPa, phi 35, segment 11 (10 m to 11 m):
// h = 10000 mm, R* = 500 mm (closed: the end section counts as solid), h/R = 20;
// sigma'rc = 0.029 qc (sigma/100)^0.13 20^-0.38 at each end;
// eta = qc / sqrt(100 x 110) = 95.35, G = qc / (0.0203 + 0.00125 eta - 1.216e-6 eta^2) = 77864,
// dsigma'rd = 2 G 0.02 / 500 = 6.229; f = (sigma'rc + dsigma'rd) tan 30.
double handSand(double sigma, double sigmaBottom, double hOverR, double qc = 10000.0, double od = 1000.0)
{
    const double rc = 0.029 * qc * std::pow(sigma / 100.0, 0.13) * std::pow(hOverR, -0.38);
    const double eta = std::min(qc / std::sqrt(100.0 * sigmaBottom), 514.0);
    const double g = qc / (0.0203 + 0.00125 * eta - 1.216e-6 * eta * eta);
    return (rc + 2.0 * g * 0.02 / (od / 2.0)) * std::tan(30.0 / kDegPerRad);
}

} // namespace

TEST(IcpMethod, SandFrictionAtTenToElevenMetresByHand)
{
    auto c = makeCase(false);
    CALC_ICP_CAPACITY(c.S());
    const auto& S = c.S();
    EXPECT_NEAR(S.SEG_END_FRICTION[22], 57.90, 0.005);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[22], handSand(110.0, 110.0, 20.0)), kRel);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[21], handSand(100.0, 110.0, 20.0)), kRel);
    EXPECT_EQ(S.ICP_SEG_FRICTION_COPY[21], S.SEG_END_FRICTION[21]);
    EXPECT_EQ(S.ICP_SEG_FRICTION_COPY[22], S.SEG_END_FRICTION[22]);
    EXPECT_EQ(S.METHOD_PLUG_FRICTION[6][22], S.SEG_END_FRICTION[22]);
    // Segment 18 (17 m to 18 m): h = 3000 mm, h/R = 6 is raised to 8.
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[36], handSand(180.0, 180.0, 8.0)), kRel);
}

TEST(IcpMethod, EnglishUnitsGiveTheSameFrictionAndCapacity)
{
    auto si = makeCase(false);
    auto en = makeCase(true);
    CALC_ICP_CAPACITY(si.S());
    CALC_ICP_CAPACITY(en.S());
    for (int j = 1; j <= 44; ++j)
        EXPECT_LT(relDiff(en.kpa(en.S().SEG_END_FRICTION[j]), si.S().SEG_END_FRICTION[j]), 1e-5) << j;
    for (int k = 1; k <= 20; ++k) {
        EXPECT_LT(relDiff(en.kn(en.S().METHOD_SKIN[6][k]), si.S().METHOD_SKIN[6][k]), 1e-5) << k;
        EXPECT_LT(relDiff(en.kpa(en.S().METHOD_UNIT_FRICTION[6][k]), si.S().METHOD_UNIT_FRICTION[6][k]), 1e-5) << k;
    }
}

TEST(IcpMethod, NodesAndAccumulation)
{
    auto c = makeCase(false);
    auto& S = c.S();
    S.ZFL = 2.0;
    CALC_ICP_CAPACITY(S);
    // Node 10 (10 m) is the bottom of segment 10, node 11 the bottom of segment 11.
    EXPECT_DOUBLE_EQ(S.NODE_UNIT_FRICTION[10], S.SEG_END_FRICTION[20]);
    EXPECT_DOUBLE_EQ(S.NODE_UNIT_FRICTION[11], S.SEG_END_FRICTION[22]);
    EXPECT_DOUBLE_EQ(S.NODE_DEPTH[11], 11.0);
    // Nodes above the zero-friction length carry nothing; node 2 lies on it.
    EXPECT_EQ(S.NODE_UNIT_FRICTION[1], 0.0);
    EXPECT_DOUBLE_EQ(S.NODE_UNIT_FRICTION[2], S.SEG_END_FRICTION[4]);
    // Increment 11 = (f10 + f11) / 2 x pi x 1.0 m x 1 m.
    const double perimeter = kPi * 1000.0 / 1000.0;
    EXPECT_LT(relDiff(S.SKIN_INCREMENT[11], (S.SEG_END_FRICTION[20] + S.SEG_END_FRICTION[22]) * 0.5 * perimeter), 1e-6);
    double sum = 0;
    for (int k = 1; k <= 20; ++k)
        sum += S.SKIN_INCREMENT[k];
    EXPECT_NEAR(S.METHOD_SKIN[6][20], sum, 1e-9);
    EXPECT_NEAR(S.ICP_TZ_SKIN[20], sum, 1e-9);
    EXPECT_NEAR(S.METHOD_TZ_SKIN[6][20], sum, 1e-9);
    EXPECT_EQ(S.METHOD_UNIT_FRICTION[6][11], S.NODE_UNIT_FRICTION[11]);
}

TEST(IcpMethod, SideFactorAndTzOption)
{
    auto c = makeCase(false);
    auto& S = c.S();
    for (int i = 1; i <= S.SEG_COUNT; ++i)
        S.SEG_SIDE_FACTOR[i] = 0.5;
    CALC_ICP_CAPACITY(S);
    const double unfactored = S.ICP_TZ_SKIN[20];
    EXPECT_NEAR(S.METHOD_SKIN[6][20], 0.5 * unfactored, 1e-9);

    auto f = makeCase(false);
    for (int i = 1; i <= f.S().SEG_COUNT; ++i)
        f.S().SEG_SIDE_FACTOR[i] = 0.5;
    f.S().SIDE_FACTOR_FLAG = 1;
    CALC_ICP_CAPACITY(f.S());
    EXPECT_NEAR(f.S().ICP_TZ_SKIN[20], 0.5 * unfactored, 1e-9);
}

TEST(IcpMethod, UserLimitBoundsButApiDefaultDoesNot)
{
    auto c = makeCase(false);
    auto& S = c.S();
    S.LAYER_END_COUNT = 2;
    S.SOIL[1][COL_DEPTH] = 0.0;
    S.SOIL[2][COL_DEPTH] = 30.0;
    for (int i = 1; i <= S.SEG_COUNT; ++i)
        S.SEG_MAX_UNIT_FRICTION[i] = 40.0;
    CALC_ICP_CAPACITY(S);
    // f at node 11 is 57.9 > 40: the shown friction is the limit and the
    // increment between two limited nodes is 40 x pi x 1 m.
    EXPECT_DOUBLE_EQ(S.NODE_UNIT_FRICTION_LIMITED[11], 40.0);
    EXPECT_DOUBLE_EQ(S.METHOD_UNIT_FRICTION[6][11], 40.0);
    EXPECT_NEAR(S.SKIN_INCREMENT[12], 40.0 * kPi, 1e-3);

    // The same limit entered for the API default (9999, replaced by API RP-2A
    // before this method runs) leaves these methods without a limit.
    auto d = makeCase(false);
    auto& D = d.S();
    D.LAYER_END_COUNT = 2;
    D.SOIL[1][COL_DEPTH] = 0.0;
    D.SOIL[2][COL_DEPTH] = 30.0;
    D.API_DEFAULT_LIMIT[1] = D.API_DEFAULT_LIMIT[2] = 1;
    for (int i = 1; i <= D.SEG_COUNT; ++i)
        D.SEG_MAX_UNIT_FRICTION[i] = 95.5;
    CALC_ICP_CAPACITY(D);
    EXPECT_DOUBLE_EQ(D.NODE_UNIT_FRICTION_LIMITED[11], D.NODE_UNIT_FRICTION[11]);
    EXPECT_GT(D.SKIN_INCREMENT[12], 50.0 * kPi);
}

TEST(IcpMethod, TensionClosedAndOpenEnds)
{
    // Closed end in tension: (0.8 sigma'rc + dsigma'rd) tan 30, no 0.9 factor.
    auto c = makeCase(false);
    c.S().LOADING = 1;
    CALC_ICP_CAPACITY(c.S());
    const double rc = 0.029 * 10000.0 * std::pow(1.1, 0.13) * std::pow(20.0, -0.38);
    const double drd = 2.0 * 77864.47143936 * 0.02 / 500.0;
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], (0.8 * rc + drd) * std::tan(30.0 / kDegPerRad)), kRel);

    // Open end (EID 950 mm): R* = sqrt((1000^2 - 950^2) / 4) = 156.125 mm, h/R = 64.05,
    // and the tension value is multiplied by 0.9.
    auto o = makeCase(false);
    o.S().LOADING = 1;
    o.S().PILE_END_FLAG = 0;
    CALC_ICP_CAPACITY(o.S());
    const double hr = 10000.0 / std::sqrt((1000.0 * 1000.0 - 950.0 * 950.0) * 0.25);
    const double rcOpen = 0.029 * 10000.0 * std::pow(1.1, 0.13) * std::pow(hr, -0.38);
    EXPECT_LT(relDiff(o.S().SEG_END_FRICTION[22], (0.8 * rcOpen + drd) * std::tan(30.0 / kDegPerRad) * 0.9), kRel);
}

TEST(IcpMethod, DenseSandNearTheSurfaceHoldsEtaAtItsPeak)
{
    // qc 50 MPa at 1 m: eta = 50000 / sqrt(100 x 10) = 1581, past the zero of the
    // fit (about 1044) where G would turn negative; eta is held at 514.
    auto c = makeCase(false, 1.0, 50000.0);
    CALC_ICP_CAPACITY(c.S());
    const double f = c.S().SEG_END_FRICTION[2];
    EXPECT_GT(f, 0.0);
    const double hr = 20000.0 / 500.0;
    EXPECT_LT(relDiff(f, handSand(10.0, 10.0, hr, 50000.0)), kRel);
}

TEST(IcpMethod, ConeResistanceFromBlowCountAndZero)
{
    // No layer Qc and no CPT points: qc = 20 x 2.8 x pa = 5600 kPa or 116.96 ksf.
    for (bool english : {false, true}) {
        auto c = makeCase(english, 1.0, 0.0);
        for (int i = 1; i <= c.S().SEG_COUNT; ++i)
            c.S().SEG_BLOW_COUNT[i] = 20.0;
        CALC_ICP_CAPACITY(c.S());
        EXPECT_LT(relDiff(c.kpa(c.S().SEG_END_FRICTION[22]), handSand(110.0, 110.0, 20.0, 5600.0)), 1e-5);
    }
    // Blow count 0 as well: qc = 0, G = 0, no friction and no NaN.
    auto z = makeCase(false, 1.0, 0.0);
    CALC_ICP_CAPACITY(z.S());
    EXPECT_EQ(z.S().SEG_END_FRICTION[22], 0.0);
    EXPECT_EQ(z.S().METHOD_SKIN[6][20], 0.0);
}

TEST(IcpMethod, CptProfileFillsMissingConeResistance)
{
    auto c = makeCase(false, 1.0, 0.0);
    auto& S = c.S();
    S.CPT_COUNT = 2;
    S.CPT_DEPTH[1] = 0.0;
    S.CPT_QC[1] = 0.0;
    S.CPT_DEPTH[2] = 20.0;
    S.CPT_QC[2] = 20000.0;
    CALC_ICP_CAPACITY(S);
    // Segment 11 reads the profile at its top (10 m): 10000 kPa.
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[22], handSand(110.0, 110.0, 20.0)), kRel);
}

// ICP clay, su 50, s_ur 25, YSR 2, PI 20 (delta = 24.5 degrees from the chart),
// segment 11: h/R = 20, St = 2,
// Kc = (2 - 0.625 log10 2) x 2^0.42 x 20^-0.2 = 1.81186 x 1.33792 x 0.54928 = 1.33153;
// f = 0.8 sigma'v Kc tan 24.5 at each end: bottom 0.8 x 110 x 1.33153 x 0.45573 = 53.40.
TEST(IcpMethod, ClayFrictionByHand)
{
    for (bool english : {false, true}) {
        auto c = makeCase(english, 2.0);
        setClay(c, 50.0, 25.0, 2.0, 20.0);
        const auto lines = runWithReport(c.S(), CALC_ICP_CAPACITY);
        const double kc = (2.0 - 0.625 * std::log10(2.0)) * std::pow(2.0, 0.42) * std::pow(20.0, -0.2);
        const double t = std::tan(24.5 / kDegPerRad);
        EXPECT_NEAR(c.kpa(c.S().SEG_END_FRICTION[22]), 53.40, 0.01);
        EXPECT_LT(relDiff(c.kpa(c.S().SEG_END_FRICTION[22]), 0.8 * 110.0 * kc * t), 1e-5);
        EXPECT_LT(relDiff(c.kpa(c.S().SEG_END_FRICTION[21]), 0.8 * 100.0 * kc * t), 1e-5);
        // Segments 18 to 22 (h/R = 6, 4, 2, 0, -2) are each warned once and use h/R = 8.
        ASSERT_EQ(lines.size(), 5u);
        for (const auto& line : lines)
            EXPECT_EQ(line, " WARNING - h/R SHOULD BE GREATER THAN 8.");
        const double kc8 = (2.0 - 0.625 * std::log10(2.0)) * std::pow(2.0, 0.42) * std::pow(8.0, -0.2);
        EXPECT_LT(relDiff(c.kpa(c.S().SEG_END_FRICTION[36]), 0.8 * 180.0 * kc8 * t), 1e-5);
    }
}

TEST(IcpMethod, ClayGuards)
{
    // Remolded strength 0: sensitivity 1, Kc = 2 x YSR^0.42 x (h/R)^-0.2.
    auto c = makeCase(false, 2.0);
    setClay(c, 50.0, 0.0, 2.0, 20.0);
    runWithReport(c.S(), CALC_ICP_CAPACITY);
    const double kc = 2.0 * std::pow(2.0, 0.42) * std::pow(20.0, -0.2);
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], 0.8 * 110.0 * kc * std::tan(24.5 / kDegPerRad)), kRel);

    // A very sensitive clay (St = 10^4): Kc would be negative and is held at 0.
    auto s = makeCase(false, 2.0);
    setClay(s, 50.0, 0.005, 2.0, 20.0);
    runWithReport(s.S(), CALC_ICP_CAPACITY);
    EXPECT_EQ(s.S().SEG_END_FRICTION[22], 0.0);

    // A strength below the remolded one: St is held at 1.
    auto w = makeCase(false, 2.0);
    setClay(w, 20.0, 25.0, 2.0, 20.0);
    runWithReport(w.S(), CALC_ICP_CAPACITY);
    EXPECT_LT(relDiff(w.S().SEG_END_FRICTION[22], 0.8 * 110.0 * kc * std::tan(24.5 / kDegPerRad)), kRel);
}

TEST(IcpMethod, NegativePlasticityIndexWritesTheErrorAndGoesOn)
{
    auto c = makeCase(false, 2.0);
    setClay(c, 50.0, 25.0, 2.0, -1.0);
    c.S().SEG_COUNT = 2; // two segments far from the tip: no h/R warning
    const auto lines = runWithReport(c.S(), CALC_ICP_CAPACITY);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], " ERROR - NO DATA FOUND FOR PLASTIC INDEX.");
    EXPECT_EQ(lines[1], " ERROR - NO DATA FOUND FOR PLASTIC INDEX.");
    // The chart holds its first value, 34 degrees.
    const double hr = 19000.0 / 500.0;
    const double kc = (2.0 - 0.625 * std::log10(2.0)) * std::pow(2.0, 0.42) * std::pow(hr, -0.2);
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[4], 0.8 * 20.0 * kc * std::tan(34.0 / kDegPerRad)), kRel);
}

TEST(IcpMethod, ClayErrorComesBeforeTheWarningOfTheSameSegment)
{
    auto c = makeCase(false, 2.0);
    setClay(c, 50.0, 25.0, 2.0, -5.0);
    const auto lines = runWithReport(c.S(), CALC_ICP_CAPACITY);
    // 22 errors and 5 warnings; segment 18 writes its error, then its warning.
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[16], " ERROR - NO DATA FOUND FOR PLASTIC INDEX.");
    EXPECT_EQ(lines[17], " ERROR - NO DATA FOUND FOR PLASTIC INDEX.");
    EXPECT_EQ(lines[18], " WARNING - h/R SHOULD BE GREATER THAN 8.");
}

TEST(IcpMethod, ClayRaisesAZeroBottomStress)
{
    auto c = makeCase(false, 2.0);
    setClay(c, 50.0, 25.0, 2.0, 20.0);
    c.S().SIGV_ENDS[2] = 0.0;
    runWithReport(c.S(), CALC_ICP_CAPACITY);
    EXPECT_EQ(c.S().SIGV_ENDS[2], 1e-10);
}

// The common steps after ICP/MTD (index 6), closed pipe OD 1000 mm in sand:
// r = 1000 / 36 = 27.78, factor 1 - 0.5 log10 27.78 = 0.278, raised to 0.3 as
// OD > 900 mm, so q = 0.3 qc = 3000 kPa at both ends; the EID of 950 mm is not
// seen by the closed-ended pile.
TEST(IcpMethod, TipFactorOfAClosedPipeAfterTheCommonSteps)
{
    EXPECT_NEAR(1.0 - 0.5 * std::log10(1000.0 / 36.0), 0.278, 0.0005);
    for (bool english : {false, true}) {
        auto c = makeCase(english);
        CALC_ICP_CAPACITY(c.S());
        COMMON_STEPS(c.S(), 6);
        EXPECT_LT(relDiff(c.kpa(c.S().UNIT_BEARING_ENDS[21]), 3000.0), 1e-5);
        EXPECT_LT(relDiff(c.kpa(c.S().UNIT_BEARING_ENDS[22]), 3000.0), 1e-5);
    }
}

namespace {

// One layered offshore project written as a project file in English or SI units
// (the same physical case) and run through the whole engine: an open pipe OD 36 in
// (ID 34 in) embedded 60 ft in 2 ft increments; sand 0-20 ft without a layer Qc
// (the CPT profile fills it), clay 20-40 ft (su 1 ksf, s_ur 0.5 ksf, YSR 1.5,
// PI 30, side factor 0.8, limit 0.9 ksf), sand 40-70 ft (layer Qc 150 ksf) and a
// soft clay 70-75 ft. English strengths, Qc and CPT values are written in psf.
class OffshoreRun : public test::TempDirTest {
protected:
    std::unique_ptr<EngineState> run(bool english)
    {
        const double ft = english ? 1.0 : kMPerFt;        // depth unit per ft
        const double in = english ? 1.0 : kMmPerIn;       // diameter unit per in
        const double ksf = english ? 1000.0 : kKpaPerKsf; // file stress unit per ksf
        const double pcf = english ? 1.0 : 0.157087;      // file unit weight per pcf
        test::ProjectBuilder p;
        p.unitSystem = english ? 1 : 2;
        p.pileEnd = 0;
        p.od = 36 * in;
        p.id = 34 * in;
        p.tl = 60 * ft;
        p.increment = 2 * ft;
        p.zfl = 4 * ft;
        p.offshore = 1;
        p.ticked = {1, 1, 1, 1, 0, 1, 1, 1, 1};
        test::Layer sand;
        sand.bottom = 20 * ft;
        sand.unitWeight = 110 * pcf;
        sand.phi = 32;
        sand.blowCount = 15;
        test::Layer clay;
        clay.type = 2;
        clay.bottom = 40 * ft;
        clay.unitWeight = 50 * pcf;
        clay.su = 1.0 * ksf;
        clay.remolded = 0.5 * ksf;
        clay.ysr = 1.5;
        clay.pi = 30;
        clay.qc = 20 * ksf;
        clay.sideFactor = 0.8;
        clay.maxFriction = 0.9 * ksf;
        test::Layer dense = sand;
        dense.bottom = 70 * ft;
        dense.unitWeight = 60 * pcf;
        dense.phi = 36;
        dense.qc = 150 * ksf;
        test::Layer soft = clay;
        soft.bottom = 75 * ft;
        soft.su = soft.remolded = 0.3 * ksf;
        soft.pi = 8;
        soft.maxFriction = 0;
        soft.sideFactor = 1;
        p.layers = {sand, clay, dense, soft};
        writeFile("job.vd7d", p.text());
        writeFile("job.cpt", " 1 3\r\n0 0\r\n" + test::ProjectBuilder::num(10 * ft) + " " +
                                 test::ProjectBuilder::num(80 * ksf) + "\r\n" + test::ProjectBuilder::num(30 * ft) +
                                 " " + test::ProjectBuilder::num(120 * ksf) + "\r\n");
        writeNames();
        auto S = std::make_unique<EngineState>();
        std::istringstream console;
        AXIAL_CAPACITY_MAIN(*S, console);
        return S;
    }
};

} // namespace

// The offshore methods read the plasticity index, the yield stress ratio, the
// layer Qc and the CPT profile from their own storage in both unit systems: the
// side friction of every method agrees at every node after conversion.
// By hand, ICP/MTD clay at 30 ft (bottom of segment 15, top 28 ft), English:
// sigma'v = 20 x 0.110 + 10 x 0.050 = 2.7 ksf; h = (60 - 28) x 12 = 384 in,
// R* = sqrt((36^2 - 34^2) / 4) = 5.9161 in, h/R = 64.908; St = 2, delta = 20 deg (PI 30);
// Kc = (2 - 0.625 log10 2) x 1.5^0.42 x 64.908^-0.2 = 1.81186 x 1.18565 x 0.43405 = 0.93244;
// f = 0.8 x 2.7 x 0.93244 x tan 20 = 0.73306 ksf (below the limit of 0.9 ksf).
TEST_F(OffshoreRun, EnglishAndSiProjectFilesGiveTheSameSideFriction)
{
    const auto en = run(true);
    const auto si = run(false);
    ASSERT_EQ(en->STATUS, 0);
    ASSERT_EQ(si->STATUS, 0);
    EXPECT_NEAR(en->METHOD_UNIT_FRICTION[6][15], 0.73306, 2e-5);
    for (int index = 5; index <= 8; ++index) {
        for (int k = 1; k <= 30; ++k) {
            EXPECT_LT(relDiff(en->METHOD_SKIN[index][k] * kKnPerKip, si->METHOD_SKIN[index][k]), 1e-5)
                << index << " " << k;
            EXPECT_LT(relDiff(en->METHOD_UNIT_FRICTION[index][k] * kKpaPerKsf, si->METHOD_UNIT_FRICTION[index][k]),
                      1e-5)
                << index << " " << k;
            EXPECT_LT(relDiff(en->METHOD_TZ_SKIN[index][k] * kKnPerKip, si->METHOD_TZ_SKIN[index][k]), 1e-5)
                << index << " " << k;
        }
    }
}
