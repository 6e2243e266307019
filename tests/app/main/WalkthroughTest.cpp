// Faults found by using the program as an engineer does: the t-z plots' axis unit
// and the soil-layer table opened from the Data menu.
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "PlotResults.h"
#include "PlotScale.h"
#include "Table.h"
#include "TableForm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

// The engine writes the load transfer t of the t-z curves in psi (English) or kPa
// (SI): its report heads the t-z tables with "PSI" / "KPA" (the curves are built
// from the unit side resistance, kips per ft x 1000 / OD / 12 / 3.1416 = psi).
// The plots' Y axis must say so, not kips/ft^2 (a factor 6.94 off).
TEST(Walkthrough, TzPlotsLabelLoadTransferInPsiOrKpa)
{
    TResultPlots plots;
    for (TResultPlot which : {TResultPlot::TZcurves, TResultPlot::ExtraTZ}) {
        const TGraphPlot& plot = plots.Plot(which);
        EXPECT_EQ(plot.YCaption, QStringLiteral("Load Transfer"));
        EXPECT_EQ(ExpandUnitCodes(plot.YUnits, 1), QStringLiteral("lbs/in^2")) << plot.objectName().toStdString();
        EXPECT_EQ(ExpandUnitCodes(plot.YUnits, 2), QStringLiteral("kN/m^2")) << plot.objectName().toStdString();
        // Pile movement in inch or m.
        EXPECT_EQ(ExpandUnitCodes(plot.XUnits, 1), QStringLiteral("in"));
        EXPECT_EQ(ExpandUnitCodes(plot.XUnits, 2), QStringLiteral("m"));
    }
    // The unit skin friction of the method blocks is in ksf / kPa.
    EXPECT_EQ(ExpandUnitCodes(plots.pltUSkin().XUnits, 1), QStringLiteral("kips/ft^2"));
}

class WalkthroughMain : public ::testing::Test {
protected:
    // Opening a project makes its folder current; the folder goes with the test.
    void SetUp() override { startDir_ = QDir::currentPath(); }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(startDir_);
    }

    TMainForm& Start(QStringList arguments = {})
    {
        TMainFormOptions options;
        options.settingsFile = dir_.filePath(QStringLiteral("VELDO.ini"));
        options.programDir = dir_.path();
        options.arguments = std::move(arguments);
        options.fileDialogs = &dialogs_;
        options.shell = &shell_;
        form_ = std::make_unique<TMainForm>(std::move(options));
        form_->resize(1000, 700);
        form_->show();
        return *form_;
    }

    QString CopyExample(const QString& example)
    {
        const QString source = QStringLiteral(VELDO_EXAMPLES_DIR "/") + example + QStringLiteral(".vd7d");
        const QString target = dir_.filePath(example + QStringLiteral(".vd7d"));
        EXPECT_TRUE(QFile::copy(source, target));
        return target;
    }

    QString startDir_;
    QTemporaryDir dir_;
    test::TScriptedFileDialogs dialogs_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

// Data > "Soil Layers" opened an MDI child of height 0 (nothing to see) whose
// comments stood on one line almost 2000 pixels long.
TEST_F(WalkthroughMain, SoilLayerTableOpensAVisibleEditorWithItsCommentLines)
{
    TMainForm& form = Start({CopyExample(QStringLiteral("PipeSandClay_English"))});
    form.Action(QStringLiteral("DataSoilTable"))->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* child = form.MdiArea()->subWindowList().front();
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Soil Properties "));
    TTableForm* editor = form.Tables().D().Editor();
    ASSERT_NE(editor, nullptr);

    // Four layers and the buttons fit in the child, which is no wider than the area.
    EXPECT_GT(editor->Grid()->height(), 4 * editor->Grid()->verticalHeader()->defaultSectionSize());
    EXPECT_GE(editor->height(), editor->Grid()->geometry().bottom());
    EXPECT_GT(child->height(), editor->height());
    EXPECT_LE(child->width(), form.MdiArea()->width() * 3 / 2);

    // The comments' five lines are shown as five lines.
    const QString first = QStringLiteral("Max. Side Friction and Max. End Bearing:");
    bool found = false;
    for (const QLabel* label : editor->findChildren<QLabel*>()) {
        if (!label->text().startsWith(first))
            continue;
        found = true;
        EXPECT_EQ(label->text().count(QLatin1Char('\n')), 4);
        EXPECT_FALSE(label->text().contains(QLatin1Char('\r')));
    }
    EXPECT_TRUE(found);
}

// A project run in SI units, switched back to English and saved keeps its SI plot-
// data file; reopened, the plots are in metres and the soil-layer strip must be too
// (it showed the first layer's 15 ft bottom at 15 m).
TEST_F(WalkthroughMain, LayerStripFollowsThePlotFilesUnitSystem)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"));
    TMainFormOptions options;
    options.settingsFile = dir_.filePath(QStringLiteral("VELDO.ini"));
    options.programDir = QStringLiteral(VELDO_BIN_DIR);
    options.arguments = QStringList{project};
    options.fileDialogs = &dialogs_;
    options.shell = &shell_;
    form_ = std::make_unique<TMainForm>(std::move(options));
    form_->show();
    TMainForm& form = *form_;

    form.UnitsClick(2);
    form.CompRunClick();
    ASSERT_TRUE(form.ResultsFlag());
    form.UnitsClick(1);
    ASSERT_TRUE(form.FileSaveClick());
    form.FileNewClick();
    ASSERT_TRUE(form.OpenFileName(project, 1));
    ASSERT_TRUE(form.ResultsFlag());
    ASSERT_EQ(form.Data().UnitSystem, 1);

    // Layers of the example: sand to 15 ft, clay to 45, sand to 70, clay to 120; the
    // load distribution counts from the pile head, 2 ft of stick-up above the ground.
    for (TResultPlot which : {TResultPlot::Skin, TResultPlot::Combine, TResultPlot::Load}) {
        const TGraphPlot& plot = form.Plots().Plot(which);
        EXPECT_EQ(plot.Units(), 2);
        ASSERT_EQ(plot.LayerCurves.size(), 4u);
        const long double bottoms[] = {15, 45, 70, 120};
        const long double shift = which == TResultPlot::Load ? 2 : 0;
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(static_cast<double>(plot.LayerCurves[static_cast<std::size_t>(i)].Point(0).Y),
                        static_cast<double>((bottoms[i] + shift) * 0.3048L), 1e-6)
                << plot.objectName().toStdString() << " layer " << i + 1;
    }
    // The deepest curve point (the pile tip, 80 ft) lies inside the last clay layer.
    TGraphPlot& skin = form.Plots().pltSkin();
    EXPECT_NEAR(static_cast<double>(skin.CurvePoint(0, skin.PointCount() - 1).Y), 24.38, 0.01);
}

} // namespace
} // namespace veldo
