// The project model's rules, without windows: layer type changes, the friction-angle /
// blow-count choice, the method change with its silt and taper rules, the CPT views
// and the project state that tells a real change from a look.
#include "ProjectTestSupport.h"

#include "CptProfile.h"

namespace veldo::test {
namespace {

// A sand layer (row 0) with every property set, top and bottom.
void FillSand(const TGridTable& sand)
{
    for (int row = 0; row < 2; ++row) {
        sand.Cell(kSandUnitWeight, row).SetFloat(110 + row);
        sand.Cell(kSandFriction, row).SetFloat(30 + row);
        sand.Cell(kSandBlowCount, row).SetInteger(10 + row);
        sand.Cell(kSandKo, row).SetFloat(0.8L);
        sand.Cell(kSandNq, row).SetFloat(20);
        sand.Cell(kSandQc, row).SetFloat(150000);
        sand.Cell(kSandUserSkin, row).SetFloat(1000 + row);
        sand.Cell(kSandUserBearing, row).SetFloat(40000 + row);
    }
}

TEST(ProjectRules, LayerTypeChoicesKeepWhatTheUserEntered)
{
    TProjectTables tables;
    TProgramData data = TProgramData::CreateDefault(tables);
    FillSand(*tables.LayerTable(0));
    const TProjectState entered = ProjectState(data, tables);

    // The current type set again changes nothing: the property table is not made anew.
    tables.D().Cell(kLayerSoilType, 0).SetInteger(SoilType::Sand);
    tables.ChangeLayerType(0, SoilType::Sand);
    EXPECT_EQ(ProjectState(data, tables), entered);

    // Sand to silt and back keeps the shared values and the user load transfers.
    tables.ChangeLayerType(0, SoilType::Silt);
    EXPECT_EQ(tables.LayerTable(0)->Cell(kSiltFriction, 1).AsFloat(), 31.0L);
    tables.ChangeLayerType(0, SoilType::Sand);
    const TGridTable& sand = *tables.LayerTable(0);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(sand.Cell(kSandUnitWeight, row).AsFloat(), 110.0L + row);
        EXPECT_EQ(sand.Cell(kSandFriction, row).AsFloat(), 30.0L + row);
        EXPECT_EQ(sand.Cell(kSandBlowCount, row).AsInteger(), 10 + row);
        EXPECT_EQ(sand.Cell(kSandKo, row).AsFloat(), 0.8L);
        EXPECT_EQ(sand.Cell(kSandUserSkin, row).AsFloat(), 1000.0L + row);
        EXPECT_EQ(sand.Cell(kSandUserBearing, row).AsFloat(), 40000.0L + row);
        EXPECT_EQ(sand.Cell(kSandNq, row).AsFloat(), 0.0L); // sand only: not carried
    }

    // The either-or choice zeroes the pair not chosen; clay is left alone.
    ChooseFrictionOrBlowCounts(sand, SoilType::Sand, true);
    EXPECT_EQ(sand.Cell(kSandBlowCount, 0).AsInteger(), 0);
    EXPECT_EQ(sand.Cell(kSandFriction, 0).AsFloat(), 30.0L);
    sand.Cell(kSandBlowCount, 1).SetInteger(14);
    ChooseFrictionOrBlowCounts(sand, SoilType::Sand, false);
    EXPECT_EQ(sand.Cell(kSandFriction, 0).AsFloat(), 0.0L);
    EXPECT_EQ(sand.Cell(kSandFriction, 1).AsFloat(), 0.0L);
    EXPECT_EQ(sand.Cell(kSandBlowCount, 1).AsInteger(), 14);
}

TEST(ProjectRules, SiltAndTaperFollowOnlyARealMethodChange)
{
    TProjectTables tables;
    TProgramData data = TProgramData::CreateDefault(tables);
    for (int m = 1; m <= 9; ++m)
        data.SetMethodTicked(m, m == Method::Usace);
    EXPECT_TRUE(data.SiltAllowed());
    tables.ChangeLayerType(0, SoilType::Silt);
    const TGridTable& silt = *tables.LayerTable(0);
    silt.Cell(kSiltUnitWeight, 1).SetFloat(105);
    silt.Cell(kSiltFriction, 1).SetFloat(27);
    silt.Cell(kSiltBlowCount, 1).SetInteger(9);
    silt.Cell(kSiltKo, 1).SetFloat(1.25L);
    data.PileType = PileType::Timber;
    data.TaperAngle = 0.4L;

    // A file may hold silt with methods that do not allow it: nothing converts it
    // until the methods change.
    data.SetMethodTicked(Method::Fhwa, true);
    EXPECT_FALSE(data.SiltAllowed());
    const TProgramData opened = data;
    data.MethodsChanged(opened, tables);
    EXPECT_EQ(tables.D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Silt);
    EXPECT_EQ(data.TaperAngle, 0.4L);

    TProgramData previous = data;
    data.SetMethodTicked(4, true);
    data.MethodsChanged(previous, tables);
    EXPECT_EQ(tables.D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Sand);
    const TGridTable& sand = *tables.LayerTable(0);
    EXPECT_EQ(sand.Cell(kSandUnitWeight, 1).AsFloat(), 105.0L);
    EXPECT_EQ(sand.Cell(kSandFriction, 1).AsFloat(), 27.0L);
    EXPECT_EQ(sand.Cell(kSandBlowCount, 1).AsInteger(), 9);
    EXPECT_EQ(sand.Cell(kSandKo, 1).AsFloat(), 1.25L);
    EXPECT_EQ(data.TaperAngle, 0.4L); // FHWA still ticked, timber tapers

    previous = data;
    data.SetMethodTicked(Method::Fhwa, false);
    data.MethodsChanged(previous, tables);
    EXPECT_EQ(data.TaperAngle, 0.0L);
    data.SetMethodTicked(Method::Fhwa, true);
    for (int type = 1; type <= 7; ++type) {
        data.PileType = type;
        EXPECT_EQ(data.TaperApplies(), type == 2 || type == 4 || type == 5 || type == 7) << type;
    }
}

TEST(ProjectRules, CptViewsAreComputedFromTheConeResistanceWhichAUnitSwitchConvertsAsAStress)
{
    TProjectTables tables;
    TProgramData data = TProgramData::CreateDefault(tables);
    TGraphPlot& profile = tables.MotionInput();
    profile.SetCurveCount(1);
    profile.Curve(0).Points = {{56.0L, 10.0L}, {120.0L, 20.0L}}; // X ksf, Y ft
    data.Integers[kCptPointCountEntry] = 2;
    const TProjectState stored = ProjectState(data, tables);

    tables.ShowCptAs(TCptConversion::Su, data.UnitSystem);
    EXPECT_EQ(ProjectState(data, tables), stored); // a view changes nothing stored
    EXPECT_EQ(tables.CptView().Caption, "Converted Undrained Shear Strength Su from CPT Data");
    EXPECT_EQ(tables.CptView().Curve(0).Point(1).X, 8.0L); // 120 / 15
    tables.ShowCptAs(TCptConversion::Spt, data.UnitSystem);
    EXPECT_EQ(tables.CptView().Curve(0).Point(0).X, 56.0L * 47.875L / 280.0L);
    EXPECT_EQ(tables.CptView().Curve(0).Point(0).Y, 10.0L);

    data.SetUnits(UnitSystem::SI, tables);
    // ksf to kPa: 1000 lbf of 4.4482216 N over 0.3048^2 m^2 = 47.880259 kPa per ksf.
    const long double kpa = 56.0L / 224.8089431L * 1000.0L / (0.3048000000012192L * 0.3048000000012192L);
    EXPECT_NEAR(static_cast<double>(profile.Curve(0).Point(0).X), static_cast<double>(kpa), 1e-9);
    EXPECT_NEAR(static_cast<double>(kpa), 2681.29450, 0.0001);
    EXPECT_EQ(tables.CptView().XCaption, "SPT, N");
    EXPECT_EQ(tables.CptView().Curve(0).Point(0).X, profile.Curve(0).Point(0).X / 280.0L);
    EXPECT_EQ(tables.CptView().Curve(0).Point(0).Y, profile.Curve(0).Point(0).Y);
}

} // namespace
} // namespace veldo::test
