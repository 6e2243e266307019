// The engine's input storage: what the project file and the CPT file fill.
// Arrays are sized so that the 1-based row, segment and point numbers index
// them directly (entry 0 unused).
#pragma once

#include <array>
#include <string>

#include "InputCodes.h"

namespace veldo {

inline constexpr int MAX_SOIL_ROWS = 80; // layer-end rows (40 layers)
inline constexpr int SOIL_COLUMNS = 19;  // columns 0..18
inline constexpr int MAX_TZ_DEPTHS = 100;
inline constexpr int MAX_SECTION_ROWS = 100;
inline constexpr int MAX_CPT_POINTS = 1000;
inline constexpr int MAX_SEGMENTS = 500;

// Soil-table column numbers.
enum SoilColumn : int {
    COL_DEPTH = 0,
    COL_UNUSED = 1,
    COL_SOIL_TYPE = 2,
    COL_KO = 3,
    COL_UNIT_WEIGHT = 4,
    COL_FRICTION_ANGLE = 5,
    COL_NQ = 6,
    COL_MAX_UNIT_FRICTION = 7,
    COL_MAX_UNIT_BEARING = 8,
    COL_UNDRAINED_STRENGTH = 9,
    COL_REMOLDED_STRENGTH = 10, // clay; 0 for sand and silt after reading
    COL_BLOW_COUNT = 11,        // sand and silt blow count; clay: yield stress ratio
    COL_PI = 12,
    COL_QC = 13,
    COL_USER_UNIT_FRICTION = 14,
    COL_USER_UNIT_BEARING = 15,
    COL_SIDE_FACTOR = 16,
    COL_TIP_FACTOR = 17,
    COL_ADHESION = 18,
};

struct InputStorage {
    // Lines 1 to 3 of the project file, 72 characters each (blank-padded).
    std::string TITLE, DESIGNER, JOB_NUMBER;

    // Record 4.
    int UNIT_SYSTEM = UnitSystem::English;
    int PRINT_STEP = 1; // the capacity tables print every N-th point
    int LAYER_END_COUNT = 0;
    int PILE_END_FLAG = PileEnd::Open;
    // Record 5.
    double PERIMETER = 0, TIP_AREA = 0, OD = 0, ID = 0, E_MODULUS = 0, TL = 0, PSL = 0;
    // Record 6: enhanced (lower) end section.
    double ESL = 0, EID = 0;
    // Record 7.
    double ZFL = 0, INCREMENT = 0;
    int PILE_TYPE = PileType::SteelPipe;
    double TAPER_ANGLE = 0;
    int SELECTED_METHOD = Method::ApiRp2a;
    int OFFSHORE_FLAG = Flag::Off;
    int SIDE_FACTOR_FLAG = TzFactorOption::Unfactored;
    // Record 8: Flag::On for a ticked method, by design method number (entry 0 unused).
    std::array<int, Method::Count + 1> MethodTicked{};
    // Record 9.
    double DEEPEST_SOIL_DEPTH = 0, CONSTANT_AREA = 0;

    // Records 10: soil table, rows 1..LAYER_END_COUNT. English units: columns 7 to 10
    // are divided by 1000 on reading (psf to ksf); the plasticity index (12), the
    // layer Qc (13, psf) and the user unit values (14, 15, psf) stay as read. The
    // segment table converts the user unit values.
    std::array<std::array<double, SOIL_COLUMNS>, MAX_SOIL_ROWS + 1> SOIL{};
    std::array<double, MAX_SOIL_ROWS + 1> SOIL_PI_READ{};   // plasticity index as read
    std::array<double, MAX_SOIL_ROWS + 1> SOIL_QC_READ{};   // layer Qc as read
    std::array<int, MAX_SOIL_ROWS + 1> NO_LIMIT_FRICTION{}; // max unit side friction given as 0
    std::array<int, MAX_SOIL_ROWS + 1> NO_LIMIT_BEARING{};  // max unit end bearing given as 0
    std::array<int, MAX_SOIL_ROWS + 1> API_DEFAULT_LIMIT{}; // max unit side friction entered as 9999
    double LOW_WEIGHT_DEPTH = 99999;                        // first depth whose effective unit weight is low

    // Records 11/12: user t-z print depths.
    int TZ_FLAG = Flag::Off;
    int TZ_DEPTH_COUNT = 0;
    std::array<double, MAX_TZ_DEPTHS + 1> TZ_DEPTHS{};
    // Record 13.
    int LOADING = Loading::Compression;
    double TENSION_FACTOR = 1.0;
    // Record 14.
    int CLAY_CONDITION = ClayCondition::Undrained;
    int PLUG_CONDITION = PlugCondition::Computed;
    // Records 15/16: cross-section table.
    int SECTION_COUNT = 0;
    int AREA_MODE = AreaMode::FromSection;
    std::array<double, MAX_SECTION_ROWS + 1> SECTION_DIST{};
    std::array<double, MAX_SECTION_ROWS + 1> SECTION_AREA{};
    // Record 17.
    int CRITICAL_DEPTH_OPTION = CriticalDepthOption::ByDensity;
    double USER_CRITICAL_DEPTH = 0;

    // CPT file: depth and Qc in the project's units as written (English: ft, psf).
    int CPT_COUNT = 0;
    std::array<double, MAX_CPT_POINTS + 1> CPT_DEPTH{};
    std::array<double, MAX_CPT_POINTS + 1> CPT_QC{};
    bool CPT_ASCENDING = false; // depths in ascending order: lookups may bisect
};

} // namespace veldo
