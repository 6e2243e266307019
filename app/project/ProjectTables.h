// The project's tabular input: the soil-layer table D with its per-layer property
// tables, the t-z print depths, the cross-section areas and the CPT points. The
// column definitions come from the program's form-description resource; no window
// is needed, so a project can be read into a fresh set while another one is open.
#pragma once

#include "CptProfile.h"
#include "InputCodes.h"

#include <QString>

#include <memory>
#include <vector>

namespace veldo {

class TGraphPlot;
class TGridTable;

// Columns of the soil-layer table D.
enum TLayerColumn {
    kLayerSoilType = 0,   // the SoilType code (the row selector)
    kLayerBottom = 1,     // depth at the bottom of the layer
    kLayerProperties = 2, // the layer's property table (2 rows: top, bottom)
    kLayerMaxSide = 3,    // maximum unit side friction (0 = no limit)
    kLayerMaxEnd = 4,     // maximum unit end bearing (0 = no limit)
    kLayerSideFactor = 5, // reduction/resistance factor on side friction
    kLayerEndFactor = 6   // reduction/resistance factor on end bearing
};

// A maximum unit side friction (column kLayerMaxSide) of exactly this number asks
// API RP-2A for its default limits; it keeps its number through a unit switch.
constexpr long double kApiDefaultLimitCode = 9999;

// Columns of the per-layer property tables (c0 ... c8).
enum TSandColumn {
    kSandUnitWeight = 0,
    kSandFriction = 1,
    kSandBlowCount = 2,
    kSandKo = 3,
    kSandNq = 4,
    kSandQc = 5,
    kSandUserSkin = 6,
    kSandUserBearing = 7
};
enum TClayColumn {
    kClayUnitWeight = 0,
    kClayUndrained = 1,
    kClayRemolded = 2,
    kClayPI = 3,
    kClayYsr = 4,
    kClayQc = 5,
    kClayUserSkin = 6,
    kClayUserBearing = 7,
    kClayAdhesion = 8
};
// The user load transfers of a silt layer are hidden and not saved: they keep what a
// sand or clay layer held while the layer is silt, for a change of type back.
enum TSiltColumn {
    kSiltUnitWeight = 0,
    kSiltFriction = 1,
    kSiltBlowCount = 2,
    kSiltKo = 3,
    kSiltUndrained = 4,
    kSiltUserSkin = 5,
    kSiltUserBearing = 6
};

// The user load-transfer columns in the property table layout of `soilType` (the sand
// and the clay layouts share them).
constexpr int UserSkinColumn(int soilType)
{
    return soilType == SoilType::Silt ? int{kSiltUserSkin} : int{kSandUserSkin};
}
constexpr int UserBearingColumn(int soilType)
{
    return soilType == SoilType::Silt ? int{kSiltUserBearing} : int{kSandUserBearing};
}
static_assert(int{kSandUserSkin} == int{kClayUserSkin} && int{kSandUserBearing} == int{kClayUserBearing});

// Every value of the project's tables and of its CPT profile, at full precision:
// two states are equal exactly when no value differs.
struct TTablesState {
    std::vector<long double> numbers;
    std::vector<QString> texts;
    friend bool operator==(const TTablesState&, const TTablesState&) = default;
};

class TProjectTables {
public:
    // Creates the tables from their definitions; throws std::runtime_error when the
    // resource is missing or malformed (a fault of the program, not of the user).
    TProjectTables();
    ~TProjectTables();
    TProjectTables(const TProjectTables&) = delete;
    TProjectTables& operator=(const TProjectTables&) = delete;

    TGridTable& D() const { return *d_; }
    TGridTable& tblDataSand() const { return *sand_; }
    TGridTable& tblDataClay() const { return *clay_; }
    TGridTable& tblDataSilt() const { return *silt_; }
    TGridTable& TblTZDepth() const { return *tzDepths_; }
    TGridTable& Sectionaldata() const { return *sections_; }
    // The CPT points: curve 0, X the cone resistance, Y the depth. This is what is
    // saved and what the engine reads.
    TGraphPlot& MotionInput() const { return *motionInput_; }
    // A view of the CPT profile as blow counts or undrained strength, computed from
    // the cone resistance (empty until one is asked for; never saved).
    TGraphPlot& CptView() const { return *cptView_; }
    // Fills CptView with the profile seen as `conversion` in unit system `units`.
    void ShowCptAs(TCptConversion conversion, int units);
    // Computes a shown view again from the profile (after the profile's unit switch).
    void RefreshCptView(int units);

    // Every grid table of the project (the property models first).
    std::vector<TGridTable*> Tables() const;

    // The property table of layer `row` of D (nullptr for a row without one).
    TGridTable* LayerTable(int row) const;

    // Tells every table and the CPT plot the unit system (values are converted by
    // the tables' unit templates).
    void SetUnits(int units);
    // Every table emptied, then given its minimum row count; no CPT points.
    void Reset();
    void EmptyAll();
    void GiveMinimumRows();
    bool IsChanged() const;
    void ResetChanged();
    TTablesState State() const;

    // Sets the soil type of layer `row` of D, carrying the property values that the
    // old and the new type share into the layer's new property table: the unit weight
    // and the user load-transfer values always (where both types have them); friction
    // angle, blow count and Ko between sand and silt; the undrained shear strength
    // between clay and silt. Nothing happens when the type does not change.
    void ChangeLayerType(int row, int newType) const;
    // Every silt layer becomes sand with its unit weight, friction angle, blow count
    // and Ko (for projects whose methods do not allow silt).
    void ConvertSiltToSand() const;

private:
    std::unique_ptr<TGridTable> sand_, clay_, silt_, d_, tzDepths_, sections_;
    std::unique_ptr<TGraphPlot> motionInput_, cptView_;
    TCptConversion cptViewConversion_ = TCptConversion::Qc;
};

// A sand or silt layer is described by its friction angle or by its SPT blow counts,
// not by both: the pair not chosen is zeroed at the top and at the bottom. Other
// types are left as they are.
void ChooseFrictionOrBlowCounts(const TGridTable& layer, int soilType, bool byFriction);

} // namespace veldo
