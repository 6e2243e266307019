// One physical pile described in English and in SI units gives the same
// capacities and load-settlement curve: generated projects (every pile type,
// every method, compression and tension, with and without stick-up, layered)
// are written in English units, converted to SI with exact factors, and both are
// run through the whole engine; the full-precision results are compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "RunDriver.h"
#include "UnitConversions.h"

namespace veldo {
namespace {

using test::Layer;
using test::ProjectBuilder;

constexpr double kFt = units::kMetrePerFoot;                // m per ft
constexpr double kIn = 25.4;                                // mm per in
constexpr double kPsf = units::kKpaPerKsf / 1000.0;         // kPa per psf
constexpr double kPsi = units::kKpaPerKsf * 144.0 / 1000.0; // kPa per psi
constexpr double kSquareInch = 0.0254 * 0.0254;             // m2 per in2
constexpr double kPcf = units::kKnM3PerPcf;                 // kN/m3 per pcf

struct CptPoint {
    double depth, qc; // ft or m, psf or kPa
};

struct Project {
    ProjectBuilder p;
    std::vector<CptPoint> cpt;
};

// A stress of the project file (psf to kPa); 9999 is API RP-2A's request for
// its default limit and 0 means no limit: both are codes, not stresses.
double stressToSi(double psf) { return psf == 9999.0 ? psf : psf * kPsf; }

Project toSi(const Project& en)
{
    Project si = en;
    ProjectBuilder& p = si.p;
    p.unitSystem = 2;
    p.perimeter *= kIn;
    p.tipArea *= kSquareInch;
    p.od *= kIn;
    p.id *= kIn;
    p.eid *= kIn;
    p.e *= kPsi;
    for (double* ft : {&p.tl, &p.psl, &p.esl, &p.zfl, &p.increment, &p.deepest, &p.criticalDepth})
        *ft *= kFt;
    p.constantArea *= kSquareInch;
    for (auto& [distance, area] : p.sections) {
        distance *= kFt;
        area *= kSquareInch;
    }
    for (double& d : p.tzDepths)
        d *= kFt;
    for (Layer& l : p.layers) {
        l.bottom *= kFt;
        l.unitWeight *= kPcf;
        for (double* psf : {&l.su, &l.remolded, &l.qc, &l.maxFriction, &l.maxBearing, &l.userFriction, &l.userBearing})
            *psf = stressToSi(*psf);
    }
    for (CptPoint& c : si.cpt) {
        c.depth *= kFt;
        c.qc *= kPsf;
    }
    return si;
}

// ---- Generated projects (English units: ft, in, psf, pcf, psi).

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    Project next(int caseNumber)
    {
        Project out;
        ProjectBuilder& p = out.p;
        p.pileType = 1 + caseNumber % 7;
        p.selected = 1 + (caseNumber / 7) % 9;
        p.loading = (caseNumber / 63) % 2;
        p.offshore = 1;
        p.ticked = {1, 1, 1, 1, 1, 1, 1, 1, 1};
        p.sideFactorFlag = flip();
        p.od = uniform(10, 36);
        p.e = p.pileType == 2 ? 1.6e6 : (p.pileType == 3 ? 4.0e6 : 29.0e6);
        pileSection(p);
        p.tl = uniform(20, 70);
        p.psl = flip() ? uniform(1, 6) : 0.0;
        p.zfl = chance(0.3) ? uniform(1, 5) : 0.0;
        p.increment = pick({0.5, 1.0, 2.0, 2.5});
        p.taper = (p.pileType == 2 || p.pileType == 4 || p.pileType == 5 || p.pileType == 7) ? uniform(0, 0.6) : 0;
        p.tensionFactor = uniform(0.6, 1.0);
        p.clayCondition = flip();
        p.plug = static_cast<int>(uniform(0, 2.999));
        p.criticalOption = static_cast<int>(uniform(0, 2.999));
        p.criticalDepth = p.criticalOption == 2 ? uniform(8, 30) : 0.0;
        soil(p);
        if (chance(0.3))
            for (int i = 0; i < 3; ++i)
                p.tzDepths.push_back(uniform(0.5, p.tl));
        if (chance(0.5)) {
            const int n = 6;
            for (int i = 0; i < n; ++i)
                out.cpt.push_back({p.deepest * i / (n - 1), uniform(20000, 300000)});
        }
        return out;
    }

private:
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    bool chance(double p) { return uniform(0, 1) < p; }
    int flip() { return chance(0.5) ? 1 : 0; }
    double pick(std::initializer_list<double> values)
    {
        const auto i = static_cast<size_t>(uniform(0, static_cast<double>(values.size()) - 1e-9));
        return values.begin()[i];
    }

    void pileSection(ProjectBuilder& p)
    {
        p.pileEnd = 1;
        p.id = 0;
        if (p.pileType == 6 || (p.pileType == 3 && chance(0.4))) {
            // Noncircular: H-pile or square concrete, by perimeter and tip area.
            p.perimeter = p.pileType == 6 ? uniform(40, 60) : 4 * uniform(12, 20);
            p.tipArea = p.pileType == 6 ? uniform(15, 30) : (p.perimeter / 4) * (p.perimeter / 4);
            return;
        }
        if (p.pileType == 1 || p.pileType == 4 || p.pileType == 5 || p.pileType == 7) {
            p.id = p.od - 2 * uniform(0.25, 1.0);
            p.pileEnd = p.pileType == 1 ? flip() : 1;
            if (p.pileEnd == 0 && chance(0.4)) {
                p.esl = uniform(3, 12);
                p.eid = p.id - uniform(0.2, 1.0);
            }
        }
        if (chance(0.2)) {
            p.constantArea = uniform(10, 60);
            p.areaMode = 1;
        } else if (chance(0.15)) {
            p.areaMode = 2;
            p.sections = {{0, uniform(20, 40)}, {uniform(10, 30), uniform(20, 40)}, {90, uniform(20, 40)}};
        }
    }

    Layer layer(int type)
    {
        Layer l;
        l.type = type;
        l.ko = uniform(0.8, 1.5);
        l.unitWeight = chance(0.3) ? uniform(50, 74) : uniform(80, 130);
        l.sideFactor = chance(0.5) ? 1.0 : uniform(0.7, 1.0);
        l.tipFactor = chance(0.5) ? 1.0 : uniform(0.7, 1.0);
        if (chance(0.3)) {
            l.userFriction = uniform(200, 2000);
            l.userBearing = uniform(5000, 80000);
        }
        l.qc = chance(0.4) ? uniform(30000, 250000) : 0.0;
        if (type == 1) {
            l.phi = uniform(26, 40);
            l.nq = uniform(8, 40);
            l.blowCount = uniform(5, 40);
            l.maxFriction = chance(0.3) ? 9999 : (chance(0.3) ? uniform(1000, 3000) : 0.0);
            l.maxBearing = chance(0.5) ? uniform(40000, 200000) : 0.0;
        } else {
            l.su = uniform(300, 3000);
            l.remolded = l.su * uniform(0.3, 0.8);
            l.ysr = uniform(1, 4);
            l.pi = uniform(10, 50);
            l.adhesion = static_cast<int>(uniform(0, 3.999));
            l.blowCount = uniform(3, 20);
            l.maxFriction = chance(0.3) ? uniform(800, 2500) : 0.0;
            l.maxBearing = chance(0.2) ? uniform(10000, 30000) : 0.0;
        }
        return l;
    }

    void soil(ProjectBuilder& p)
    {
        const int count = 1 + static_cast<int>(uniform(0, 3.999));
        const double required = p.tl + 2 * (p.perimeter > 0 ? p.perimeter / 3.1416 : p.od) / 12.0;
        p.layers.clear();
        double bottom = 0;
        for (int i = 0; i < count; ++i) {
            Layer l = layer(chance(0.1) ? 3 : (chance(0.5) ? 1 : 2));
            bottom += i + 1 == count ? std::max(required - bottom, 0.0) + uniform(0.5, 10) : uniform(3, 25);
            l.bottom = bottom;
            p.layers.push_back(l);
        }
        p.deepest = bottom;
    }

    std::mt19937 rng_;
};

// ---- Running a project and collecting its full-precision results.

struct Results {
    int status = -1;
    // Per design method 1..9: skin friction, end bearing (tension: self weight),
    // capacity at nodes 0..N, as they stood when the table printed.
    std::array<std::vector<double>, 10> skin, bearing, ultimate;
    std::vector<double> headLoad, headMovement, tipLoad; // load-settlement curve
    std::vector<double> tzTransfer;                      // t-z verification curves
};

class UnitSystems : public test::TempDirTest {
protected:
    Results run(const Project& project)
    {
        writeFile("job.vd7d", project.p.text());
        std::string cpt =
            " " + std::to_string(project.p.unitSystem) + " " + std::to_string(project.cpt.size()) + "\r\n";
        for (const CptPoint& c : project.cpt)
            cpt += ProjectBuilder::num(c.depth) + " " + ProjectBuilder::num(c.qc) + "\r\n";
        writeFile("job.cpt", cpt);
        writeNames();
        auto state = std::make_unique<EngineState>();
        EngineState& S = *state;
        Results r;
        S.RESULTS_FINAL = [&S, &r](int method) {
            const auto m = static_cast<size_t>(method);
            const auto col = static_cast<size_t>(methodIndex(method));
            const auto n = static_cast<size_t>(std::floor(S.TL / S.INCREMENT + 1e-6)) + 1;
            r.skin[m].assign(S.METHOD_SKIN[col].begin(), S.METHOD_SKIN[col].begin() + n);
            r.bearing[m].assign(S.METHOD_END_BEARING[col].begin(), S.METHOD_END_BEARING[col].begin() + n);
            r.ultimate[m].assign(S.METHOD_ULTIMATE[col].begin(), S.METHOD_ULTIMATE[col].begin() + n);
        };
        std::istringstream noConsole;
        AXIAL_CAPACITY_MAIN(S, noConsole);
        r.status = S.STATUS;
        for (int s = 1; s <= S.STEP_COUNT; ++s) {
            r.headLoad.push_back(S.STEP_HEAD_LOAD[s]);
            r.headMovement.push_back(S.STEP_HEAD_MOVEMENT[s]);
            r.tipLoad.push_back(S.STEP_TIP_LOAD[s]);
        }
        // The verification curves are the last ones built (when t-z depths are given).
        if (S.TZ_DEPTH_COUNT > 0)
            for (int k = 1; k <= S.TZNODE_COUNT; ++k)
                r.tzTransfer.insert(r.tzTransfer.end(), S.TZCURVE_T[k].begin() + 1, S.TZCURVE_T[k].end());
        return r;
    }

    static int methodIndex(int designMethod)
    {
        static constexpr int kIndex[] = {0, 1, 2, 3, 4, 9, 5, 6, 7, 8};
        return kIndex[designMethod];
    }
};

// Values of one column agree to 1e-4 relative where they reach 2 % of the
// column's largest magnitude, and to 1e-4 of that magnitude below.
std::string compareColumn(const std::string& name, const std::vector<double>& en, const std::vector<double>& si,
                          double factor)
{
    if (en.size() != si.size())
        return name + ": " + std::to_string(en.size()) + " values in English, " + std::to_string(si.size()) +
               " in SI\n";
    double largest = 0;
    for (double v : en)
        largest = std::max(largest, std::fabs(v * factor));
    for (size_t k = 0; k < en.size(); ++k) {
        const double a = en[k] * factor;
        const double b = si[k];
        const bool large = std::fabs(a) >= 0.02 * largest;
        const double allowed = large ? 1e-4 * std::fabs(a) : 1e-4 * largest;
        if (!(std::fabs(a - b) <= allowed)) {
            std::ostringstream s;
            s.precision(10);
            s << name << " at " << k << ": English " << a << " (converted), SI " << b << ", "
              << (large ? "relative " : "of largest ") << std::fabs(a - b) / (large ? std::fabs(a) : largest) << "\n";
            return s.str();
        }
    }
    return {};
}

// The published tables the project keeps per unit system on purpose: the API
// RP-2A sand limits in SI are rounded rows (side friction 47.8 / 67.0 / 81.3 /
// 95.7 / 114.8 kPa, end bearing 1.9 / 2.9 / 4.8 / 9.6 / 12.0 MPa), not the
// English rows converted. What they touch may differ: API side friction where a
// sand layer asks for the default limit (9999), API and Revised Lambda end
// bearing where a sand layer gives no end-bearing limit, and the load-settlement
// curve of those methods.
struct PublishedTables {
    bool apiFriction = false, sandBearing = false;

    explicit PublishedTables(const ProjectBuilder& p)
    {
        for (const Layer& l : p.layers) {
            if (l.type != 1)
                continue;
            apiFriction = apiFriction || l.maxFriction == 9999.0;
            sandBearing = sandBearing || l.maxBearing == 0.0;
        }
    }
    bool skin(int method) const { return method == 4 && apiFriction; }
    bool bearing(int method) const { return (method == 3 || method == 4) && sandBearing; }
    bool loadSettlement(int selected) const { return skin(selected) || bearing(selected); }
};

std::string describe(const ProjectBuilder& p, int caseNumber)
{
    std::ostringstream s;
    s << "case " << caseNumber << ": pile type " << p.pileType << ", end " << p.pileEnd << ", OD " << p.od << " ID "
      << p.id << ", TL " << p.tl << " PSL " << p.psl << ", increment " << p.increment << ", selected " << p.selected
      << ", loading " << p.loading << ", plug " << p.plug << ", critical option " << p.criticalOption << ", t-z option "
      << p.sideFactorFlag << ", " << p.layers.size() << " layers\n";
    return s.str();
}

TEST_F(UnitSystems, GeneratedPilesGiveTheSameResultsInEnglishAndSi)
{
    constexpr double kKnPerKip = units::kKnPerKip;
    constexpr double kKnPerLb = units::kKnPerKip / 1000.0;
    constexpr double kMetrePerInch = units::kMetrePerInch;
    Generator generate(20151207);
    int compared = 0;
    for (int c = 0; c < 252; ++c) {
        const Project en = generate.next(c);
        const Project si = toSi(en);
        const Results a = run(en);
        const Results b = run(si);
        ASSERT_EQ(a.status, 0) << describe(en.p, c) << readFile("job.vd7o");
        ASSERT_EQ(b.status, 0) << describe(en.p, c);
        const PublishedTables published(en.p);
        std::string failures;
        for (int m = 1; m <= 9; ++m) {
            const std::string name = "method " + std::to_string(m) + " ";
            const auto size = static_cast<size_t>(m);
            if (!published.skin(m))
                failures += compareColumn(name + "skin friction", a.skin[size], b.skin[size], kKnPerKip);
            if (!published.bearing(m))
                failures += compareColumn(name + "end bearing", a.bearing[size], b.bearing[size], kKnPerKip);
            if (!published.skin(m) && !published.bearing(m))
                failures += compareColumn(name + "capacity", a.ultimate[size], b.ultimate[size], kKnPerKip);
        }
        if (!published.loadSettlement(en.p.selected)) {
            failures += compareColumn("head load", a.headLoad, b.headLoad, kKnPerLb);
            failures += compareColumn("head movement", a.headMovement, b.headMovement, kMetrePerInch);
            failures += compareColumn("tip load", a.tipLoad, b.tipLoad, kKnPerLb);
            failures += compareColumn("t-z load transfer", a.tzTransfer, b.tzTransfer, kPsi);
        }
        EXPECT_EQ(failures, "") << describe(en.p, c);
        ++compared;
    }
    EXPECT_EQ(compared, 252);
}

// A CPT profile with a jump (two points at 12 ft) on a segment top: 12 ft is
// 3.6576 m in the SI file, and 12 segments of 0.3048 m reach 3.6576000000000004 m,
// so the SI lookup must treat the two depths as one and read the first of the
// two points, as the English run does. Offshore methods read the profile at the
// segment tops; every method's capacity agrees.
TEST_F(UnitSystems, CptJumpOnASegmentTopReadsTheSamePointInBothSystems)
{
    Project en;
    ProjectBuilder& p = en.p;
    p.offshore = 1;
    p.ticked = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    p.selected = 7;
    p.od = 24;
    p.id = 23;
    p.tl = 30;
    p.increment = 1;
    Layer sand;
    sand.phi = 34;
    sand.maxBearing = 200000;
    sand.bottom = 40;
    p.layers = {sand};
    en.cpt = {{0, 40000}, {12, 60000}, {12, 250000}, {40, 300000}};
    const Project si = toSi(en);
    const Results a = run(en);
    const Results b = run(si);
    ASSERT_EQ(a.status, 0) << readFile("job.vd7o");
    ASSERT_EQ(b.status, 0) << readFile("job.vd7o");
    std::string failures;
    for (size_t m = 1; m <= 9; ++m) {
        const std::string name = "method " + std::to_string(m) + " ";
        failures += compareColumn(name + "skin friction", a.skin[m], b.skin[m], units::kKnPerKip);
        failures += compareColumn(name + "end bearing", a.bearing[m], b.bearing[m], units::kKnPerKip);
        failures += compareColumn(name + "capacity", a.ultimate[m], b.ultimate[m], units::kKnPerKip);
    }
    EXPECT_EQ(failures, "");
}

} // namespace
} // namespace veldo
