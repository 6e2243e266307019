#include "InputEcho.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "EngineRules.h"
#include "PiApproximations.h"
#include "RecordReader.h"

namespace veldo {

namespace {

constexpr double kAbsent = 1e-10;

constexpr std::array<std::string_view, 10> kMethodLines{
    "",
    "- FHWA (Federal Highway Administration)",
    "- USACE (U.S. Army Corps of Engineers)",
    "- Revised Lambda",
    "- API RP 2A (American Petroleum Institute)",
    "- Load-transfer Units specified by User",
    "- NGI (Norwegian Geotechnical Institute)",
    "- ICP/MTD (Imperial College of London)",
    "- FUGRO (Offshore Driven Piles in Sand)",
    "- UWA (University of Western Australia)",
};

// Labels of the section, as SET_UNIT_LABELS chose them for the run.
struct Labels {
    std::string length, small, stress, area, unitWeight;
};

Labels labelsOf(const EngineState& S)
{
    return {S.LEN_LABEL, S.DIAM_LABEL, S.STRESS_LABEL, S.AREA_LABEL, S.UNIT_WEIGHT_LABEL};
}

// One report line indented by 10 blanks.
void out(EngineState& S, std::string_view text) { S.report.line(blanks(10) + std::string(text)); }

void emptyLines(EngineState& S, int count)
{
    for (int k = 0; k < count; ++k)
        S.report.line();
}

// The first maxLength characters of the text without trailing blanks.
std::string rightTrimmed(std::string_view text, std::size_t maxLength)
{
    std::string s(Utf8Prefix(text, maxLength));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

// "text value label" with the value as F10.2.
std::string valueLine(std::string_view text, double value, std::string_view label)
{
    return std::string(text) + fmtF(value, 10, 2) + " " + std::string(label);
}

bool noncircular(const EngineState& S) { return S.PERIMETER > kAbsent; }

// Pile types printed with their diameters (all but H-piles and noncircular concrete).
bool circularSection(const EngineState& S)
{
    return S.PILE_TYPE != PileType::HPile && !(S.PILE_TYPE == PileType::PrecastConcrete && noncircular(S));
}

// Pile types with an inside diameter.
bool hollowSection(const EngineState& S)
{
    return S.PILE_TYPE == PileType::SteelPipe || S.PILE_TYPE == PileType::PrecastConcrete;
}

// Tip area as the user entered it (the reader keeps English tip areas in ft2).
double tipAreaAsEntered(const EngineState& S) { return english(S) ? S.TIP_AREA * 144 : S.TIP_AREA; }

int soilRowCount(const EngineState& S) { return std::clamp(S.LAYER_END_COUNT, 0, MAX_SOIL_ROWS); }

void writeHeading(EngineState& S)
{
    emptyLines(S, 3);
    S.report.line("1");
    out(S, std::string(21, '*'));
    out(S, "* INPUT INFORMATION *");
    out(S, std::string(21, '*'));
}

void writeTitleBlock(EngineState& S)
{
    emptyLines(S, 3);
    out(S, rightTrimmed(S.TITLE, 70));
    emptyLines(S, 1);
    out(S, "DESIGNER   : " + rightTrimmed(S.DESIGNER, 60));
    emptyLines(S, 1);
    out(S, "JOB NUMBER : " + rightTrimmed(S.JOB_NUMBER, 60));
}

void writeLoadTransferMethod(EngineState& S)
{
    emptyLines(S, 2);
    out(S, "METHOD FOR UNIT LOAD TRANSFERS : ");
    emptyLines(S, 1);
    out(S, kMethodLines[static_cast<std::size_t>(S.SELECTED_METHOD)]);
    out(S, S.SIDE_FACTOR_FLAG == TzFactorOption::Factored
               ? "  Reduced Unit Side Friction and Unit Side Resistance are used."
               : "  Unfactored Unit Side Friction and Unit Side Resistance are used.");
}

void writeCriticalDepthMethod(EngineState& S, const Labels& L)
{
    out(S, "  # Critical Depth Method for Sand:");
    switch (S.CRITICAL_DEPTH_OPTION) {
    case CriticalDepthOption::ByDensity:
        out(S, "    10 to 20 Pile Diameter based on the Density");
        break;
    case CriticalDepthOption::AtStressLimit:
        out(S, "    At Effective Stress Reaching 3,500 psf (167.6 kPa)");
        break;
    case CriticalDepthOption::UserDepth:
        out(S, valueLine("    At User-Specified Critical Depth =", S.USER_CRITICAL_DEPTH, L.length));
        break;
    }
}

void writeCapacityMethods(EngineState& S, const Labels& L)
{
    emptyLines(S, 3);
    out(S, "COMPUTATION METHOD(S) FOR PILE CAPACITY : ");
    emptyLines(S, 1);
    for (int m = Method::First; m <= Method::Last; ++m) {
        if (S.MethodTicked[static_cast<std::size_t>(m)] != Flag::On)
            continue;
        out(S, kMethodLines[static_cast<std::size_t>(m)]);
        if (m == Method::Usace)
            writeCriticalDepthMethod(S, L);
        if (m == Method::IcpMtd)
            out(S, S.CLAY_CONDITION == ClayCondition::Drained ? "  # Use Drained Condition for Clay"
                                                              : "  # Use Undrained Condition for Clay");
    }
}

void writeLoading(EngineState& S)
{
    emptyLines(S, 2);
    out(S, "TYPE OF LOADING : ");
    const bool tension = S.LOADING == Loading::Tension;
    out(S, tension ? "- TENSION  " : "- COMPRESSION  ");
    if (tension && S.MethodTicked[Method::ApiRp2a] == Flag::On)
        out(S, "  REDUCTION FACTOR FOR TENSION LOADING =" + fmtF(S.TENSION_FACTOR, 10, 2));
}

void writeEndCondition(EngineState& S)
{
    out(S, S.PILE_END_FLAG == PileEnd::Closed ? "- Close-Ended Pile" : "- Open-Ended Pile");
}

void writePileType(EngineState& S)
{
    emptyLines(S, 2);
    out(S, "PILE TYPE : ");
    emptyLines(S, 1);
    switch (S.PILE_TYPE) {
    case PileType::SteelPipe:
        out(S, "Steel pipe pile or non-tapered portion of monotube pile");
        writeEndCondition(S);
        break;
    case PileType::Timber:
        out(S, "Timber pile");
        break;
    case PileType::PrecastConcrete:
        if (noncircular(S)) {
            out(S, "Precast concrete pile (Square/Rectangular/Orthogonal)");
        } else {
            out(S, "Precast concrete pile (Circular/Tubular)");
            writeEndCondition(S);
        }
        break;
    case PileType::RaymondStepTaper:
        out(S, "Raymond step-taper pile");
        break;
    case PileType::RaymondUniformTaper:
        out(S, "Raymond Uniform taper pile");
        break;
    case PileType::HPile:
        out(S, "H-Pile/Steel Pile");
        break;
    case PileType::TaperedMonotube:
        out(S, "Tapered portion of Monotube pile");
        break;
    }
    if (S.MethodTicked[Method::ApiRp2a] == Flag::On && PileType::IsTapered(S.PILE_TYPE) && S.TAPER_ANGLE > 0)
        out(S, "Angle of taper for a tapered pile  (degrees) =" + fmtF(S.TAPER_ANGLE, 10, 2));
}

// Cross-section area of the pile from its section (in2 in English, m2 in SI).
double sectionArea(const EngineState& S)
{
    if (!circularSection(S))
        return tipAreaAsEntered(S);
    const double area = (S.OD * S.OD - (hollowSection(S) ? S.ID * S.ID : 0.0)) * kPi3_1416 / 4;
    return english(S) ? area : area / 1000 / 1000;
}

void writeStiffness(EngineState& S, const Labels& L)
{
    emptyLines(S, 2);
    out(S, "DATA FOR AXIAL STIFFNESS : ");
    emptyLines(S, 1);
    out(S, "- MODULUS OF ELASTICITY     =" + fmtE(S.E_MODULUS, 10, 3) + (english(S) ? " PSI" : " KPA"));
    switch (S.AREA_MODE) {
    case AreaMode::Table: {
        out(S, "- CROSS SECTION AREA ALONG DEPTH");
        out(S, " DEPTH," + L.length + blanks(10) + " AREA," + L.area);
        const int rows = std::clamp(S.SECTION_COUNT, 0, MAX_SECTION_ROWS);
        for (int r = 1; r <= rows; ++r)
            out(S, fmtF(S.SECTION_DIST[r], 10, 2) + blanks(10) + fmtF(S.SECTION_AREA[r], 10, 2));
        break;
    }
    case AreaMode::Constant:
        out(S, valueLine("- CROSS SECTION AREA        =", S.CONSTANT_AREA, L.area));
        break;
    case AreaMode::FromSection:
        out(S, valueLine("- CROSS SECTION AREA        =", sectionArea(S), L.area));
        break;
    }
}

void writeLengths(EngineState& S, const Labels& L)
{
    out(S, valueLine("- TOTAL PILE LENGTH, TL     =", S.TL, L.length));
    out(S, valueLine("- PILE STICKUP LENGTH, PSL  =", S.PSL, L.length));
    out(S, valueLine("- ZERO FRICTION LENGTH, ZFL =", S.ZFL, L.length));
}

void writeIncrement(EngineState& S, const Labels& L)
{
    out(S, "- INCREMENT OF PILE LENGTH");
    out(S, valueLine("  USED IN COMPUTATION       =", S.INCREMENT, L.length));
}

void writeEndSectionAndPlug(EngineState& S, const Labels& L)
{
    if (std::fabs(S.ESL - S.TL) > kDepthTol) {
        out(S, "- LENGTH OF ENHANCED ");
        out(S, valueLine("  END SECTION               =", S.ESL, L.length));
        out(S, "- INTERNAL DIAMETER OF ");
        out(S, valueLine("  ENHANCED END SECTION      =", S.EID, L.small));
    }
    emptyLines(S, 2);
    out(S, "PLUGGED/UNPLUGGED CONDITIONS : ");
    switch (S.PLUG_CONDITION) {
    case PlugCondition::Computed:
        out(S, "Internal Pile Plug Calculated by Program");
        break;
    case PlugCondition::Plugged:
        out(S, "Plugged for open-ended pile");
        break;
    case PlugCondition::Unplugged:
        out(S, "Unplugged for open-ended pile");
        break;
    }
}

void writeCircularSection(EngineState& S, const Labels& L)
{
    emptyLines(S, 2);
    out(S, "CIRCULAR PILE PROPERTIES : ");
    emptyLines(S, 1);
    out(S, valueLine("- OUTSIDE DIAMETER, OD      =", S.OD, L.small));
    if (hollowSection(S))
        out(S, valueLine("- INTERNAL DIAMETER, ID     =", S.ID, L.small));
    writeLengths(S, L);
    writeIncrement(S, L);
    if (S.PILE_TYPE == PileType::SteelPipe ||
        (S.PILE_TYPE == PileType::PrecastConcrete && S.PILE_END_FLAG == PileEnd::Open))
        writeEndSectionAndPlug(S, L);
}

void writeNoncircularSection(EngineState& S, const Labels& L)
{
    emptyLines(S, 2);
    out(S, "NONCIRCULAR PILE PROPERTIES : ");
    emptyLines(S, 1);
    writeLengths(S, L);
    out(S, valueLine("- PERIMETER OF PILE         =", S.PERIMETER, L.small));
    out(S, valueLine("- TIP AREA OF PILE          =", tipAreaAsEntered(S), L.area));
    writeIncrement(S, L);
}

std::string_view soilWord(double type)
{
    // The reader admits only the three soil type codes.
    switch (static_cast<int>(std::lround(type))) {
    case SoilType::Sand:
        return "SAND";
    case SoilType::Clay:
        return "CLAY";
    default:
        return "SILT";
    }
}

void writeSoilTable(EngineState& S, const Labels& L)
{
    emptyLines(S, 3);
    out(S, "SOIL INFORMATIONS :");
    emptyLines(S, 1);
    out(S, blanks(53));
    emptyLines(S, 1);
    out(S, "                  LATERAL    EFFECTIVE    FRICTION   BEARING");
    out(S, "          SOIL    EARTH      UNIT         ANGLE      CAPACITY");
    out(S, " DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR");
    out(S, blanks(2) + L.length + blanks(24) + L.unitWeight);
    for (int r = 1; r <= soilRowCount(S); ++r) {
        const auto& row = S.SOIL[r];
        out(S, fmtF(row[COL_DEPTH], 7, 2) + blanks(3) + std::string(soilWord(row[COL_SOIL_TYPE])) +
                   fmtF(row[COL_KO], 10, 2) + fmtF(row[COL_UNIT_WEIGHT], 13, 2) + fmtF(row[COL_FRICTION_ANGLE], 13, 2) +
                   fmtF(row[COL_NQ], 10, 2));
    }
}

// User unit side friction or end bearing in stress units (English input is psf).
double userUnitValue(const EngineState& S, double value) { return english(S) ? value / 1000 : value; }

void writeLimitsTable(EngineState& S, const Labels& L)
{
    emptyLines(S, 3);
    out(S, "MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED ");
    out(S, "UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  UNIT END");
    out(S, "FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   BEARING");
    out(S, blanks(2) + L.stress + blanks(7) + L.stress + blanks(8) + L.stress + blanks(7) + L.stress + blanks(15) +
               L.stress + blanks(7) + L.stress);
    bool anyMarker = false;
    for (int r = 1; r <= soilRowCount(S); ++r) {
        const auto& row = S.SOIL[r];
        const bool noFrictionLimit = S.NO_LIMIT_FRICTION[r] == 1;
        const bool noBearingLimit = S.NO_LIMIT_BEARING[r] == 1;
        anyMarker = anyMarker || noFrictionLimit || noBearingLimit;
        out(S, fmtE(row[COL_MAX_UNIT_FRICTION], 8, 2) + (noFrictionLimit ? "*" : " ") +
                   fmtE(row[COL_MAX_UNIT_BEARING], 9, 2) + (noBearingLimit ? "*" : " ") +
                   fmtF(row[COL_UNDRAINED_STRENGTH], 11, 2) + fmtF(row[COL_REMOLDED_STRENGTH], 10, 2) +
                   fmtF(row[COL_BLOW_COUNT], 7, 2) + fmtF(userUnitValue(S, row[COL_USER_UNIT_FRICTION]), 11, 2) +
                   fmtF(userUnitValue(S, row[COL_USER_UNIT_BEARING]), 10, 2));
    }
    if (anyMarker) {
        emptyLines(S, 1);
        out(S, "* MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING ");
        out(S, "  WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT ");
        out(S, "  PLAN TO LIMIT THE COMPUTED DATA.");
    }
}

void writeFactorTable(EngineState& S, const Labels& L)
{
    emptyLines(S, 3);
    out(S, "         LRFD FACTOR  LRFD FACTOR    ");
    out(S, "          ON UNIT      ON UNIT       ");
    out(S, " DEPTH    FRICTION     BEARING   ");
    out(S, blanks(2) + L.length);
    for (int r = 1; r <= soilRowCount(S); ++r) {
        const auto& row = S.SOIL[r];
        out(S, fmtF(row[COL_DEPTH], 7, 2) + " " + fmtF(row[COL_SIDE_FACTOR], 8, 3) + blanks(4) +
                   fmtF(row[COL_TIP_FACTOR], 8, 3));
    }
}

// Plasticity index, yield stress ratio and layer Qc for the offshore methods;
// the English Qc (psf) prints in ksf.
void writeOffshoreTable(EngineState& S, const Labels& L)
{
    emptyLines(S, 2);
    out(S, blanks(53));
    emptyLines(S, 1);
    out(S, "        PLASTIC    YIELD      Qc                             ");
    out(S, "         INDEX    STRESS     FROM                            ");
    out(S, " DEPTH     PI      RATIO     CPT                             ");
    out(S, blanks(2) + L.length + blanks(6) + "%" + blanks(17) + L.stress);
    for (int r = 1; r <= soilRowCount(S); ++r) {
        const auto& row = S.SOIL[r];
        const double qc = english(S) ? row[COL_QC] / 1000 : row[COL_QC];
        out(S, fmtF(row[COL_DEPTH], 7, 2) + " " + fmtF(row[COL_PI], 6, 2) + blanks(3) +
                   fmtF(row[COL_BLOW_COUNT], 6, 2) + blanks(3) + fmtE(qc, 10, 3));
    }
}

} // namespace

void INPUT_ECHO(EngineState& S)
{
    const Labels L = labelsOf(S);
    writeHeading(S);
    writeTitleBlock(S);
    writeLoadTransferMethod(S);
    writeCapacityMethods(S, L);
    writeLoading(S);
    writePileType(S);
    writeStiffness(S, L);
    if (circularSection(S))
        writeCircularSection(S, L);
    else
        writeNoncircularSection(S, L);
    writeSoilTable(S, L);
    writeLimitsTable(S, L);
    writeFactorTable(S, L);
    if (S.OFFSHORE_FLAG == Flag::On)
        writeOffshoreTable(S, L);
}

} // namespace veldo
