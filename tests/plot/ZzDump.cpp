#include "PlotForm.h"
#include "PltData.h"
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <gtest/gtest.h>
using namespace veldo;
TEST(ZzDump, Dump)
{
    TGraphPlot plot;
    plot.Caption = "Accumulated Skin Friction vs Depth";
    plot.XCaption = "Skin Friction"; plot.XUnits = "F1";
    plot.YCaption = "Depth"; plot.YUnits = "L2";
    plot.SetCurveCount(4); plot.SetPointCount(30);
    const char* names[] = {"FHWA", "USACE", "Lambda", "API"};
    for (int i = 0; i < 4; ++i) {
        plot.Curve(i).Name = names[i];
        for (int j = 0; j < 30; ++j) plot.CurvePoint(i, j) = {(long double)(j * j) * (0.5L + i * 0.3L), (long double)j * 2};
    }
    plot.SetLayerCurveCount(3); plot.SetLayerPointCount(1);
    plot.LayerCurve(0).Name = " SAND "; plot.LayerPoint(0,0) = {7, 15};
    plot.LayerCurve(1).Name = " CLAY "; plot.LayerPoint(1,0) = {1, 40};
    plot.LayerCurve(2).Name = "LAYER 3"; plot.LayerPoint(2,0) = {3, 58};
    plot.ShowLayers = true;
    plot.GraphTitle = "Pile A";
    plot.GraphTitleOnTop = false;
    plot.Execute();
    auto* form = plot.PlotWindow();
    form->showNormal(); form->resize(900, 650); QApplication::processEvents();
    form->PaintBox()->grab().save("/tmp/plt_screen.png");
    QImage bmp(800, 600, QImage::Format_RGB32);
    form->WriteBitmap(bmp, "/tmp/plt_bitmap.bmp");
    bmp.save("/tmp/plt_bitmap.png");
    plot.ShowThree = true; plot.ShowLayers=false; plot.XOnTop = false;
    plot.CurvesPanel2 = plot.Curves; plot.CurvesPanel3 = plot.Curves;
    plot.XCaption2 = "Tip"; plot.XCaption3 = "Total";
    form->close(); QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plot.Execute(); form = plot.PlotWindow();
    form->showNormal(); form->resize(900, 650); QApplication::processEvents();
    form->PaintBox()->grab().save("/tmp/plt_three.png");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/tmp/plt.pdf");
    plot.ShowThree = false; plot.ShowLayers = true;
    form->PrintTo(printer);
}
#include "ChangeLineNames.h"
#include "ChangeActiveLines.h"
#include "SaveAttb.h"
#include "Caption.h"
TEST(ZzDump, Dialogs)
{
    std::vector<QString> names{"FHWA", "USACE", "API"};
    TfrmLineNames d1(nullptr, names); d1.show(); QApplication::processEvents(); d1.grab().save("/tmp/dlg_names.png");
    std::vector<QString> flags{" yes : ", " no  : ", " yes : "};
    TfrmActiveLines d2(nullptr, names, flags); d2.show(); QApplication::processEvents(); d2.grab().save("/tmp/dlg_active.png");
    QImage b; TdlgFormat d3(nullptr, &b); d3.show(); QApplication::processEvents(); d3.grab().save("/tmp/dlg_save.png");
}
