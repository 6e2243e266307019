// The plot dialogs: legend texts, active curves, bitmap size, graph title and page setup.
#include "Caption.h"
#include "ChangeActiveLines.h"
#include "ChangeLineNames.h"
#include "Messages.h"
#include "PageSet.h"
#include "PlotForm.h"
#include "PltData.h"
#include "SaveAttb.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace veldo;

namespace {

// Runs `action` on the modal dialog of type D as soon as it is shown.
template <typename D> void whenShown(std::function<void(D&)> action)
{
    QTimer::singleShot(0, [action] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()))
            action(*dialog);
    });
}

void fill(TGraphPlot& plot, int curves)
{
    plot.SetCurveCount(curves);
    plot.SetPointCount(2);
    for (int i = 0; i < curves; ++i)
        plot.CurvePoint(i, 1) = {static_cast<long double>(i + 1), 2};
}

} // namespace

TEST(LegendDialog, EmptyNameIsRefusedAndTheOldTextComesBack)
{
    TScopedMessageRecorder messages;
    std::vector<QString> names{"FHWA", "API"};
    TfrmLineNames dialog(nullptr, names);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Legend");
    EXPECT_EQ(dialog.lbLines->currentRow(), 0);
    EXPECT_EQ(dialog.edLine->text(), "FHWA");
    dialog.edLine->clear();
    dialog.edLineKeyPress(Qt::Key_Return);
    ASSERT_EQ(messages->Texts().size(), 1u);
    EXPECT_EQ(messages->Texts()[0], "The line must have a name!");
    EXPECT_EQ(dialog.edLine->text(), "FHWA");
    EXPECT_EQ(dialog.lbLines->item(0)->text(), "FHWA");
    // Leaving an emptied edit refuses it the same way.
    dialog.edLine->clear();
    dialog.edLineExit();
    EXPECT_EQ(messages->Texts().size(), 2u);
    EXPECT_EQ(dialog.lbLines->item(0)->text(), "FHWA");
}

TEST(LegendDialog, EnterRenamesTheSelectedEntryAndCloseWritesAllBack)
{
    TScopedMessageRecorder messages;
    std::vector<QString> names{"FHWA", "API"};
    TfrmLineNames dialog(nullptr, names);
    dialog.show();
    dialog.lbLines->setCurrentRow(1);
    EXPECT_EQ(dialog.edLine->text(), "API");
    // The edit shows the entry in its curve colour (index 1: blue).
    EXPECT_EQ(dialog.edLine->palette().color(QPalette::Text), QColor(0, 0, 255));
    dialog.edLine->setText("API RP-2A");
    dialog.edLineKeyPress(Qt::Key_Enter);
    EXPECT_EQ(dialog.lbLines->item(1)->text(), "API RP-2A");
    // The layout keeps its minimum client size.
    dialog.resize(50, 50);
    EXPECT_GE(dialog.width(), 195);
    EXPECT_GE(dialog.height(), 167);
    dialog.btnOK->click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(names, (std::vector<QString>{"FHWA", "API RP-2A"}));
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(LegendDialog, WindowAppliesNamesOnlyOnOk)
{
    TGraphPlot plot;
    fill(plot, 2);
    ASSERT_TRUE(plot.Execute());
    TPlotForm* form = plot.PlotWindow();
    whenShown<TfrmLineNames>([](TfrmLineNames& d) {
        d.edLine->setText("Renamed");
        d.edLineKeyPress(Qt::Key_Return);
        d.btnCancel->click();
    });
    form->mLineNameClick();
    EXPECT_TRUE(plot.Curve(0).Name.isEmpty());
    whenShown<TfrmLineNames>([](TfrmLineNames& d) {
        d.edLine->setText("Renamed");
        d.edLineKeyPress(Qt::Key_Return);
        d.btnOK->click();
    });
    form->mLineNameClick();
    EXPECT_EQ(plot.Curve(0).Name, "Renamed");
    EXPECT_EQ(plot.Curve(1).Name, "Curve #2"); // every curve takes its edited text
    EXPECT_EQ(form->Legend()->Items[0], "Renamed");
    EXPECT_EQ(form->CurveAction(0)->text(), "Renamed");
    form->close();
}

TEST(ActiveCurvesDialog, TogglesSelectedEntriesAndSetsAll)
{
    const std::vector<QString> names{"A", "B", "C", "D"};
    std::vector<QString> flags{" yes : ", " no  : ", " yes : ", " yes : "};
    TfrmActiveLines dialog(nullptr, names, flags);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Active Curves");
    EXPECT_EQ(dialog.lbLines->item(1)->text(), " no  :    B");
    for (int row : {0, 1, 3})
        dialog.lbLines->item(row)->setSelected(true);
    dialog.ActivateDesactivateButtonClick();
    EXPECT_EQ(flags, (std::vector<QString>{" no  : ", " yes : ", " yes : ", " no  : "}));
    EXPECT_EQ(dialog.lbLines->item(3)->text(), " no  :    D");
    dialog.lbLines->clearSelection();
    dialog.lbLines->setCurrentRow(2);
    dialog.lbLinesDblClick();
    EXPECT_EQ(flags[2], " no  : ");
    dialog.ActivateButtonClick();
    EXPECT_EQ(flags, std::vector<QString>(4, " yes : "));
    dialog.DesactivateButtonClick();
    EXPECT_EQ(flags, std::vector<QString>(4, " no  : "));
    dialog.resize(20, 20);
    EXPECT_GE(dialog.width(), 190);
    EXPECT_GE(dialog.height(), 234);
}

TEST(ActiveCurvesDialog, WindowRebuildsLegendOnOkAndIgnoresCancel)
{
    TGraphPlot plot;
    fill(plot, 25);
    ASSERT_TRUE(plot.Execute());
    TPlotForm* form = plot.PlotWindow();
    whenShown<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.ActivateButtonClick();
        d.btnCancel->click();
    });
    form->ActiveGraphsClick();
    EXPECT_EQ(form->LegendCurves().size(), 20u);
    whenShown<TfrmActiveLines>([](TfrmActiveLines& d) {
        d.ActivateButtonClick();
        d.btnOK->click();
    });
    form->ActiveGraphsClick();
    EXPECT_EQ(form->LegendCurves().size(), 25u);
    EXPECT_EQ(form->Legend()->Items[24], "Curve #25");
    EXPECT_EQ(form->Legend()->height(), 25 * 16 + 3);
    EXPECT_TRUE(plot.Curve(24).Active);
    form->close();
}

TEST(SaveAttributesDialog, SizeIsPixelsPerInchTimesInches)
{
    TScopedMessageRecorder messages;
    QImage bitmap;
    TdlgFormat dialog(nullptr, &bitmap);
    EXPECT_EQ(dialog.windowTitle(), "Save Attributes");
    EXPECT_EQ(dialog.deHeight.Edit->text(), "4");
    EXPECT_EQ(dialog.deWidth.Edit->text(), "6");
    EXPECT_EQ(dialog.dePPI.Edit->text(), "72");
    // Labels: caption and unit words of the entry fields.
    EXPECT_EQ(dialog.deHeight.Label->text(), "&Height (in)");
    EXPECT_EQ(dialog.deWidth.Label->text(), "&Width (in)");
    EXPECT_EQ(dialog.dePPI.Label->text(), "&Pixels Per Inch");
    EXPECT_EQ(dialog.dePPI.Edit->MaxVal(), 2147483647.0L);
    EXPECT_TRUE(dialog.dePPI.Edit->IntegerOnly());
    EXPECT_TRUE(dialog.rb16Colors->isChecked());
    dialog.btnOKClick();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(bitmap.height(), 288); // 72 x 4
    EXPECT_EQ(bitmap.width(), 432);  // 72 x 6
    // Expressions are evaluated: 2.5 in x 100 = 250.
    dialog.deHeight.Edit->setText("5/2");
    dialog.dePPI.Edit->setText("100");
    dialog.btnOKClick();
    EXPECT_EQ(bitmap.height(), 250);
    EXPECT_EQ(bitmap.width(), 600);
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(SaveAttributesDialog, EntriesBelowTheirMinimumAreRefused)
{
    TScopedMessageRecorder messages;
    QImage bitmap;
    TdlgFormat dialog(nullptr, &bitmap);
    dialog.dePPI.Edit->setText("5");
    dialog.btnOKClick();
    EXPECT_EQ(dialog.result(), 0); // still open
    ASSERT_EQ(messages->Texts().size(), 1u);
    EXPECT_EQ(messages->Texts()[0], "Entry must be greater than or equal to 10");
    EXPECT_EQ(dialog.dePPI.Edit->text(), "10");
    dialog.deHeight.Edit->setText("1.5");
    dialog.btnOKClick();
    EXPECT_EQ(messages->Texts().back(), "Entry must be greater than or equal to 2");
    dialog.deHeight.Edit->setText("4");
    dialog.dePPI.Edit->setText("72.5");
    dialog.btnOKClick();
    EXPECT_EQ(messages->Texts().back(), "Entry must be an integer.");
    EXPECT_TRUE(bitmap.isNull());
}

TEST(SaveAttributesDialog, BitmapAboveTheSideLimitGivesResultThree)
{
    QImage bitmap;
    TdlgFormat dialog(nullptr, &bitmap);
    dialog.dePPI.Edit->setText("10000"); // 4 in x 10000 = 40000 > 32767
    dialog.btnOKClick();
    EXPECT_EQ(dialog.result(), TdlgFormat::kNoMemory);
    EXPECT_TRUE(bitmap.isNull());
    dialog.dePPI.Edit->setText("2147483647");
    dialog.deWidth.Edit->setText("1E300");
    dialog.btnOKClick();
    EXPECT_EQ(dialog.result(), TdlgFormat::kNoMemory);
}

TEST(GraphCaptionDialog, WindowTakesTitleAndPlaceWhateverClosesIt)
{
    TGraphPlot plot;
    fill(plot, 1);
    ASSERT_TRUE(plot.Execute());
    TPlotForm* form = plot.PlotWindow();
    whenShown<TfrmGraphCaption>([](TfrmGraphCaption& d) {
        EXPECT_EQ(d.windowTitle(), "Graph Caption");
        EXPECT_TRUE(d.rbBottom->isChecked());
        d.edtCaption->setText("Pile 7");
        d.rbTop->setChecked(true);
        d.reject();
    });
    form->PlotCaptionClick();
    EXPECT_EQ(plot.GraphTitle, "Pile 7");
    EXPECT_TRUE(plot.GraphTitleOnTop);
    form->close();
}

TEST(PageSetupDialog, MarginsRespectTheirMinimums)
{
    TPageSetupDialog dialog;
    dialog.SetMarginLeft(1000);
    dialog.SetMinMarginLeft(750);
    EXPECT_EQ(dialog.MinMarginLeft(), 750);
    dialog.SetMarginLeft(500);
    EXPECT_EQ(dialog.MarginLeft(), 750);
    dialog.SetMarginLeft(1000);
    dialog.SetMinMarginLeft(2000);
    EXPECT_EQ(dialog.MinMarginLeft(), 1000);
    dialog.SetMarginBottom(-5);
    EXPECT_EQ(dialog.MarginBottom(), 0);
}

TEST(PageSetupDialog, UnitOptionsExcludeEachOther)
{
    using F = TPageSetupFlags;
    TPageSetupDialog dialog;
    EXPECT_TRUE(dialog.Options().Has(F::poDefaultMinMargins));
    EXPECT_TRUE(dialog.Options().Has(F::poHundredthsOfMillimeters));
    EXPECT_EQ(dialog.FlagWord(), 8u);
    dialog.SetOptions(dialog.Options().With(F::poThousandthsOfInches));
    EXPECT_FALSE(dialog.Options().Has(F::poHundredthsOfMillimeters));
    EXPECT_EQ(dialog.FlagWord(), 4u);
    dialog.SetOptions(dialog.Options().With(F::poMinMargins).With(F::poDisablePrinter));
    EXPECT_FALSE(dialog.Options().Has(F::poDefaultMinMargins));
    EXPECT_EQ(dialog.FlagWord(), 4u + 1u + 32u);
}

TEST(PageSetupDialog, WithoutAPrinterExecuteFailsAndKeepsTheMargins)
{
    TScopedMessageRecorder messages;
    TPageSetupDialog dialog;
    dialog.SetMarginTop(1000);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{"Error in GetPrinter\nPrinter not Assigned",
                                                       "Error in TPageSetupDialog.Execute\nError getting Printer\n"
                                                       "Printer not Assigned"}));
    EXPECT_EQ(dialog.MarginTop(), 1000);
    EXPECT_EQ(dialog.PaperLength(), 0);
}

TEST(PageSetupDialog, OkReadsMarginsAndPaperAndCancelKeepsThem)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    TPageSetupDialog dialog;
    dialog.SetOptions({TPageSetupFlags::poDefaultMinMargins, TPageSetupFlags::poThousandthsOfInches});
    for (auto set : {&TPageSetupDialog::SetMarginLeft, &TPageSetupDialog::SetMarginTop,
                     &TPageSetupDialog::SetMarginRight, &TPageSetupDialog::SetMarginBottom})
        (dialog.*set)(1000);
    dialog.SetPrinter(&printer);
    whenShown<QPageSetupDialog>([](QPageSetupDialog& d) { d.reject(); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.PaperLength(), 0);
    whenShown<QPageSetupDialog>([](QPageSetupDialog& d) { d.accept(); });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.MarginLeft(), 1000);
    EXPECT_EQ(dialog.MarginBottom(), 1000);
    EXPECT_GT(dialog.PaperLength(), dialog.PaperWidth());
    EXPECT_GT(dialog.PaperWidth(), 7000); // thousandths of an inch (A4 or Letter)
}
