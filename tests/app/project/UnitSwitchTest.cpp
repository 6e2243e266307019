// Switching a project between English and SI units.
#include "ProjectTestSupport.h"

namespace veldo::test {
namespace {

TEST(UnitSwitch, ToSiConvertsEveryStoredValue)
{
    TProjectTables tables;
    TProgramData d = MakeLayeredProject(tables);
    d.Perimeter = 60;
    d.TipArea = 100;
    d.DeepestDepth = 90;
    d.SetUnits(UnitSystem::SI, tables);
    EXPECT_EQ(d.UnitSystem, UnitSystem::SI);
    // Diameters in -> mm: 18 x 25.4 = 457.2; perimeter 60 x 25.4 = 1524.
    EXPECT_NEAR(d.OutsideDiameter, 457.2L, 1e-8L);
    EXPECT_NEAR(d.InsideDiameter, 438.15L, 1e-8L);
    EXPECT_NEAR(d.EndSectionInnerDiameter, 419.1L, 1e-8L);
    EXPECT_NEAR(d.Perimeter, 1524.0L, 1e-8L);
    // Areas in2 -> m2: 100 x 0.0254^2 = 0.064516; 12.5 x 0.00064516 = 0.0080645.
    EXPECT_NEAR(d.TipArea, 0.064516L, 1e-12L);
    EXPECT_NEAR(d.ConstantArea, 0.0080645L, 1e-12L);
    // Modulus psi -> kN/m2 with the stored factors:
    // 29E6 / 224.8089431 / 0.0254000000001016^2 = 128998.426842 / 0.00064516 = 199947961.50.
    EXPECT_NEAR(d.Modulus, 199947961.50L, 0.01L);
    // Depths and lengths ft -> m (x 0.3048), the stick-up and critical depth included.
    EXPECT_NEAR(d.TotalLength, 18.288L, 1e-9L);
    EXPECT_NEAR(d.EndSectionLength, 0.9144L, 1e-9L);
    EXPECT_NEAR(d.ZeroFrictionLength, 0.6096L, 1e-9L);
    EXPECT_NEAR(d.IncrementLength, 0.1524L, 1e-9L);
    EXPECT_NEAR(d.DeepestDepth, 27.432L, 1e-9L);
    EXPECT_NEAR(d.StickupLength, 0.4572L, 1e-9L);
    EXPECT_NEAR(d.UserCriticalDepth, 10.668L, 1e-9L);
    // Kept: taper angle, tension factor.
    EXPECT_EQ(d.TensionFactor, 0.7L);
    // Tables: layer bottom 20 ft = 6.096 m; 2000 psf = 95.76 kPa (x 0.04788);
    // unit weight 115 pcf = 18.065 kN/m3 (x 0.157087); Ko unchanged.
    EXPECT_NEAR(tables.D().Cell(kLayerBottom, 0).AsFloat(), 6.096L, 1e-6L);
    EXPECT_NEAR(tables.D().Cell(kLayerMaxSide, 0).AsFloat(), 95.76L, 0.01L);
    EXPECT_NEAR(tables.LayerTable(0)->Cell(kSandUnitWeight, 0).AsFloat(), 18.065L, 0.001L);
    EXPECT_EQ(tables.LayerTable(0)->Cell(kSandKo, 0).AsFloat(), 0.8L);
    EXPECT_NEAR(tables.TblTZDepth().Cell(0, 1).AsFloat(), 7.7724L, 1e-6L);
    // CPT points: 40.5 ksf x 47.880 = 1939.1 kPa at 5 ft = 1.524 m.
    const TFloatPoint& p = tables.MotionInput().Curve(0).Point(1);
    EXPECT_NEAR(p.X, 1939.14L, 0.05L);
    EXPECT_NEAR(p.Y, 1.524L, 1e-9L);
    EXPECT_EQ(tables.MotionInput().Units(), UnitSystem::SI);
}

// A force per area switches by the same pounds per kilonewton in a project field and in
// a table column (the two once used factors 8.6E-8 apart).
TEST(UnitSwitch, FieldsAndTableColumnsShareOneForceFactor)
{
    TProjectTables tables;
    TProgramData d = MakeLayeredProject(tables);
    d.Modulus = 29E6L;
    TGridTable column;
    auto stress = std::make_unique<TFloatColumn>();
    stress->unitTemplate = QStringLiteral("F/L^2");
    column.AddColumn(std::move(stress));
    column.SetRowCount(1);
    column.Cell(0, 0).SetFloat(29E6L);
    d.SetUnits(UnitSystem::SI, tables);
    column.SetUnits(UnitSystem::SI);
    EXPECT_NEAR(d.Modulus / column.Cell(0, 0).AsFloat(), 1.0L, 1e-10L);
    d.SetUnits(UnitSystem::English, tables);
    column.SetUnits(UnitSystem::English);
    EXPECT_NEAR(d.Modulus / column.Cell(0, 0).AsFloat(), 1.0L, 1e-10L);
}

TEST(UnitSwitch, SwitchAndBackRestoresEveryNumber)
{
    TProjectTables tables;
    TProgramData d = MakeLayeredProject(tables);
    d.Perimeter = 60;
    d.TipArea = 100;
    const std::string before = DumpProject(d, tables, 9);
    d.SetUnits(UnitSystem::SI, tables);
    EXPECT_NE(DumpProject(d, tables, 9), before);
    d.SetUnits(UnitSystem::English, tables);
    EXPECT_EQ(DumpProject(d, tables, 9), before);
}

// The CPT profile's axis titles name the units of its converted points.
TEST(UnitSwitch, CptProfileTitlesFollowTheUnits)
{
    TProjectTables tables;
    TProgramData d = MakeLayeredProject(tables);
    TGraphPlot& plot = tables.MotionInput();
    plot.XCaption = QStringLiteral("Qc, ksf");
    plot.YCaption = QStringLiteral("Depth, ft");
    d.SetUnits(UnitSystem::SI, tables);
    EXPECT_EQ(plot.XCaption, QStringLiteral("Qc, kPa"));
    EXPECT_EQ(plot.YCaption, QStringLiteral("Depth, m"));
    d.SetUnits(UnitSystem::English, tables);
    EXPECT_EQ(plot.XCaption, QStringLiteral("Qc, ksf"));
    EXPECT_EQ(plot.YCaption, QStringLiteral("Depth, ft"));
    plot.XCaption = QStringLiteral("Undrained Shear Strength Su, k/ft^2");
    d.SetUnits(UnitSystem::SI, tables);
    EXPECT_EQ(plot.XCaption, QStringLiteral("Undrained Shear Strength Su, kPa"));
}

TEST(UnitSwitch, NothingHappensWithoutAChangeAndCodesAreClamped)
{
    TProjectTables tables;
    TProgramData d = TProgramData::CreateDefault(tables);
    EXPECT_EQ(d.IncrementLength, 1.0L); // a new project keeps its increment of 1.0
    d.SetUnits(UnitSystem::English, tables);
    d.SetUnits(0, tables); // below 1: English
    EXPECT_EQ(d.IncrementLength, 1.0L);
    d.SetUnits(7, tables); // above 2: SI
    EXPECT_EQ(d.UnitSystem, UnitSystem::SI);
    d.SetUnits(UnitSystem::SI, tables);
    EXPECT_NEAR(d.IncrementLength, 0.3048L, 1e-11L);
}

TEST(ProjectDefaults, NewProject)
{
    TProjectTables tables;
    tables.D().SetRowCount(5);
    tables.TblTZDepth().SetRowCount(7);
    tables.SetUnits(UnitSystem::SI);
    const TProgramData d = TProgramData::CreateDefault(tables);
    EXPECT_EQ(d.UnitSystem, UnitSystem::English);
    EXPECT_EQ(tables.D().Units(), UnitSystem::English);
    EXPECT_EQ(d.SelectedMethod, 4);
    for (int m = 1; m <= 9; ++m)
        EXPECT_EQ(d.MethodTicked(m), m == 4) << m;
    EXPECT_TRUE(d.Circular);
    EXPECT_FALSE(d.ClosedEnded);
    EXPECT_EQ(d.PileType, 1);
    EXPECT_EQ(d.PrintInterval, 1);
    EXPECT_EQ(d.TensionFactor, 1.0L);
    EXPECT_EQ(d.OffshoreMethods, 1);
    EXPECT_EQ(d.Title, QStringLiteral("New Pile"));
    EXPECT_EQ(d.CptPointCount(), 0);
    // Every table at its minimum: 1 layer (a sand layer with its 2-row property table),
    // 1 t-z depth, 2 section rows.
    EXPECT_EQ(tables.D().RowCount(), 1);
    EXPECT_EQ(tables.LayerTable(0)->RowCount(), 2);
    EXPECT_EQ(tables.LayerTable(0)->ColumnCount(), 8);
    EXPECT_EQ(tables.D().Cell(kLayerEndFactor, 0).AsFloat(), 1.0L);
    EXPECT_EQ(tables.TblTZDepth().RowCount(), 1);
    EXPECT_EQ(tables.Sectionaldata().RowCount(), 2);
    EXPECT_EQ(tables.D().MaxRows(), 40);
    EXPECT_EQ(tables.D().Caption, QStringLiteral("Soil Properties"));
}

TEST(ProjectTables, LayerTypeChoosesThePropertyLayoutWithUnitTemplates)
{
    TProjectTables tables;
    tables.D().Cell(kLayerSoilType, 0).SetInteger(SoilType::Clay);
    EXPECT_EQ(tables.LayerTable(0)->ColumnCount(), 9);
    tables.D().Cell(kLayerSoilType, 0).SetInteger(SoilType::Silt);
    EXPECT_EQ(tables.LayerTable(0)->ColumnCount(), 7); // 5 shown, the user load transfers hidden
    EXPECT_EQ(tables.LayerTable(0)->Column(kSiltUndrained).GetHeading(1),
              QStringLiteral("Shear Strength (lbs/ft^2)  "));
    tables.SetUnits(UnitSystem::SI);
    EXPECT_EQ(tables.LayerTable(0)->Column(kSiltUnitWeight).GetHeading(1), QStringLiteral("Unit Weight (kN/m^3)  "));
    EXPECT_EQ(tables.D().Column(kLayerBottom).GetHeading(0), QStringLiteral("Depth at Bottom (m)  "));
    // Two sets of tables live side by side, each with its own property layouts.
    TProjectTables other;
    EXPECT_EQ(other.LayerTable(0)->ColumnCount(), 8);
    tables.D().Cell(kLayerSoilType, 0).SetInteger(SoilType::Clay);
    EXPECT_EQ(tables.LayerTable(0)->ColumnCount(), 9);
}

} // namespace
} // namespace veldo::test
