// The plot component's curve lists, names, unit system and unit-code expansion.
#include "PlotScale.h"
#include "PltData.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace veldo;

TEST(GraphPlot, CreateGivesTheDocumentedSettings)
{
    TGraphPlot plot;
    EXPECT_EQ(plot.CurveName, "Curve #");
    EXPECT_TRUE(plot.Caption.isEmpty());
    EXPECT_TRUE(plot.ShowLegend);
    EXPECT_FALSE(plot.ShowLayers);
    EXPECT_FALSE(plot.ShowWall);
    EXPECT_FALSE(plot.ShowThree);
    EXPECT_TRUE(plot.ShowFontWidth);
    EXPECT_EQ(plot.WallLineCount, 0);
    EXPECT_EQ(plot.Markers, TGraphPlot::kAutomaticMarkers);
    EXPECT_EQ(plot.SizeFont, 10);
    EXPECT_EQ(plot.LegendFont, 11);
    EXPECT_EQ(plot.WidthLine, 1);
    EXPECT_EQ(plot.Units(), 1);
    EXPECT_TRUE(plot.XOnTop);
    EXPECT_FALSE(plot.WindowCreated());
    EXPECT_EQ(plot.CurveCount(), 0);
    EXPECT_EQ(plot.LayerCurveCount(), 0);
    EXPECT_EQ(plot.Panel2CurveCount(), 0);
    EXPECT_EQ(plot.Panel3CurveCount(), 0);
}

TEST(GraphPlot, CountOperationsGrowAndShrinkTheLists)
{
    TGraphPlot plot;
    EXPECT_EQ(plot.PointCount(), 0);
    plot.SetPointCount(10); // no curves: nothing happens
    EXPECT_EQ(plot.PointCount(), 0);

    plot.SetCurveCount(5);
    plot.SetPointCount(4);
    EXPECT_EQ(plot.PointCount(), 4);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(plot.Curve(i).PointCount(), 4);
        EXPECT_EQ(plot.Curve(i).Number, i + 1);
        EXPECT_TRUE(plot.Curve(i).Visible);
        EXPECT_TRUE(plot.Curve(i).Active);
    }
    plot.Curve(1).Name = "FHWA";
    plot.CurvePoint(2, 3).X = 7.5L;
    plot.CurvePoint(2, 3).Y = -1;

    plot.SetCurveCount(3); // curves 4 and 5 go, the first three keep names and points
    ASSERT_EQ(plot.CurveCount(), 3);
    EXPECT_EQ(plot.Curve(1).Name, "FHWA");
    EXPECT_EQ(plot.CurvePoint(2, 3).X, 7.5L);
    EXPECT_EQ(plot.CurvePoint(2, 3).Y, -1);

    plot.SetPointCount(10);
    plot.SetCurveCount(4); // a new curve starts with the first curve's count, at (0, 0)
    EXPECT_EQ(plot.Curve(3).PointCount(), 10);
    EXPECT_EQ(plot.CurvePoint(3, 9).X, 0);
    EXPECT_EQ(plot.CurvePoint(3, 9).Y, 0);
    EXPECT_EQ(plot.CurvePoint(2, 3).X, 7.5L); // kept when points are added

    plot.SetPointCount(-3);
    EXPECT_EQ(plot.PointCount(), 0);
    plot.SetCurveCount(-1);
    EXPECT_EQ(plot.CurveCount(), 0);
}

TEST(GraphPlot, OtherListsNumberTheirCurvesAfterTheMainList)
{
    TGraphPlot plot;
    plot.SetCurveCount(2);
    plot.SetLayerCurveCount(3);
    plot.SetLayerPointCount(1);
    // Every curve added to another list gets the main list's count plus 1.
    EXPECT_EQ(plot.LayerCurve(0).Number, 3);
    EXPECT_EQ(plot.LayerCurve(2).Number, 3);
    EXPECT_EQ(plot.LayerPointCount(), 1);
    plot.LayerPoint(2, 0).Y = 12;
    EXPECT_EQ(plot.LayerCurve(2).Point(0).Y, 12);
}

TEST(GraphPlot, IndexOutsideAListThrows)
{
    TGraphPlot plot;
    plot.SetCurveCount(1);
    plot.SetPointCount(2);
    EXPECT_THROW(plot.Curve(1), std::out_of_range);
    EXPECT_THROW(plot.Curve(-1), std::out_of_range);
    EXPECT_THROW(plot.CurvePoint(0, 2), std::out_of_range);
    EXPECT_THROW(plot.LayerCurve(0), std::out_of_range);
    EXPECT_THROW(plot.Panel2Point(0, 0), std::out_of_range);
}

TEST(GraphPlot, LegendNamesDefaultToPrefixAndNumber)
{
    TGraphPlot plot;
    plot.SetCurveCount(3);
    EXPECT_EQ(plot.Curve(0).GetName(), "Curve #1");
    EXPECT_EQ(plot.Curve(2).GetName(), "Curve #3");
    plot.Curve(1).Name = "USACE";
    EXPECT_EQ(plot.Curve(1).GetName(), "USACE");
    plot.CurveName = "Depth ";
    EXPECT_EQ(plot.Curve(2).GetName(), "Depth 3");
}

TEST(GraphPlot, UnitsAreClampedToOneToThree)
{
    TGraphPlot plot;
    plot.SetUnits(0);
    EXPECT_EQ(plot.Units(), 1);
    plot.SetUnits(7);
    EXPECT_EQ(plot.Units(), 3);
    plot.SetUnits(2);
    EXPECT_EQ(plot.Units(), 2);
}

TEST(UnitCodes, OnlyTheLongestCodeOfEachFamilyIsReplaced)
{
    EXPECT_EQ(ExpandUnitCodes("F2/F", 1), "tons/F");
    EXPECT_EQ(ExpandUnitCodes("F1/L2^2", 1), "kips/ft^2");
    EXPECT_EQ(ExpandUnitCodes("F/L^2", 1), "lbs/in^2");
    EXPECT_EQ(ExpandUnitCodes("L", 1), "in");
    EXPECT_EQ(ExpandUnitCodes("L1", 1), "in");
    EXPECT_EQ(ExpandUnitCodes("F1", 2), "kN");
    EXPECT_EQ(ExpandUnitCodes("L1", 2), "mm");
    EXPECT_EQ(ExpandUnitCodes("F1/L2^2", 2), "kN/m^2");
    EXPECT_EQ(ExpandUnitCodes("F2-L1-F2", 1), "tons-in-tons");
}

TEST(UnitCodes, TextsWithoutCodesAndUnitsThreeStayAsTyped)
{
    EXPECT_EQ(ExpandUnitCodes("SPT-N", 1), "SPT-N");
    EXPECT_EQ(ExpandUnitCodes("F1/L2^2", 3), "F1/L2^2");
    // Any capital F or L counts as a code.
    EXPECT_EQ(ExpandUnitCodes("Friction", 1), "lbsriction");
}

TEST(UnitCodes, AxisTitlesCarryTheUnitWordsOnlyWhenThereAreUnits)
{
    EXPECT_EQ(AxisTitle("Depth", "L2", UnitSystem::English), "Depth (ft)");
    EXPECT_EQ(AxisTitle("Unit Skin Friction", "F1/L2^2", UnitSystem::SI), "Unit Skin Friction (kN/m^2)");
    EXPECT_EQ(AxisTitle("SPT N", "", UnitSystem::SI), "SPT N");
}
