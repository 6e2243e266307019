// Hand-filled engine states for the offshore method tests: a closed steel pipe,
// OD 1000 mm, embedded 20 m, cut into 1 m segments, in a uniform soil of
// effective unit weight 10 kN/m3 (22 segments, the soil reaching two diameters
// below the tip), in SI units or as the same physical case in English units.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EngineState.h"
#include "UnitConversions.h"

namespace veldo::testcase {

inline constexpr double kKpaPerKsf = units::kKpaPerKsf;
inline constexpr double kMPerFt = 0.3048;
inline constexpr double kMmPerIn = 25.4;
inline constexpr double kKnPerKip = kKpaPerKsf * kMPerFt * kMPerFt; // ksf x ft2 -> kPa x m2
inline constexpr double kPi = 3.14159;
inline constexpr double kDegPerRad = 57.2958;

// One physical case in the unit system given; stresses of the case are in kPa.
struct OffshoreCase {
    bool english = false;
    std::unique_ptr<EngineState> state = std::make_unique<EngineState>();

    double depth(double metres) const { return english ? metres / kMPerFt : metres; }
    double diameter(double mm) const { return english ? mm / kMmPerIn : mm; }
    double stress(double kpa) const { return english ? kpa / kKpaPerKsf : kpa; }
    // Friction or stress of the engine back in kPa, force back in kN.
    double kpa(double value) const { return english ? value * kKpaPerKsf : value; }
    double kn(double value) const { return english ? value * kKnPerKip : value; }

    EngineState& S() { return *state; }
};

// Sand (type 1) or clay (type 2) everywhere; cone resistance qc (kPa) in the
// layer data; friction angle phi.
inline OffshoreCase makeCase(bool english, double soilType = 1.0, double qcKpa = 10000.0, double phi = 35.0)
{
    OffshoreCase c;
    c.english = english;
    EngineState& S = c.S();
    S.UNIT_SYSTEM = english ? 1 : 2;
    S.OD = c.diameter(1000.0);
    S.ID = c.diameter(950.0);
    S.EID = S.ID;
    S.PILE_END_FLAG = 1; // closed-ended
    S.TL = c.depth(20.0);
    S.INCREMENT = c.depth(1.0);
    S.ESL = S.TL - 1e-7;
    S.PILE_TYPE = 1;
    S.SEG_COUNT = 22;
    for (int i = 1; i <= S.SEG_COUNT; ++i) {
        S.SEG_TOP[i] = (i - 1) * S.INCREMENT;
        S.SEG_BOTTOM[i] = i * S.INCREMENT;
        S.SEG_THICKNESS[i] = S.INCREMENT;
        S.SEG_SOIL_TYPE[i] = soilType;
        S.SEG_FRICTION_ANGLE[i] = phi;
        // The English layer Qc is kept in psf.
        S.SEG_QC[i] = english ? qcKpa / kKpaPerKsf * 1000.0 : qcKpa;
        S.SEG_SIDE_FACTOR[i] = 1.0;
        S.SEG_MAX_UNIT_FRICTION[i] = 9999999.0;
        S.SIGV_ENDS[2 * i - 1] = c.stress(10.0 * (i - 1));
        S.SIGV_ENDS[2 * i] = c.stress(10.0 * i);
    }
    return c;
}

// Sets the clay values of every segment (strengths in kPa).
inline void setClay(OffshoreCase& c, double su, double sur, double ysr, double pi)
{
    EngineState& S = c.S();
    for (int i = 1; i <= S.SEG_COUNT; ++i) {
        S.SEG_UNDRAINED_STRENGTH[i] = c.stress(su);
        S.SEG_REMOLDED_STRENGTH[i] = c.stress(sur);
        S.SEG_BLOW_COUNT[i] = ysr;
        S.SEG_PI[i] = pi;
    }
}

// Runs a routine with the report going to a temporary file and returns the
// report's lines.
template <typename Routine> std::vector<std::string> runWithReport(EngineState& S, Routine routine)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("veldo_offshore_report_" + std::to_string(reinterpret_cast<std::uintptr_t>(&S)) + ".txt");
    S.report.open(path.string());
    routine(S);
    S.report.close();
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::filesystem::remove(path);
    return lines;
}

inline double relDiff(double a, double b)
{
    const double scale = std::max(std::fabs(a), std::fabs(b));
    return scale > 0 ? std::fabs(a - b) / scale : 0.0;
}

} // namespace veldo::testcase
