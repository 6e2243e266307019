// Helpers of the engine tests: a temporary working directory (names.dat is read
// from the current directory), file writing and reading, and a builder of
// project files in the layout the program writes.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace veldo::test {

// Runs each test in a fresh temporary directory and restores the old one.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDir_ = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "veldo_engine_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        std::filesystem::current_path(dir_);
    }
    void TearDown() override
    {
        std::filesystem::current_path(oldDir_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    void writeFile(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string readFile(const std::string& name) const
    {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
    std::vector<std::string> lines(const std::string& name) const
    {
        std::vector<std::string> out;
        std::istringstream in(readFile(name));
        for (std::string l; std::getline(in, l);)
            out.push_back(l);
        return out;
    }

    // names.dat for the files job.vd7d, job.vd7o, job.vd7p and job.cpt in the test directory.
    void writeNames(const std::string& version = "2015.7.7", const std::string& cpt = "job.cpt") const
    {
        writeFile("names.dat", version + "\r\nreserved\r\nreserved\r\n0\r\n" + path("job.vd7d") + "\r\n" +
                                   path("job.vd7o") + "\r\n" + path("job.vd7p") + "\r\n" +
                                   (cpt.empty() ? std::string() : path(cpt)) + "\r\n");
    }

    std::filesystem::path dir_;
    std::filesystem::path oldDir_;
};

// One soil layer of a project: type 1 sand, 2 clay, 3 silt, with the values of
// its top and bottom ends (the same at both ends unless set).
struct Layer {
    int type = 1;
    double bottom = 50;
    double ko = 1.0, unitWeight = 120, phi = 30, nq = 20, blowCount = 10;
    double su = 0, remolded = 0, ysr = 0, pi = 0, qc = 0;
    double maxFriction = 0, maxBearing = 0, userFriction = 0, userBearing = 0;
    double sideFactor = 1, tipFactor = 1;
    int adhesion = 0;
};

// A project file as the program writes it (records 1 to 17, CR LF line ends).
struct ProjectBuilder {
    int unitSystem = 1, printStep = 1, pileEnd = 1;
    double perimeter = 0, tipArea = 0, od = 12, id = 0, e = 29000000, tl = 50, psl = 0;
    double esl = 0, eid = 0;
    double zfl = 0, increment = 1;
    int pileType = 1;
    double taper = 0;
    int selected = 4, offshore = 0, sideFactorFlag = 0;
    std::vector<int> ticked = {1, 1, 1, 1, 0, 0, 0, 0, 0};
    double deepest = -1; // -1: bottom of the last layer
    double constantArea = 0;
    std::vector<Layer> layers = {Layer{}};
    std::vector<double> tzDepths;
    int loading = 0;
    double tensionFactor = 1;
    int clayCondition = 0, plug = 0;
    std::vector<std::pair<double, double>> sections = {{0, 0}, {0, 0}};
    int areaMode = 0;
    int criticalOption = 0;
    double criticalDepth = 0;

    static std::string num(double v)
    {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
        return std::string(buf, r.ptr);
    }

    std::string text() const
    {
        std::vector<std::string> L = {"TEST PROJECT", "TESTER", "JOB 1"};
        L.push_back(std::to_string(unitSystem) + " " + std::to_string(printStep) + " " +
                    std::to_string(2 * layers.size()) + " " + std::to_string(pileEnd) + " ");
        L.push_back(num(perimeter) + " " + num(tipArea) + " " + num(od) + " " + num(id) + " " + num(e) + " " + num(tl) +
                    " " + num(psl));
        L.push_back(num(esl) + " " + num(eid));
        L.push_back(num(zfl) + " " + num(increment) + " " + std::to_string(pileType) + " " + num(taper) + " " +
                    std::to_string(selected) + " " + std::to_string(offshore) + " " + std::to_string(sideFactorFlag));
        std::string r8;
        for (int t : ticked)
            r8 += std::to_string(t) + " ";
        L.push_back(r8);
        L.push_back(num(deepest < 0 ? layers.back().bottom : deepest) + " " + num(constantArea));
        double top = 0;
        for (const Layer& l : layers) {
            for (double depth : {top, l.bottom}) {
                L.push_back(lineA(l, depth));
                L.push_back(lineB(l));
            }
            top = l.bottom;
        }
        if (tzDepths.empty()) {
            L.push_back("0");
        } else {
            L.push_back("1");
            L.push_back(std::to_string(tzDepths.size()));
            for (double d : tzDepths)
                L.push_back(num(d));
        }
        L.push_back(std::to_string(loading) + " " + num(tensionFactor));
        L.push_back(std::to_string(clayCondition) + " " + std::to_string(plug));
        L.push_back(std::to_string(sections.size()) + " " + std::to_string(areaMode));
        if (sections.size() > 1)
            for (const auto& [d, a] : sections)
                L.push_back(num(d) + " " + num(a));
        L.push_back(std::to_string(criticalOption) + " " + num(criticalDepth));
        std::string out;
        for (const std::string& l : L)
            out += l + "\r\n";
        return out;
    }

    static std::string lineA(const Layer& l, double depth)
    {
        const bool clay = l.type == 2;
        return num(depth) + " " + std::to_string(l.type) + " " + num(clay ? 0 : l.ko) + " " + num(l.unitWeight) + " " +
               num(clay ? 0 : l.phi) + " " + num(l.type == 1 ? l.nq : 0) + " ";
    }
    static std::string lineB(const Layer& l)
    {
        std::vector<double> b;
        if (l.type == 1)
            b = {l.maxFriction, l.maxBearing, 0, l.blowCount, 0, 0, l.qc, l.userFriction, l.userBearing,
                 l.sideFactor,  l.tipFactor,  0};
        else if (l.type == 2)
            b = {l.maxFriction, l.maxBearing, l.su,        l.remolded,
                 l.ysr,         l.pi,         l.qc,        l.userFriction,
                 l.userBearing, l.sideFactor, l.tipFactor, static_cast<double>(l.adhesion)};
        else
            b = {l.maxFriction, l.maxBearing, l.su, l.blowCount, 0, 0, 0, 0, 0, l.sideFactor, l.tipFactor, 0};
        std::string s;
        for (double v : b)
            s += num(v) + " ";
        return s;
    }
};

} // namespace veldo::test
