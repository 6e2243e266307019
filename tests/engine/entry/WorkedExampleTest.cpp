// The Technical Manual's worked examples, run through the whole engine from a
// project file. The expected values are read from the manual's own check tables
// (rows "| `key` | quantity | value unit |" in docs/technical/*.md), which hold
// the hand calculation, so the manual and the engine cannot drift apart.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>

#include "CommonSteps.h"
#include "EngineTestSupport.h"
#include "ManualChecks.h"
#include "RunDriver.h"

namespace veldo::test {
namespace {

// Every check row of the manual's sources, by key.
std::map<std::string, double> manualChecks()
{
    std::map<std::string, double> checks;
    for (const ManualChapter& chapter : readManualChapters(VELDO_DOCS_DIR "/technical"))
        for (const ManualCheck& c : chapter.checks) {
            double v = 0;
            const auto r = std::from_chars(c.value.data(), c.value.data() + c.value.size(), v);
            EXPECT_EQ(r.ec, std::errc()) << c.source << ": " << c.key;
            EXPECT_TRUE(checks.emplace(c.key, v).second) << "key given twice: " << c.key;
        }
    return checks;
}

// Keys of the checks, by method: unit friction, skin friction, end bearing and
// total at the tip node.
struct MethodKeys {
    const char* prefix;
    int designMethod;
};

class WorkedExampleTest : public TempDirTest {
protected:
    std::unique_ptr<EngineState> run(const ProjectBuilder& p)
    {
        writeFile("job.vd7d", p.text());
        writeFile("job.cpt", " 1 0\r\n");
        writeNames();
        auto S = std::make_unique<EngineState>();
        AXIAL_CAPACITY_MAIN(*S);
        EXPECT_EQ(S->STATUS, 0) << readFile("job.vd7o");
        return S;
    }

    // The manual's value of a key, with a failure when the manual lacks it.
    double expected(const std::string& key)
    {
        const auto it = checks_.find(key);
        if (it == checks_.end()) {
            ADD_FAILURE() << "the manual has no check " << key;
            return 0;
        }
        return it->second;
    }

    // The manual prints six significant figures.
    void check(const std::string& key, double actual)
    {
        const double want = expected(key);
        EXPECT_NEAR(actual, want, 2e-5 * std::max(std::fabs(want), 1e-9)) << key;
    }

    void checkMethod(const EngineState& S, const MethodKeys& m)
    {
        const auto col = static_cast<size_t>(methodIndexOf(m.designMethod));
        const auto tip = static_cast<size_t>(lastNode(S));
        const std::string p = m.prefix;
        check(p + ".f", S.METHOD_UNIT_FRICTION[col][tip]);
        check(p + ".skin", S.METHOD_SKIN[col][tip]);
        check(p + ".tip", S.METHOD_END_BEARING[col][tip]);
        check(p + ".total", S.METHOD_ULTIMATE[col][tip]);
    }

    std::map<std::string, double> checks_ = manualChecks();
};

// The two projects of the examples: a closed-ended steel pipe, TL 10 in
// increments of 5 (ft or m), in one sand layer (phi 30, Ko 1, Nq 20) to 20.
// English: OD 12 in, ID 11 in, 60 pcf, user values 400 and 30000 psf, the
// onshore methods. SI: OD 1000 mm, ID 950 mm, 10 kN/m3, qc 10000 kPa, the
// offshore methods.
ProjectBuilder sandCase(bool si)
{
    ProjectBuilder p;
    p.unitSystem = si ? 2 : 1;
    p.od = si ? 1000 : 12;
    p.id = si ? 950 : 11;
    p.e = si ? 200000000 : 29000000;
    p.tl = 10;
    p.increment = 5;
    p.pileEnd = 1;
    p.selected = 4;
    p.offshore = si ? 1 : 0;
    p.ticked = si ? std::vector<int>{0, 0, 0, 1, 0, 1, 1, 1, 1} : std::vector<int>{1, 1, 1, 1, 1, 0, 0, 0, 0};
    Layer sand;
    sand.bottom = 20;
    sand.unitWeight = si ? 10 : 60;
    sand.phi = 30;
    sand.ko = 1;
    sand.nq = 20;
    sand.qc = si ? 10000 : 0;
    sand.userFriction = si ? 0 : 400;
    sand.userBearing = si ? 0 : 30000;
    p.layers = {sand};
    return p;
}

TEST_F(WorkedExampleTest, ClassicMethodsAndUserMethodInEnglishUnits)
{
    const auto S = run(sandCase(false));
    for (const MethodKeys& m : {MethodKeys{"fhwa", 1}, MethodKeys{"usace", 2}, MethodKeys{"lambda", 3},
                                MethodKeys{"api", 4}, MethodKeys{"user", 5}})
        checkMethod(*S, m);
    // Intermediate values of the hand calculations.
    check("api.skin5", S->METHOD_SKIN[4][1]);
    check("lambda.skin5", S->METHOD_SKIN[3][1]);
    check("fhwa.f5", S->METHOD_UNIT_FRICTION[1][1]);
}

TEST_F(WorkedExampleTest, OffshoreMethodsInSiUnits)
{
    const auto S = run(sandCase(true));
    for (const MethodKeys& m :
         {MethodKeys{"ngi", 6}, MethodKeys{"icp", 7}, MethodKeys{"fugro", 8}, MethodKeys{"uwa", 9}})
        checkMethod(*S, m);
    check("icp.f5", S->METHOD_UNIT_FRICTION[6][1]);
    check("fugro.f5", S->METHOD_UNIT_FRICTION[7][1]);
    check("uwa.f5", S->METHOD_UNIT_FRICTION[8][1]);
}

TEST_F(WorkedExampleTest, LoadSettlementOfTheApiMethod)
{
    const auto S = run(sandCase(false));
    ASSERT_EQ(S->STEP_COUNT, 9);
    for (int s = 1; s <= 9; ++s) {
        const auto i = static_cast<size_t>(s);
        const std::string n = std::to_string(s);
        check("ls.head" + n, S->STEP_HEAD_LOAD[i] / 1000.0);
        check("ls.headw" + n, S->STEP_HEAD_MOVEMENT[i]);
        check("ls.tip" + n, S->STEP_TIP_LOAD[i] / 1000.0);
    }
    check("ls.fs", S->TZNODE_FSIDE[2]);
}

// Every check of the manual belongs to one of the examples above.
TEST_F(WorkedExampleTest, EveryCheckOfTheManualIsRun)
{
    for (const auto& [key, value] : checks_) {
        const std::string prefix = key.substr(0, key.find('.'));
        static const std::vector<std::string> known = {"fhwa", "usace", "lambda", "api", "user",
                                                       "ngi",  "icp",   "fugro",  "uwa", "ls"};
        EXPECT_NE(std::find(known.begin(), known.end(), prefix), known.end()) << key;
    }
    EXPECT_GE(checks_.size(), 50u);
}

} // namespace
} // namespace veldo::test
