// Compares two builds of the engine library on generated projects.
//
//   veldo_engine_compare OLD.so NEW.so [--count N] [--seed S] [--projects DIR] [--work DIR]
//                        [--list] [--keep]
//
// Generates N projects (default 504, at least every combination of design method,
// pile type and unit system several times) from the seed (default 2015): sand,
// clay and silt layers, limits (also the 9999 request of API RP-2A's default),
// user load transfers, open and closed ends with every plug condition, tapered and
// noncircular sections, end sections, area tables, tension, critical-depth options,
// t-z print depths, offshore methods with and without a CPT file. Each project is
// written as job.vd7d (and job.cpt) with names.dat in the work folder and run
// through each library, loaded afresh in a child process of its own (the engine
// is not reentrant, and nothing of one run may reach the next), from the same
// folder, so that the report's file header is the same. Compared: the returned status, the report without its date
// line, and the plot-data file byte for byte. --projects DIR adds every .vd7d
// below DIR (with the .cpt of the same name when there is one), e.g. examples/.
//
// Prints one line per differing project (its files are kept in diff-NAME of the
// work folder, a temporary one unless --work names it) and
// a summary line; exits 0 when every project gives the same results, 1 on any
// difference, 2 on a usage or setup error. --list prints the generated projects'
// outline (number, method, pile type, units, status of the old library); --keep
// keeps every project and its results in project-NAME of the work folder.
//
// The usual check of an engine change against its base commit:
//   git worktree add /tmp/base <base commit>
//   cmake -S /tmp/base -B /tmp/base/build && cmake --build /tmp/base/build --target VELDO2015_DLL
//   cmake --build build --target VELDO2015_DLL veldo_engine_compare
//   build/tools/veldo_engine_compare /tmp/base/build/bin/VELDO2015_DLL.so build/bin/VELDO2015_DLL.so
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "DiameterUnits.h"
#include "InputCodes.h"
#include "PiApproximations.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMethods = 9;
constexpr int kPileTypes = 7;

// ---------------------------------------------------------------- generation

// Draws from a 32-bit Mersenne Twister by hand: the standard distributions are
// not the same on every standard library, the projects must be.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : g_(seed) {}
    double real(double lo, double hi) { return lo + (hi - lo) * (g_() / 4294967296.0); }
    // A value rounded to `step` (a round number as a user types it).
    double value(double lo, double hi, double step) { return std::round(real(lo, hi) / step) * step; }
    int integer(int lo, int hi) { return lo + static_cast<int>(g_() % static_cast<std::uint32_t>(hi - lo + 1)); }
    bool chance(double p) { return real(0, 1) < p; }
    template <typename T> T pick(const std::vector<T>& v)
    {
        return v[static_cast<size_t>(integer(0, int(v.size()) - 1))];
    }

private:
    std::mt19937 g_;
};

std::string num(double v)
{
    if (std::fabs(v) < 1e-12)
        v = 0.0;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
    return std::string(buf, r.ptr);
}

std::string line(const std::vector<double>& values)
{
    std::string s;
    for (double v : values)
        s += num(v) + " ";
    return s;
}

// Values of one layer end (the line-B columns as the project file holds them).
struct LayerEnd {
    double ko = 0, weight = 0, phi = 0, nq = 0;
    double maxFriction = 0, maxBearing = 0, su = 0, remolded = 0, blowOrYsr = 0, pi = 0, qc = 0;
    double userFriction = 0, userBearing = 0, sideFactor = 1, tipFactor = 1, adhesion = 0;
};

struct Layer {
    int type = 1;
    double bottom = 0;
    LayerEnd top, base;
};

struct Project {
    int number = 0;
    int method = 1, pileType = 1, units = 1;
    std::string vd7d, cpt; // cpt empty: no CPT file
};

class Generator {
public:
    Generator(std::uint32_t seed, int number)
        : d_(seed * 2654435761u + static_cast<std::uint32_t>(number) * 40503u + 1u), n_(number)
    {
    }

    Project make()
    {
        Project p;
        p.number = n_;
        p.method = 1 + n_ % kMethods;
        p.pileType = 1 + (n_ / kMethods) % kPileTypes;
        p.units = 1 + (n_ / (kMethods * kPileTypes)) % 2;
        en_ = p.units == 1;
        method_ = p.method;
        pileType_ = p.pileType;
        p.vd7d = projectText();
        p.cpt = cptText_;
        return p;
    }

private:
    // A stress in the file's unit: psf or kPa, from a value in kPa.
    double stress(double kPa, double step) { return en_ ? std::round(kPa * 20.885 / step) * step : kPa; }
    double weight(double kNm3) { return en_ ? std::round(kNm3 * 6.366) : std::round(kNm3 * 10) / 10; }

    LayerEnd layerEnd(int type, bool submerged, const LayerEnd* above)
    {
        LayerEnd e;
        e.weight = weight(submerged ? d_.real(8, 11) : d_.real(16, 20.5));
        if (type != 2) {
            e.ko = d_.value(0.6, 1.6, 0.05);
            e.phi = type == 1 ? d_.value(26, 41, 0.5) : d_.value(20, 32, 0.5);
            e.nq = type == 1 ? d_.value(8, 50, 1) : 0;
            e.blowOrYsr = d_.value(4, 60, 1);
        }
        if (type != 1) {
            e.su = stress(d_.real(12, 220), 10);
            if (type == 2) {
                e.remolded = d_.chance(0.8) ? std::round(e.su / d_.real(1, 4)) : 0;
                e.blowOrYsr = d_.value(1, 6, 0.1);
                e.pi = d_.chance(0.03) ? -1 : d_.value(8, 70, 1);
                e.adhesion = d_.chance(0.4) ? d_.integer(1, 3) : 0;
            }
        }
        if (type != 3 && d_.chance(0.35))
            e.qc = stress(d_.real(type == 1 ? 3000 : 400, type == 1 ? 30000 : 4000), 100);
        if (d_.chance(0.25))
            e.maxFriction = stress(d_.real(40, 150), 10);
        else if (type == 1 && d_.chance(0.2))
            e.maxFriction = 9999; // API RP-2A's default limit
        if (d_.chance(0.25))
            e.maxBearing = stress(d_.real(3000, 12000), 100);
        if (type != 3 && (method_ == 5 || d_.chance(0.25))) {
            e.userFriction = stress(d_.real(5, 120), 5);
            e.userBearing = stress(d_.real(300, 9000), 50);
        }
        if (d_.chance(0.3)) {
            e.sideFactor = d_.value(0.6, 1.0, 0.05);
            e.tipFactor = d_.value(0.6, 1.0, 0.05);
        }
        // Most values grow a little down the layer; the bottom end starts from the top's.
        if (above) {
            LayerEnd b = *above;
            const double grow = d_.chance(0.7) ? d_.real(1.0, 1.6) : 1.0;
            b.su = std::round(b.su * grow);
            b.remolded = std::round(b.remolded * grow);
            b.qc = std::round(b.qc * grow);
            b.phi = std::min(45.0, b.phi + (type != 2 && d_.chance(0.5) ? 1 : 0));
            b.blowOrYsr = type == 2 ? b.blowOrYsr : std::round(b.blowOrYsr * grow);
            return b;
        }
        return e;
    }

    static std::string lineA(const Layer& l, const LayerEnd& e, double depth)
    {
        return line(
            {depth, double(l.type), l.type == 2 ? 0 : e.ko, e.weight, l.type == 2 ? 0 : e.phi, l.type == 1 ? e.nq : 0});
    }
    static std::string lineB(const Layer& l, const LayerEnd& e)
    {
        if (l.type == 1)
            return line({e.maxFriction, e.maxBearing, 0, e.blowOrYsr, 0, 0, e.qc, e.userFriction, e.userBearing,
                         e.sideFactor, e.tipFactor, 0});
        if (l.type == 2)
            return line({e.maxFriction, e.maxBearing, e.su, e.remolded, e.blowOrYsr, e.pi, e.qc, e.userFriction,
                         e.userBearing, e.sideFactor, e.tipFactor, e.adhesion});
        return line({e.maxFriction, e.maxBearing, e.su, e.blowOrYsr, 0, 0, 0, 0, 0, e.sideFactor, e.tipFactor, 0});
    }

    std::vector<Layer> layers(double deepest, double increment)
    {
        const int count = d_.integer(1, 6);
        std::vector<double> bottoms;
        for (int i = 1; i < count; ++i)
            bottoms.push_back(d_.value(0.05, 0.95, 0.01) * deepest);
        std::sort(bottoms.begin(), bottoms.end());
        bottoms.push_back(deepest);
        // Layer boundaries on the increment mostly; a few between nodes (snapped by the engine).
        const bool onNodes = d_.chance(0.8);
        const double waterTable = d_.chance(0.6) ? d_.real(0, deepest) : deepest * 2;
        std::vector<Layer> out;
        double top = 0;
        for (size_t i = 0; i < bottoms.size(); ++i) {
            double b = bottoms[i];
            if (onNodes)
                b = std::max(std::round(b / increment) * increment, top + increment);
            else
                b = std::max(std::round(b * 10) / 10, top + 0.1);
            if (i + 1 == bottoms.size())
                b = std::max(b, deepest);
            Layer l;
            const double r = d_.real(0, 1);
            l.type = r < 0.45 ? 1 : r < 0.85 ? 2 : 3;
            l.bottom = b;
            l.top = layerEnd(l.type, top >= waterTable, nullptr);
            l.base = layerEnd(l.type, top >= waterTable, &l.top);
            out.push_back(l);
            top = b;
        }
        return out;
    }

    void cpt(double deepest)
    {
        const double step = en_ ? d_.pick<double>({0.5, 1, 2}) : d_.pick<double>({0.1, 0.25, 0.5});
        int count = std::min(1000, static_cast<int>(deepest / step) + 1);
        if (d_.chance(0.1))
            count = d_.integer(2, 12); // a short profile: the lookups hold its last point
        std::vector<std::pair<double, double>> points;
        double qc = d_.real(500, 4000);
        for (int i = 0; i < count; ++i) {
            qc = std::max(200.0, qc + d_.real(-400, 700));
            points.push_back({i * step, en_ ? std::round(qc * 20.885) : std::round(qc)});
        }
        if (d_.chance(0.05))
            std::swap(points[1], points[0]); // out of order
        cptText_ = " " + std::to_string(en_ ? 1 : 2) + " " + std::to_string(points.size()) + "\r\n";
        for (const auto& [z, q] : points)
            cptText_ += "  " + num(z) + "  " + num(q) + "\r\n";
    }

    std::string projectText()
    {
        std::vector<std::string> L = {"GENERATED PROJECT " + std::to_string(n_), "ENGINE COMPARISON",
                                      "CMP-" + std::to_string(n_)};
        const bool pipe = pileType_ == 1 || pileType_ == 7;
        const bool noncircular = pileType_ == 6 ? d_.chance(0.8) : pileType_ == 3 && d_.chance(0.3);
        double od = en_ ? d_.pick<double>({10.75, 12, 14, 16, 18, 24, 30, 36, 48})
                        : d_.pick<double>({273, 300, 356, 406, 457, 610, 762, 914, 1219});
        double id = 0, perimeter = 0, tipArea = 0;
        int pileEnd = 1;
        if (pipe || (pileType_ == 3 && d_.chance(0.3))) {
            const double wall = en_ ? d_.value(0.375, 1.5, 0.125) : d_.value(10, 40, 1);
            id = od - 2 * wall;
            pileEnd = d_.chance(0.6) ? 0 : 1;
        }
        if (noncircular) {
            perimeter = en_ ? d_.value(40, 80, 0.5) : d_.value(1000, 2000, 10);
            tipArea = en_ ? d_.value(12, 60, 0.5) : d_.value(0.008, 0.04, 0.001);
        }
        const double e = pileType_ == 2   ? (en_ ? 1600000 : 11000000)
                         : pileType_ == 3 ? (en_ ? 4000000 : 28000000)
                                          : (en_ ? 29000000 : 210000000);
        const double tl = en_ ? d_.value(20, 110, 1) : d_.value(6, 35, 0.5);
        const double psl = d_.chance(0.3) ? (en_ ? d_.value(1, 10, 1) : d_.value(0.5, 3, 0.5)) : 0;
        double esl = 0, eid = 0;
        if (pipe && id > 0 && d_.chance(0.25)) {
            esl = en_ ? d_.value(3, 15, 1) : d_.value(1, 5, 0.5);
            eid = id - (en_ ? d_.value(0.25, 1, 0.125) : d_.value(6, 25, 1)) * 2;
            eid = std::max(eid, 0.0);
        }
        const double increment = en_ ? d_.pick<double>({0.5, 1, 1, 2}) : d_.pick<double>({0.25, 0.5, 0.5, 1});
        const double zfl = d_.chance(0.3) ? (en_ ? d_.value(1, 8, 1) : d_.value(0.5, 3, 0.5)) : 0;
        const bool tapered = pileType_ == 2 || pileType_ == 4 || pileType_ == 5 || pileType_ == 7;
        const double taper = tapered && d_.chance(0.8) ? d_.value(0.05, 0.6, 0.01) : 0;
        const int offshore = method_ >= 6 || d_.chance(0.3) ? 1 : 0;
        const int sideFactorFlag = d_.chance(0.4) ? 1 : 0;

        // The diameter the engine gives a noncircular section (the circle of its perimeter).
        const double odDepth =
            (perimeter > 0 ? perimeter / veldo::kPi3_1416 : od) / veldo::DiameterUnitsPerDepthUnit(en_);
        double deepest = tl + 2 * odDepth + d_.real(0.5, 0.6 * tl);
        deepest = std::ceil(deepest / increment) * increment;
        deepest = std::min(deepest, increment * 480);
        const bool shallow = d_.chance(0.03); // the soil-depth check stops the run
        double recordDeepest = shallow ? tl : deepest;
        if (tl + 2 * odDepth > deepest)
            recordDeepest = deepest; // stopped anyway

        L.push_back(std::to_string(en_ ? 1 : 2) + " " + std::to_string(d_.integer(1, 3)) + " ");
        const std::vector<Layer> soil = layers(deepest, increment);
        if (!shallow)
            recordDeepest = std::max(recordDeepest, soil.back().bottom);
        L.back() += std::to_string(2 * soil.size()) + " " + std::to_string(pileEnd) + " ";
        L.push_back(line({perimeter, tipArea, od, id, e, tl, psl}));
        L.push_back(line({esl, eid}));
        L.push_back(line(
            {zfl, increment, double(pileType_), taper, double(method_), double(offshore), double(sideFactorFlag)}));
        std::string ticked;
        for (int m = 1; m <= kMethods; ++m)
            ticked += (m == method_ ? d_.chance(0.95) : d_.chance(0.55)) ? "1 " : "0 ";
        L.push_back(ticked);
        const int areaMode = d_.chance(0.6) ? 0 : d_.integer(1, 2);
        const double constantArea = areaMode == 1 ? (en_ ? d_.value(10, 80, 0.5) : d_.value(0.006, 0.05, 0.001)) : 0;
        L.push_back(line({recordDeepest, constantArea}));
        double top = 0;
        for (const Layer& l : soil) {
            L.push_back(lineA(l, l.top, top));
            L.push_back(lineB(l, l.top));
            L.push_back(lineA(l, l.base, l.bottom));
            L.push_back(lineB(l, l.base));
            top = l.bottom;
        }
        if (d_.chance(0.35)) {
            const int count = d_.integer(1, 6);
            L.push_back("1");
            L.push_back(std::to_string(count));
            for (int i = 0; i < count; ++i)
                L.push_back(num(d_.value(0, tl, increment)));
        } else {
            L.push_back("0");
        }
        const int loading = d_.chance(0.25) ? 1 : 0;
        L.push_back(std::to_string(loading) + " " + num(loading && d_.chance(0.6) ? d_.value(0.5, 1, 0.05) : 1));
        L.push_back(std::to_string(d_.integer(0, 1)) + " " + std::to_string(d_.integer(0, 2)));
        if (areaMode == 2) {
            const int rows = d_.integer(2, 5);
            L.push_back(std::to_string(rows) + " 2");
            for (int r = 0; r < rows; ++r) {
                const double dist = r == rows - 1 ? psl + tl + 1 : (psl + tl) * r / (rows - 1);
                L.push_back(num(std::round(dist * 10) / 10) + " " +
                            num(en_ ? d_.value(10, 80, 0.5) : d_.value(0.006, 0.05, 0.001)));
            }
        } else {
            L.push_back("2 " + std::to_string(areaMode));
            L.push_back("0 0");
            L.push_back("0 0");
        }
        const int critical = d_.integer(0, 2);
        L.push_back(std::to_string(critical) + " " +
                    num(critical == 2 ? (en_ ? d_.value(10, 40, 1) : d_.value(3, 12, 0.5)) : 0));

        // Offshore methods with a CPT file mostly; now and then a CPT file without them.
        if ((offshore && d_.chance(0.7)) || d_.chance(0.1))
            cpt(deepest);

        std::string out;
        for (const std::string& l : L)
            out += l + "\r\n";
        return out;
    }

    Draw d_;
    int n_;
    bool en_ = true;
    int method_ = 1, pileType_ = 1;
    std::string cptText_;
};

// ---------------------------------------------------------------- running

struct Result {
    int status = -1; // the engine's return value; negative: the child's failure
    std::string report, plot;
};

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

// Runs the library in a child process from `dir`; the child loads it afresh.
Result runLibrary(const std::string& library, const fs::path& dir)
{
    for (const char* name : {"job.vd7o", "job.vd7p"})
        fs::remove(dir / name);
    std::cout.flush();
    const pid_t pid = fork();
    if (pid == 0) {
        const int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, 0);
        dup2(devnull, 1);
        dup2(devnull, 2);
        alarm(60);
        if (chdir(dir.c_str()) != 0)
            _exit(101);
        void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            _exit(102);
        auto entry = reinterpret_cast<int (*)(int)>(dlsym(handle, "IVELDO"));
        if (!entry)
            _exit(103);
        _exit(entry(veldo::RunRequest::Analysis) & 0x7f);
    }
    Result r;
    int ws = 0;
    if (pid < 0 || waitpid(pid, &ws, 0) != pid)
        r.status = -1000;
    else if (WIFEXITED(ws))
        r.status = WEXITSTATUS(ws) > 100 ? -WEXITSTATUS(ws) : WEXITSTATUS(ws);
    else if (WIFSIGNALED(ws))
        r.status = -WTERMSIG(ws);
    r.report = readFile(dir / "job.vd7o");
    r.plot = readFile(dir / "job.vd7p");
    return r;
}

std::vector<std::string> reportLines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        if (l.rfind("               Date:  ", 0) != 0) // the run's date and time
            out.push_back(l);
    return out;
}

// Where two results differ; empty when they are the same.
std::string difference(const Result& a, const Result& b)
{
    if (a.status != b.status)
        return "status " + std::to_string(a.status) + " vs " + std::to_string(b.status);
    const auto la = reportLines(a.report), lb = reportLines(b.report);
    const size_t n = std::min(la.size(), lb.size());
    for (size_t i = 0; i < n; ++i)
        if (la[i] != lb[i])
            return "report line " + std::to_string(i + 1) + ":\n    old: " + la[i] + "\n    new: " + lb[i];
    if (la.size() != lb.size())
        return "report lines " + std::to_string(la.size()) + " vs " + std::to_string(lb.size());
    if (a.plot != b.plot) {
        const auto at = std::mismatch(a.plot.begin(), a.plot.end(), b.plot.begin(), b.plot.end());
        return "plot data from byte " + std::to_string(at.first - a.plot.begin());
    }
    return {};
}

int usage()
{
    std::cerr << "usage: veldo_engine_compare OLD.so NEW.so [--count N] [--seed S] [--projects DIR] [--work DIR]"
                 " [--list] [--keep]\n";
    return 2;
}

// Runs projects through both libraries and keeps the figures of the summary.
class Comparison {
public:
    Comparison(std::string oldLib, std::string newLib, fs::path work, bool keepAll)
        : oldLib_(std::move(oldLib)), newLib_(std::move(newLib)), work_(std::move(work)), run_(work_ / "run"),
          keepAll_(keepAll)
    {
        fs::create_directories(run_);
    }

    // Runs one project (named `name` in the output); the old library's status.
    int compare(const std::string& name, const std::string& project, const std::string& cpt)
    {
        for (const char* file : {"job.vd7d", "job.cpt", "names.dat"})
            fs::remove(run_ / file);
        writeFile(run_ / "job.vd7d", project);
        if (!cpt.empty())
            writeFile(run_ / "job.cpt", cpt);
        writeFile(run_ / "names.dat", "2015.7.7\r\nreserved\r\nreserved\r\n0\r\n" + (run_ / "job.vd7d").string() +
                                          "\r\n" + (run_ / "job.vd7o").string() + "\r\n" +
                                          (run_ / "job.vd7p").string() + "\r\n" +
                                          (cpt.empty() ? std::string() : (run_ / "job.cpt").string()) + "\r\n");
        const Result a = runLibrary(oldLib_, run_);
        const Result b = runLibrary(newLib_, run_);
        ++projects;
        (a.status == 0 ? completed : a.status == 1 ? stopped : failed) += 1;
        const std::string diff = difference(a, b);
        if (diff.empty() && !keepAll_)
            return a.status;
        differing += diff.empty() ? 0 : 1;
        const fs::path keep = work_ / ((diff.empty() ? "project-" : "diff-") + name);
        fs::create_directories(keep);
        writeFile(keep / "job.vd7d", project);
        if (!cpt.empty())
            writeFile(keep / "job.cpt", cpt);
        writeFile(keep / "old.vd7o", a.report);
        writeFile(keep / "new.vd7o", b.report);
        writeFile(keep / "old.vd7p", a.plot);
        writeFile(keep / "new.vd7p", b.plot);
        if (!diff.empty())
            std::cout << "project " << name << " differs (" << keep.string() << "): " << diff << "\n";
        return a.status;
    }

    // Removes what the run left when nothing is to be kept.
    void finish(bool ownWork)
    {
        if (differing == 0 && !keepAll_)
            fs::remove_all(ownWork ? work_ : run_);
        else
            std::cout << "kept in " << work_.string() << "\n";
    }

    int projects = 0, differing = 0, completed = 0, stopped = 0, failed = 0;

private:
    std::string oldLib_, newLib_;
    fs::path work_, run_;
    bool keepAll_;
};

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2)
        return usage();
    const std::string oldLib = fs::absolute(args[0]).string(), newLib = fs::absolute(args[1]).string();
    int count = kMethods * kPileTypes * 2 * 4;
    std::uint32_t seed = 2015;
    fs::path work, given;
    bool ownWork = false;
    bool list = false, keepAll = false;
    for (size_t i = 2; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--count" && hasValue)
            count = std::atoi(args[++i].c_str());
        else if (args[i] == "--seed" && hasValue)
            seed = static_cast<std::uint32_t>(std::strtoul(args[++i].c_str(), nullptr, 10));
        else if (args[i] == "--projects" && hasValue)
            given = fs::absolute(args[++i]);
        else if (args[i] == "--work" && hasValue)
            work = fs::absolute(args[++i]);
        else if (args[i] == "--list")
            list = true;
        else if (args[i] == "--keep")
            keepAll = true;
        else
            return usage();
    }
    for (const std::string& lib : {oldLib, newLib})
        if (!fs::exists(lib)) {
            std::cerr << "no library " << lib << "\n";
            return 2;
        }
    if (work.empty()) {
        std::string pattern = (fs::temp_directory_path() / "veldo_compare_XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return 2;
        work = pattern;
        ownWork = true;
    }
    Comparison c(oldLib, newLib, work, keepAll);

    std::set<int> methodsSeen, pileTypesSeen, unitsSeen;
    int cptProjects = 0;
    for (int n = 0; n < count; ++n) {
        const Project p = Generator(seed, n).make();
        char name[16];
        std::snprintf(name, sizeof name, "%04d", n);
        const int status = c.compare(name, p.vd7d, p.cpt);
        methodsSeen.insert(p.method);
        pileTypesSeen.insert(p.pileType);
        unitsSeen.insert(p.units);
        cptProjects += p.cpt.empty() ? 0 : 1;
        if (list)
            std::cout << "project " << n << ": method " << p.method << ", pile type " << p.pileType << ", "
                      << (p.units == 1 ? "English" : "SI") << (p.cpt.empty() ? "" : ", CPT") << ", status " << status
                      << "\n";
    }
    int givenCount = 0;
    if (!given.empty()) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(given))
            if (entry.path().extension() == ".vd7d")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            fs::path cpt = file;
            cpt.replace_extension(".cpt");
            const int status = c.compare(file.stem().string(), readFile(file), fs::exists(cpt) ? readFile(cpt) : "");
            ++givenCount;
            if (list)
                std::cout << "project " << file.string() << ": status " << status << "\n";
        }
    }
    std::cout << c.projects << " projects (" << count << " generated with seed " << seed << ": " << methodsSeen.size()
              << " of " << kMethods << " design methods selected, " << pileTypesSeen.size() << " pile types, "
              << unitsSeen.size() << " unit systems, " << cptProjects << " with a CPT file; " << givenCount << " from "
              << (given.empty() ? std::string("no folder") : given.string()) << "; old library: " << c.completed
              << " completed, " << c.stopped << " stopped, " << c.failed << " failed): " << c.differing << " differ\n";
    c.finish(ownWork);
    return c.differing == 0 ? 0 : 1;
}
