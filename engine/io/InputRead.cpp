#include "InputRead.h"

#include "DiameterUnits.h"
#include "EngineRules.h"
#include "PiApproximations.h"
#include "RecordReader.h"
#include "UnitConversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace veldo {

RunStop::RunStop(int status, std::vector<std::string> lines)
    : std::runtime_error(lines.empty() ? std::string("run stopped") : lines.front()), status_(status),
      lines_(std::move(lines))
{
}

namespace {

constexpr double kAbsent = 1.0e-10;
constexpr double kNoLimit = 9999999.0;
const std::string kIndent(10, ' ');

std::string numberText(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// A value of the project outside what the engine can hold: stopped, with a message
// in the style of the soil-depth check.
[[noreturn]] void refuse(std::string_view what, std::string_view value, std::string_view why)
{
    throw RunStop(
        RunStatus::Stopped,
        {"", "", kIndent + "COMPUTATION DOES NOT PROCEED BECAUSE THE " + std::string(what) + " = " + std::string(value),
         kIndent + std::string(why)});
}

void requireRange(std::string_view what, int value, int lo, int hi)
{
    if (value < lo || value > hi)
        refuse(what, std::to_string(value),
               "IS OUTSIDE THE ALLOWED RANGE " + std::to_string(lo) + " TO " + std::to_string(hi));
}

void readPileRecords(EngineState& S, RecordReader& in)
{
    in.record(); // record 4
    S.UNIT_SYSTEM = in.integer();
    S.PRINT_STEP = in.integer();
    S.LAYER_END_COUNT = in.integer();
    S.PILE_END_FLAG = in.integer();
    requireRange("UNIT SYSTEM", S.UNIT_SYSTEM, UnitSystem::English, UnitSystem::SI);
    // The tables divide the point count by the print step: below 1 it is taken as 1.
    S.PRINT_STEP = std::max(S.PRINT_STEP, 1);
    if (S.LAYER_END_COUNT < 2 || S.LAYER_END_COUNT > MAX_SOIL_ROWS || S.LAYER_END_COUNT % 2 != 0)
        refuse("NUMBER OF LAYER-END RECORDS", std::to_string(S.LAYER_END_COUNT),
               "IS NOT AN EVEN NUMBER FROM 2 TO 80 (TWO RECORDS PER SOIL LAYER, AT MOST 40 LAYERS)");

    in.record(); // record 5
    S.PERIMETER = in.real();
    S.TIP_AREA = in.real();
    S.OD = in.real();
    S.ID = in.real();
    S.E_MODULUS = in.real();
    S.TL = in.real();
    S.PSL = in.real();
    if (!(S.TL > 0.0))
        refuse("TOTAL LENGTH OF THE PILE", numberText(S.TL), "IS NOT GREATER THAN 0");
    if (english(S))
        S.TIP_AREA /= 144.0; // in2 to ft2
    if (S.PERIMETER > kAbsent) {
        // A noncircular section is treated as a circle of the same perimeter.
        S.ID = 0.0;
        S.OD = S.PERIMETER / kPi3_1416;
    }
    if (!(S.OD > 0.0))
        refuse("OUTSIDE DIAMETER", numberText(S.OD), "IS NOT GREATER THAN 0");
    // The load-settlement analysis divides by the axial stiffness E x A.
    if (!(S.E_MODULUS > 0.0))
        refuse("MODULUS OF ELASTICITY", numberText(S.E_MODULUS), "IS NOT GREATER THAN 0");

    in.record(); // record 6
    S.ESL = in.real();
    S.EID = in.real();
    if (S.ESL < 1.0e-5) {
        S.EID = S.ID;
        S.ESL = S.TL - 1.0e-7;
    }
    // A wall of no or negative thickness gives a steel area of 0 or below: the
    // load-settlement analysis would report NaN for every load.
    const std::pair<const char*, double> insideDiameters[] = {{"INSIDE DIAMETER", S.ID},
                                                              {"INSIDE DIAMETER OF THE END SECTION", S.EID}};
    for (const auto& [what, value] : insideDiameters) {
        if (value < 0.0)
            refuse(what, numberText(value), "IS LESS THAN 0");
        if (!(value < S.OD))
            refuse(what, numberText(value), "IS NOT LESS THAN THE OUTSIDE DIAMETER");
    }

    in.record(); // record 7
    S.ZFL = in.real();
    S.INCREMENT = in.real();
    S.PILE_TYPE = in.integer();
    S.TAPER_ANGLE = in.real();
    S.SELECTED_METHOD = in.integer();
    S.OFFSHORE_FLAG = in.integer();
    S.SIDE_FACTOR_FLAG = in.integer();
    if (!(S.INCREMENT > 0.0))
        refuse("INCREMENT OF PILE LENGTH", numberText(S.INCREMENT), "IS NOT GREATER THAN 0");
    requireRange("PILE TYPE", S.PILE_TYPE, PileType::First, PileType::Last);
    requireRange("SELECTED LOAD-TRANSFER METHOD", S.SELECTED_METHOD, Method::First, Method::Last);
    // The offshore methods run only with the offshore flag: without it the selected
    // method would hand an empty curve to the load-settlement analysis.
    if (Method::IsOffshore(S.SELECTED_METHOD) && S.OFFSHORE_FLAG != Flag::On)
        refuse("SELECTED LOAD-TRANSFER METHOD", std::to_string(S.SELECTED_METHOD),
               "IS AN OFFSHORE METHOD, BUT THE OFFSHORE METHODS ARE NOT ENABLED");
    requireRange("T-Z FACTOR OPTION", S.SIDE_FACTOR_FLAG, TzFactorOption::Unfactored, TzFactorOption::Factored);

    in.record(); // record 8
    for (int m = Method::First; m <= Method::Last; ++m)
        S.MethodTicked[m] = in.integer();

    in.record(); // record 9
    S.DEEPEST_SOIL_DEPTH = in.real();
    S.CONSTANT_AREA = in.real();
}

// Conversions and substitutions of one soil-table row after its two lines are read.
void finishSoilRow(EngineState& S, int row)
{
    auto& r = S.SOIL[row];
    S.NO_LIMIT_FRICTION[row] = 0;
    S.NO_LIMIT_BEARING[row] = 0;
    const double type = r[COL_SOIL_TYPE];
    if (type != SoilType::Sand && type != SoilType::Clay && type != SoilType::Silt)
        refuse("SOIL TYPE OF LAYER-END RECORD " + std::to_string(row), numberText(type),
               "IS NOT 1 (SAND), 2 (CLAY) OR 3 (SILT)");
    // Values no soil can have: the stresses and capacities computed from them would
    // be NaN, and the run would still end as if it had succeeded.
    const std::string record = " OF LAYER-END RECORD " + std::to_string(row);
    if (r[COL_KO] < 0.0)
        refuse("COEFFICIENT OF LATERAL EARTH PRESSURE" + record, numberText(r[COL_KO]), "IS LESS THAN 0");
    // A unit weight of 0 is a layer left empty: no stress, no capacity.
    if (!(r[COL_UNIT_WEIGHT] > 0.0))
        refuse("UNIT WEIGHT" + record, numberText(r[COL_UNIT_WEIGHT]), "IS NOT GREATER THAN 0");
    if (r[COL_FRICTION_ANGLE] < 0.0 || r[COL_FRICTION_ANGLE] > 90.0)
        refuse("FRICTION ANGLE" + record, numberText(r[COL_FRICTION_ANGLE]), "IS OUTSIDE THE ALLOWED RANGE 0 TO 90");
    // Sand and silt: the blow count goes to column 11, column 10 keeps only the
    // remolded strength of clay.
    if (type == SoilType::Sand || type == SoilType::Silt) {
        r[COL_BLOW_COUNT] = r[COL_REMOLDED_STRENGTH];
        r[COL_REMOLDED_STRENGTH] = 0.0;
    }
    S.SOIL_PI_READ[row] = r[COL_PI];
    S.SOIL_QC_READ[row] = r[COL_QC];
    // Lighter than 75 pcf (11.78 kN/m3): submerged soil.
    const double lowWeight = english(S) ? 75.0 : 75.0 * units::kKnM3PerPcf;
    if (S.LOW_WEIGHT_DEPTH == 99999.0 && r[COL_UNIT_WEIGHT] < lowWeight)
        S.LOW_WEIGHT_DEPTH = r[COL_DEPTH];
    // A limit typed as 9999 asks API RP-2A for its default limit (seen before any division).
    S.API_DEFAULT_LIMIT[row] = std::fabs(r[COL_MAX_UNIT_FRICTION] - 9999.0) < 1.0e-6 ? 1 : 0;
    if (english(S)) {
        // psf to ksf; the plasticity index, the layer Qc and the user unit values
        // stay as read in their own columns.
        for (int c : {COL_MAX_UNIT_FRICTION, COL_MAX_UNIT_BEARING, COL_UNDRAINED_STRENGTH, COL_REMOLDED_STRENGTH})
            r[c] /= 1000.0;
    }
    if (r[COL_MAX_UNIT_FRICTION] < kAbsent) {
        S.NO_LIMIT_FRICTION[row] = 1;
        r[COL_MAX_UNIT_FRICTION] = kNoLimit;
    }
    if (r[COL_MAX_UNIT_BEARING] < kAbsent) {
        S.NO_LIMIT_BEARING[row] = 1;
        r[COL_MAX_UNIT_BEARING] = kNoLimit;
    }
}

// Each layer's bottom (its second record) lies below the ground and not above the
// bottom of the layer before it; layers out of order would fold the soil profile.
void checkLayerOrder(const EngineState& S)
{
    double previous = 0.0;
    for (int layer = 1; 2 * layer <= S.LAYER_END_COUNT; ++layer) {
        const double bottom = S.SOIL[2 * layer][COL_DEPTH];
        const std::string what = "BOTTOM OF LAYER " + std::to_string(layer);
        if (layer == 1 && !(bottom > 0.0))
            refuse(what, numberText(bottom), "IS NOT BELOW THE GROUND SURFACE");
        if (bottom < previous)
            refuse(what, numberText(bottom),
                   "IS ABOVE THE BOTTOM OF LAYER " + std::to_string(layer - 1) + " = " + numberText(previous));
        previous = bottom;
    }
}

void readSoilRows(EngineState& S, RecordReader& in)
{
    for (int row = 1; row <= S.LAYER_END_COUNT; ++row) {
        auto& r = S.SOIL[row];
        in.record(); // line A
        for (int c : {COL_DEPTH, COL_SOIL_TYPE, COL_KO, COL_UNIT_WEIGHT, COL_FRICTION_ANGLE, COL_NQ})
            r[c] = in.real();
        in.record(); // line B
        for (int c = COL_MAX_UNIT_FRICTION; c <= COL_ADHESION; ++c)
            r[c] = in.real();
        finishSoilRow(S, row);
    }
    checkLayerOrder(S);
}

void readOptionRecords(EngineState& S, RecordReader& in)
{
    in.record(); // record 11
    S.TZ_FLAG = in.integer();
    if (S.TZ_FLAG == Flag::On) {
        in.record(); // record 12
        S.TZ_DEPTH_COUNT = in.integer();
        requireRange("NUMBER OF USER T-Z DEPTHS", S.TZ_DEPTH_COUNT, 0, MAX_TZ_DEPTHS);
        for (int i = 1; i <= S.TZ_DEPTH_COUNT; ++i) {
            in.record();
            S.TZ_DEPTHS[i] = in.real();
        }
    }

    in.record(); // record 13
    S.LOADING = in.integer();
    S.TENSION_FACTOR = in.real();
    requireRange("LOADING FLAG", S.LOADING, Loading::Compression, Loading::Tension);

    in.record(); // record 14
    S.CLAY_CONDITION = in.integer();
    S.PLUG_CONDITION = in.integer();
    requireRange("CLAY CONDITION", S.CLAY_CONDITION, ClayCondition::Undrained, ClayCondition::Drained);
    requireRange("PLUG CONDITION", S.PLUG_CONDITION, PlugCondition::Computed, PlugCondition::Unplugged);

    in.record(); // record 15
    S.SECTION_COUNT = in.integer();
    S.AREA_MODE = in.integer();
    requireRange("NUMBER OF CROSS-SECTION ROWS", S.SECTION_COUNT, 0, MAX_SECTION_ROWS);
    requireRange("CROSS-SECTION AREA MODE", S.AREA_MODE, AreaMode::FromSection, AreaMode::Table);
    for (int i = 1; i <= S.SECTION_COUNT; ++i) {
        in.record(); // record 16
        S.SECTION_DIST[i] = in.real();
        S.SECTION_AREA[i] = in.real();
    }

    in.record(); // record 17
    S.CRITICAL_DEPTH_OPTION = in.integer();
    S.USER_CRITICAL_DEPTH = in.real();
    requireRange("CRITICAL-DEPTH OPTION", S.CRITICAL_DEPTH_OPTION, CriticalDepthOption::ByDensity,
                 CriticalDepthOption::UserDepth);
}

} // namespace

void READ_PROJECT_TEXT(EngineState& S, std::string_view text, std::string_view fileName)
{
    RecordReader in(text, fileName);
    S.TITLE = FixedText(in.text(), 72);
    S.DESIGNER = FixedText(in.text(), 72);
    S.JOB_NUMBER = FixedText(in.text(), 72);
    S.LOW_WEIGHT_DEPTH = 99999.0;
    readPileRecords(S, in);
    readSoilRows(S, in);
    readOptionRecords(S, in);
}

void READ_PROJECT_FILE(EngineState& S)
{
    const std::string path = TrimRight(S.INPUT_PATH);
    const std::string text = ReadWholeFile(path);
    READ_PROJECT_TEXT(S, text, path);
}

void READ_CPT_TEXT(EngineState& S, std::string_view text, std::string_view fileName)
{
    RecordReader in(text, fileName);
    in.record();
    in.integer(); // units code: the values are taken in the project's unit system
    S.CPT_COUNT = in.integer();
    requireRange("NUMBER OF CPT POINTS", S.CPT_COUNT, 0, MAX_CPT_POINTS);
    for (int i = 1; i <= S.CPT_COUNT; ++i) {
        in.record();
        S.CPT_DEPTH[i] = in.real();
        S.CPT_QC[i] = in.real();
    }
    S.CPT_ASCENDING = std::is_sorted(S.CPT_DEPTH.begin() + 1, S.CPT_DEPTH.begin() + 1 + S.CPT_COUNT);
}

void READ_CPT_FILE(EngineState& S)
{
    const std::string path = TrimRight(S.CPT_PATH);
    S.CPT_COUNT = 0;
    if (path.empty())
        return;
    const std::string text = ReadWholeFile(path);
    READ_CPT_TEXT(S, text, path);
}

double REQUIRED_SOIL_DEPTH(const EngineState& S) { return S.TL + 2.0 * S.OD / DiameterUnitsPerDepthUnit(english(S)); }

bool SOIL_DEPTH_CHECK(EngineState& S)
{
    const double required = REQUIRED_SOIL_DEPTH(S);
    const double lastDepth = S.SOIL[S.LAYER_END_COUNT][COL_DEPTH];
    if (lastDepth < required - kDepthTol) {
        S.console.line();
        S.console.line();
        S.console.line();
        S.console.write("10X,'COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL',' INFORMATION'");
        S.console.write("10X,'WAS PROVIDED AT THE DEPTH ',F10.2,1X,A3", {required, S.LEN_LABEL});
        S.console.write("10X,'PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE '");
        S.console.write("10X,' PILE LENGTH PLUS TWO PILE DIAMETERS'");
    }
    if (S.DEEPEST_SOIL_DEPTH < required - kDepthTol) {
        S.report.line();
        S.report.line();
        S.report.write("10X,'COMPUTATION DOES NOT PROCEED BECAUSE THE ','DEEPEST SOIL PROFILE ',F7.2,1X,A3",
                       {S.DEEPEST_SOIL_DEPTH, S.LEN_LABEL});
        S.report.write("10X,'IS LESS THAN PILE ','EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER ',F10.2,1X,A3",
                       {required, S.LEN_LABEL});
        S.STATUS = RunStatus::Stopped;
        return false;
    }
    return true;
}

void SNAP_LAYER_BOUNDARIES(EngineState& S)
{
    const double inc = S.INCREMENT;
    const double half = inc / 2.0;
    for (int k = 1; k < S.LAYER_END_COUNT && k < MAX_SOIL_ROWS; ++k) {
        const double top = S.SOIL[k][COL_DEPTH];
        double& next = S.SOIL[k + 1][COL_DEPTH];
        const double gap = next - top;
        if (gap < half)
            next = top;
        else if (gap < inc)
            next = top + inc;
    }
}

bool SEGMENT_COUNT_CHECK(EngineState& S)
{
    static_cast<SegmentStorage&>(S) = SegmentStorage{};
    const double count = std::floor(S.DEEPEST_SOIL_DEPTH / S.INCREMENT + 1.0e-6);
    const long long n = static_cast<long long>(std::clamp(count, 0.0, 1.0e9));
    SNAP_LAYER_BOUNDARIES(S);
    if (n > MAX_SEGMENTS) {
        for (TextOut* out : {&S.console, &S.report}) {
            out->line();
            out->line();
            out->write("1X,'YOUR NUMBERS OF SEGMENT ',I4,' IS LARGER THAN'", {n});
            out->write("1X,'DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF '");
            out->write("1X,'SEGMENT OR CONSULT BRISLO, INC. FOR CHANGING THE DEFAULT VALUE'");
        }
        S.STATUS = RunStatus::Stopped;
        return false;
    }
    S.SEG_COUNT = static_cast<int>(n);
    return true;
}

void BUILD_SEGMENT_TABLE(EngineState& S)
{
    const int n = std::min(S.SEG_COUNT, MAX_SEGMENTS);
    const double inc = S.INCREMENT;
    const int rows = std::clamp(S.LAYER_END_COUNT, 0, MAX_SOIL_ROWS);
    if (rows < 2)
        return;
    // Segment field per interpolated soil column.
    const std::pair<int, SegArray SegmentStorage::*> fields[] = {
        {COL_KO, &SegmentStorage::SEG_KO},
        {COL_UNIT_WEIGHT, &SegmentStorage::SEG_UNIT_WEIGHT},
        {COL_FRICTION_ANGLE, &SegmentStorage::SEG_FRICTION_ANGLE},
        {COL_NQ, &SegmentStorage::SEG_NQ},
        {COL_MAX_UNIT_FRICTION, &SegmentStorage::SEG_MAX_UNIT_FRICTION},
        {COL_MAX_UNIT_BEARING, &SegmentStorage::SEG_MAX_UNIT_BEARING},
        {COL_UNDRAINED_STRENGTH, &SegmentStorage::SEG_UNDRAINED_STRENGTH},
        {COL_REMOLDED_STRENGTH, &SegmentStorage::SEG_REMOLDED_STRENGTH},
        {COL_BLOW_COUNT, &SegmentStorage::SEG_BLOW_COUNT},
        {COL_PI, &SegmentStorage::SEG_PI},
        {COL_QC, &SegmentStorage::SEG_QC},
        {COL_USER_UNIT_FRICTION, &SegmentStorage::SEG_USER_UNIT_FRICTION},
        {COL_USER_UNIT_BEARING, &SegmentStorage::SEG_USER_UNIT_BEARING},
        {COL_SIDE_FACTOR, &SegmentStorage::SEG_SIDE_FACTOR},
        {COL_TIP_FACTOR, &SegmentStorage::SEG_TIP_FACTOR},
        {COL_ADHESION, &SegmentStorage::SEG_ADHESION},
    };
    SegmentStorage& seg = S;
    int f = 1;
    seg.SEG_TOP[1] = 0.0;
    for (int j = 1; j <= n; ++j) {
        seg.SEG_BOTTOM[j] = seg.SEG_TOP[j] + inc;
        seg.SEG_TOP[j + 1] = seg.SEG_BOTTOM[j];
        seg.SEG_THICKNESS[j] = seg.SEG_BOTTOM[j] - seg.SEG_TOP[j];
        const double top = seg.SEG_TOP[j];
        // Rows f and f+1 bracket the segment; the search never goes back. Below the
        // last row the last layer is held (no row beyond the table is read).
        while (f + 1 < rows && S.SOIL[f + 1][COL_DEPTH] - top <= kDepthTol)
            ++f;
        const auto& a = S.SOIL[f];
        const auto& b = S.SOIL[f + 1];
        const double span = b[COL_DEPTH] - a[COL_DEPTH];
        const double mid = top + inc / 2.0;
        double t = span > kDepthTol ? (mid - a[COL_DEPTH]) / span : 1.0;
        if (b[COL_DEPTH] - top <= kDepthTol)
            t = 1.0; // the segment lies below the last row
        seg.SEG_SOIL_TYPE[j] = a[COL_SOIL_TYPE];
        for (const auto& [col, field] : fields)
            (seg.*field)[j] = a[col] + (b[col] - a[col]) * t;
        // A limit typed as 9999 asks API RP-2A for its default limits and is no
        // limit of a stress: no other rule is limited by it, in either unit system.
        if (S.API_DEFAULT_LIMIT[f] == 1 && S.API_DEFAULT_LIMIT[f + 1] == 1)
            seg.SEG_MAX_UNIT_FRICTION[j] = kNoLimit;
        if (english(S)) {
            // psf to ksf (the tension rule is the user method's own).
            seg.SEG_USER_UNIT_FRICTION[j] /= 1000.0;
            seg.SEG_USER_UNIT_BEARING[j] /= 1000.0;
        }
    }
}

} // namespace veldo
