// The plot window: opening and closing, drawing checked by pixels, zoom, read-out,
// legend and menu, printing to PDF and bitmap export.
#include "LayerPatterns.h"
#include "Messages.h"
#include "PageSet.h"
#include "PlotForm.h"
#include "PltData.h"
#include "SafeWrite.h"
#include "SaveAttb.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>

using namespace veldo;

namespace {

// Three horizontal curves over X 0..8, Y 0..10 (x axis at the bottom):
// curve 0 at Y 9 from X 3 on, curve 1 at Y 3 (blue), curve 2 at Y 7 (red).
void fillPlot(TGraphPlot& plot)
{
    plot.Caption = "Test";
    plot.XOnTop = false;
    plot.XCaption = "Capacity";
    plot.XUnits = "F1";
    plot.YCaption = "Depth";
    plot.YUnits = "L2";
    plot.SetCurveCount(3);
    plot.SetPointCount(4);
    const long double ys[] = {9, 3, 7};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            plot.CurvePoint(i, j) = {static_cast<long double>(1 + 2 * j), ys[i]};
    plot.CurvePoint(2, 3).X = 8;  // curve 2 reaches the right end
    plot.CurvePoint(0, 0).Y = 10; // curve 0 starts at the top
}

void closeWindow(TGraphPlot& plot)
{
    if (plot.PlotWindow())
        plot.PlotWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Draws the plot into a bitmap with the bitmap layout.
QImage render(const TPlotForm& form, int width, int height, TPlotGeometry& g)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::green);
    g = form.BitmapGeometry(image, 96);
    QPainter painter(&image);
    form.PaintPlot(painter, g);
    return image;
}

QColor at(const QImage& image, QPoint p) { return image.pixelColor(p); }

} // namespace

class PlotWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        fillPlot(plot);
        ASSERT_TRUE(plot.Execute());
        form = plot.PlotWindow();
        ASSERT_NE(form, nullptr);
        form->showNormal();
        form->resize(800, 600);
        QApplication::processEvents();
    }
    void TearDown() override { closeWindow(plot); }

    QPoint pixel(long double x, long double y) const
    {
        return FloatToPixel(form->Extents[0], form->ScreenGeometry().PlotRect, plot.XOnTop, {x, y});
    }

    TScopedMessageRecorder messages;
    TGraphPlot plot;
    TPlotForm* form = nullptr;
};

TEST_F(PlotWindow, OpensOnceAndClosingFreesIt)
{
    EXPECT_TRUE(plot.WindowCreated());
    EXPECT_EQ(form->windowTitle(), "Test");
    ASSERT_TRUE(plot.Execute());
    EXPECT_EQ(plot.PlotWindow(), form); // shown again, not built again
    closeWindow(plot);
    EXPECT_FALSE(plot.WindowCreated());
    ASSERT_TRUE(plot.Execute());
    EXPECT_TRUE(plot.WindowCreated());
    form = plot.PlotWindow();
    // Extents: X 0..8, Y 0..10 (log10 10 = 1, fraction 0 below log10 3: step 1).
    EXPECT_EQ(form->Extents[0].MaxX, 8);
    EXPECT_EQ(form->Extents[0].MaxY, 10);
}

TEST(PlotWindowOpen, NoWindowWithoutAUsableRange)
{
    TGraphPlot plot;
    plot.SetCurveCount(1);
    plot.SetPointCount(2);
    const long double huge = std::numeric_limits<long double>::max();
    plot.CurvePoint(0, 0).Y = -huge;
    plot.CurvePoint(0, 1).Y = huge;
    EXPECT_FALSE(plot.Execute());
    EXPECT_FALSE(plot.WindowCreated());
}

TEST(PlotWindowOpen, OpensAsChildOfTheOwnersMdiArea)
{
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    {
        TGraphPlot plot(&main);
        fillPlot(plot);
        ASSERT_TRUE(plot.Execute());
        ASSERT_EQ(area->subWindowList().size(), 1);
        EXPECT_EQ(area->subWindowList().front()->widget(), plot.PlotWindow());
    }
    // Destroying the plot frees its window.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(PlotWindow, CurvesAreDrawnInTheirColoursAtMappedPoints)
{
    TPlotGeometry g;
    plot.Curve(0).Visible = false;
    const QImage image = render(*form, 600, 400, g);
    const auto map = [&](long double x, long double y) {
        return FloatToPixel(form->Extents[0], g.PlotRect, false, {x, y});
    };
    // The hidden curve 0 keeps colour slot 0: curve 1 is blue, curve 2 red.
    EXPECT_EQ(at(image, map(2.5L, 3)), QColor(0, 0, 255));
    EXPECT_EQ(at(image, map(4.5L, 7)), QColor(255, 0, 0));
    EXPECT_EQ(at(image, map(7.5L, 7)), QColor(255, 0, 0)); // last segment drawn
    EXPECT_EQ(at(image, map(4.5L, 9)), QColor(Qt::white)); // hidden curve
    // Markers: curve 1 (number 2) a square with corners at +-2 (radius 3 at 96 ppi);
    // curve 2 (number 3) a triangle with its apex 3 pixels above the point.
    const QPoint p1 = map(3, 3);
    EXPECT_EQ(at(image, p1 + QPoint(2, -2)), QColor(0, 0, 255));
    EXPECT_EQ(at(image, p1 + QPoint(-2, 2)), QColor(0, 0, 255));
    const QPoint p2 = map(5, 7);
    EXPECT_EQ(at(image, p2 + QPoint(0, -3)), QColor(255, 0, 0));
    // Frame corners of the plot area, white page outside the drawing.
    const TPixelRect& r = g.PlotRect;
    for (QPoint corner :
         {QPoint(r.Left, r.Top), QPoint(r.Right, r.Top), QPoint(r.Left, r.Bottom), QPoint(r.Right, r.Bottom)})
        EXPECT_EQ(at(image, corner), QColor(Qt::black));
    EXPECT_EQ(at(image, QPoint(599, 0)), QColor(Qt::white));
}

TEST_F(PlotWindow, MarkersFollowTheMarkerSetting)
{
    TPlotGeometry g;
    plot.Markers = 0;
    const QImage image = render(*form, 600, 400, g);
    const QPoint p1 = FloatToPixel(form->Extents[0], g.PlotRect, false, {3, 3});
    EXPECT_NE(at(image, p1 + QPoint(2, -2)), QColor(0, 0, 255));
    EXPECT_EQ(at(image, p1), QColor(0, 0, 255));
}

TEST_F(PlotWindow, InactiveCurveTakesNoColourSlot)
{
    std::vector<bool> active{true, false, true};
    form->ApplyActiveFlags(active);
    TPlotGeometry g;
    const QImage image = render(*form, 600, 400, g);
    const auto map = [&](long double x, long double y) {
        return FloatToPixel(form->Extents[0], g.PlotRect, false, {x, y});
    };
    EXPECT_EQ(at(image, map(4.5L, 7)), QColor(0, 0, 255)); // curve 3 is blue
    EXPECT_EQ(at(image, map(4.5L, 3)), QColor(Qt::white)); // curve 2 not drawn
    EXPECT_EQ(at(image, map(4.5L, 9)), QColor(Qt::black)); // curve 1 black
    EXPECT_EQ(form->LegendCurves(), (std::vector<int>{0, 2}));
}

TEST_F(PlotWindow, XAxisOnTopMapsDepthDownward)
{
    plot.XOnTop = true;
    TPlotGeometry g;
    const QImage image = render(*form, 600, 400, g);
    const QPoint p = FloatToPixel(form->Extents[0], g.PlotRect, true, {2.5L, 3});
    EXPECT_LT(p.y(), (g.PlotRect.Top + g.PlotRect.Bottom) / 2);
    EXPECT_EQ(at(image, p), QColor(0, 0, 255));
}

TEST_F(PlotWindow, SurfaceSmallerThanAnInchIsLeftWhite)
{
    TPlotGeometry g;
    const QImage image = render(*form, 90, 300, g);
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 90; x += 7)
            ASSERT_EQ(at(image, QPoint(x, y)), QColor(Qt::white));
}

TEST_F(PlotWindow, LayerStripIsFilledWithTheBandPatterns)
{
    plot.SetLayerCurveCount(2);
    plot.SetLayerPointCount(1);
    plot.LayerCurve(0).Name = " SAND ";
    plot.LayerPoint(0, 0) = {7, 4};
    plot.LayerCurve(1).Name = " CLAY ";
    plot.LayerPoint(1, 0) = {1, 10};
    plot.ShowLayers = true;
    TPlotGeometry g;
    const QImage image = render(*form, 600, 400, g);
    const TPixelRect& s = g.LayerStripRect;
    // Band borders: the strip's left edge is black from the top to the bottom of the layers.
    EXPECT_EQ(at(image, QPoint(s.Left, (s.Top + s.Bottom) / 2)), QColor(Qt::black));
    // Inside each band some pattern pixels are black, some white.
    const int sandBottom = FloatToPixel(form->Extents[0], g.PlotRect, false, {0, 4}).y();
    int black = 0;
    for (int y = sandBottom - 3; y > sandBottom - 40; --y)
        for (int x = s.Left + 2; x < s.Left + 10; ++x)
            black += at(image, QPoint(x, y)) == QColor(Qt::black) ? 1 : 0;
    EXPECT_GT(black, 0);
    EXPECT_LT(black, 37 * 8);
    // Pictures have their sizes; printed versions are the even ones.
    EXPECT_EQ(LayerPicture(1).size(), QSize(80, 80));
    EXPECT_EQ(LayerPicture(2).size(), QSize(96, 96));
    EXPECT_EQ(LayerPicture(3).size(), QSize(30, 42));
    EXPECT_EQ(LayerPicture(4).size(), QSize(96, 69));
    EXPECT_EQ(LayerPicture(10).size(), QSize(96, 192));
    EXPECT_EQ(LayerPicture(14).size(), QSize(96, 96));
    EXPECT_EQ(LayerBrush(7, false).textureImage(), LayerPicture(1));
    EXPECT_EQ(LayerBrush(7, true).textureImage(), LayerPicture(2));
    EXPECT_EQ(LayerBrush(1, true).textureImage(), LayerPicture(14));
    EXPECT_EQ(LayerBrush(5, false).style(), Qt::HorPattern);
    EXPECT_EQ(LayerBrush(13, false).style(), Qt::NoBrush);
}

TEST_F(PlotWindow, ThreePanelsDrawEveryListToItsLastPoint)
{
    plot.ShowThree = true;
    // Panel 2: two curves; the last segment of each must be drawn.
    TGraphPlot& p = plot;
    p.CurvesPanel2 = p.Curves;
    closeWindow(plot);
    ASSERT_TRUE(plot.Execute());
    form = plot.PlotWindow();
    TPlotGeometry g;
    const QImage image = render(*form, 900, 400, g);
    const QPoint last = FloatToPixel(form->Extents[1], g.Panels[1], false, {7.5L, 7});
    EXPECT_EQ(at(image, last), QColor(255, 0, 0));
    const QPoint lastBlue = FloatToPixel(form->Extents[1], g.Panels[1], false, {6, 3});
    EXPECT_EQ(at(image, lastBlue), QColor(0, 0, 255));
    for (const TPixelRect& r : g.Panels)
        EXPECT_EQ(at(image, QPoint(r.Left, r.Bottom)), QColor(Qt::black));
}

TEST_F(PlotWindow, DragZoomsToAtLeastATwentiethAndRightClickZoomsOut)
{
    const TExtents full = form->FullExtents[0];
    const QPoint a = pixel(4, 5);
    form->PaintBoxMouseDown(Qt::LeftButton, a);
    form->PaintBoxMouseMove(a + QPoint(1, 1));
    form->FormMouseUp(Qt::LeftButton, a + QPoint(1, 1));
    const TExtents& e = form->Extents[0];
    EXPECT_NEAR(static_cast<double>(e.MaxX - e.MinX), 8.0 / 20, 1e-9);
    EXPECT_NEAR(static_cast<double>(e.MaxY - e.MinY), 10.0 / 20, 1e-9);
    EXPECT_GE(e.MinX, full.MinX);
    // Right click doubles the range each time, up to the full range.
    for (int i = 0; i < 6; ++i)
        form->PaintBoxMouseDown(Qt::RightButton, pixel(4, 5));
    EXPECT_EQ(form->Extents[0].MinX, full.MinX);
    EXPECT_EQ(form->Extents[0].MaxX, full.MaxX);
    EXPECT_EQ(form->Extents[0].MaxY, full.MaxY);
}

TEST_F(PlotWindow, ClickWithoutDragAndDragInThreePanelsChangeNothing)
{
    const TExtents before = form->Extents[0];
    const QPoint a = pixel(4, 5);
    form->PaintBoxMouseDown(Qt::LeftButton, a);
    form->FormMouseUp(Qt::LeftButton, a + QPoint(30, 0)); // same y
    EXPECT_EQ(form->Extents[0].MaxX, before.MaxX);
    plot.ShowThree = true;
    form->FormResize();
    form->PaintBoxMouseDown(Qt::LeftButton, a);
    form->FormMouseUp(Qt::LeftButton, a + QPoint(30, 30));
    EXPECT_EQ(form->Extents[0].MaxX, before.MaxX);
    EXPECT_EQ(form->Extents[0].MinY, before.MinY);
}

TEST_F(PlotWindow, CaptionShowsTheValuesUnderThePointer)
{
    const TPixelRect& r = form->ScreenGeometry().PlotRect;
    form->PaintBoxMouseMove(QPoint(r.Right, r.Top)); // x axis at the bottom: (8, 10)
    EXPECT_EQ(form->windowTitle(), "Test X: 8 Y: 10");
    form->PaintBoxMouseMove(QPoint(r.Left - 30, r.Bottom + 30)); // clamped to (0, 0)
    EXPECT_EQ(form->windowTitle(), "Test X: 0 Y: 0");
}

TEST_F(PlotWindow, LegendListsActiveCurvesAndMarksVisibleOnes)
{
    TLegendBox* legend = form->Legend();
    EXPECT_TRUE(legend->isVisible());
    ASSERT_EQ(legend->Items.size(), 3u);
    EXPECT_EQ(legend->Items[1], "Curve #2");
    EXPECT_EQ(legend->DisplayText(1), "Curve #2 *");
    EXPECT_EQ(legend->height(), 3 * 16 + 3); // item height 3 x 11 / 2
    // Until it is moved, the box sits in the bottom right corner of the plot area
    // (no curve point lies there), a 32nd of an inch inside the frame.
    const TPixelRect& r = form->ScreenGeometry().PlotRect;
    EXPECT_EQ(legend->geometry().right() + 1, r.Right - 96 / 32);
    EXPECT_EQ(legend->geometry().bottom() + 1, r.Bottom - 96 / 32);
    form->ToggleCurve(1);
    EXPECT_FALSE(plot.Curve(1).Visible);
    EXPECT_EQ(legend->DisplayText(1), "Curve #2");
    EXPECT_FALSE(form->CurveAction(1)->isChecked());
    form->PlotLegendClick();
    EXPECT_FALSE(legend->isVisible());
    EXPECT_FALSE(plot.ShowLegend);
}

TEST_F(PlotWindow, OwnerRewritesLegendTexts)
{
    closeWindow(plot);
    plot.onGetCaption = [](int index, QString& value) { value = QString("#%1 %2").arg(index).arg(value); };
    ASSERT_TRUE(plot.Execute());
    form = plot.PlotWindow();
    EXPECT_EQ(form->Legend()->Items[2], "#2 Curve #3");
    EXPECT_EQ(form->CurveAction(2)->text(), "#2 Curve #3");
}

TEST(PlotWindowOpen, OnlyTwentyCurvesStartActive)
{
    TGraphPlot plot;
    plot.SetCurveCount(25);
    plot.SetPointCount(2);
    for (int i = 0; i < 25; ++i)
        plot.CurvePoint(i, 1) = {1, static_cast<long double>(i)};
    plot.Curve(22).Active = true;
    ASSERT_TRUE(plot.Execute());
    TPlotForm* form = plot.PlotWindow();
    EXPECT_EQ(form->LegendCurves().size(), 20u);
    EXPECT_FALSE(plot.Curve(20).Active);
    EXPECT_FALSE(plot.Curve(24).Active);
    const int fixedItems = 14;
    EXPECT_EQ(form->PlotMenu()->actions().size(), fixedItems + 20);
    form->ApplyActiveFlags(std::vector<bool>(25, true));
    EXPECT_EQ(form->LegendCurves().size(), 25u);
    EXPECT_EQ(form->PlotMenu()->actions().size(), fixedItems + 25);
    EXPECT_EQ(form->CurveAction(24)->text(), "Curve #25");
    std::vector<bool> some(25, false);
    some[3] = some[7] = true;
    form->ApplyActiveFlags(some);
    EXPECT_EQ(form->LegendCurves(), (std::vector<int>{3, 7}));
    EXPECT_EQ(form->CurveAction(1)->data().toInt(), 7);
    EXPECT_EQ(form->PlotMenu()->actions().size(), fixedItems + 2);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PlotWindow, MenuFollowsThePlotSettings)
{
    form->PlotMenuClick();
    EXPECT_EQ(form->MenuItem("PlotLegend")->text(), "Show &Legend");
    EXPECT_TRUE(form->MenuItem("PlotLegend")->isChecked());
    EXPECT_FALSE(form->MenuItem("PlotSoilLayer")->isVisible()); // no layer curves
    EXPECT_FALSE(form->MenuItem("ShowWallGeometry")->isVisible());
    EXPECT_TRUE(form->MenuItem("FontSize")->isVisible());
    plot.SetLayerCurveCount(1);
    plot.ShowFontWidth = false;
    form->PlotMenuClick();
    EXPECT_TRUE(form->MenuItem("PlotSoilLayer")->isVisible());
    EXPECT_FALSE(form->MenuItem("LineWidth")->isVisible());
    // Without a printer, printing writes a PDF: the commands stay enabled.
    EXPECT_TRUE(form->MenuItem("PlotPrint")->isEnabled());
    EXPECT_TRUE(form->MenuItem("PlotPage")->isEnabled());
    EXPECT_EQ(form->PageSetupDialog().MarginLeft(), 1000);
    EXPECT_EQ(form->PageSetupDialog().MarginBottom(), 1000);

    QMenu* markers = form->MenuItem("PlotMarkers")->menu();
    ASSERT_NE(markers, nullptr);
    QStringList captions;
    for (QAction* a : markers->actions())
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"&Automatic", "&Never", "Every &Increment", "Every &2 Increments",
                                     "Every &3 Incrments", "Every &5 Increments", "Every &10 Incements"}));
    EXPECT_EQ(plot.Markers, TGraphPlot::kAutomaticMarkers);
    markers->actions()[5]->trigger();
    EXPECT_EQ(plot.Markers, 5);
    form->SizeClick(20);
    EXPECT_EQ(plot.SizeFont, 20);
    EXPECT_EQ(form->Legend()->ItemHeight, 3 * 22 / 2);
    form->WidthClick(4);
    EXPECT_EQ(plot.WidthLine, 4);
    form->PlotSoilLayerClick();
    EXPECT_TRUE(plot.ShowLayers);
    EXPECT_EQ(form->ScreenGeometry().PlotRect.Right,
              form->PaintBox()->width() - 96 / 4 - 28 / 2 - form->PaintBox()->logicalDpiX());
}

TEST_F(PlotWindow, PrintingToPdfWritesAPage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("plot.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    plot.GraphTitle = "Pile 1";
    ASSERT_TRUE(form->PrintTo(printer));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 1000);
    EXPECT_EQ(printer.docName(), "Test");
}

// A bitmap or PDF that cannot be written says so with the path and the system's
// reason; an earlier bitmap stays as it was.
TEST_F(PlotWindow, OutputThatCannotBeWrittenNamesThePathAndTheReason)
{
    TScopedMessageRecorder messages;
    QTemporaryDir dir;
    const QString file = dir.filePath("plot.bmp");
    QImage bitmap(100, 80, QImage::Format_RGB32);
    ASSERT_TRUE(form->WriteBitmap(bitmap, 96, file));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray before = written.readAll();
    written.close();
    {
        const TScopedSafeWriteFaults full({true, 0});
        QImage larger(200, 80, QImage::Format_RGB32);
        EXPECT_FALSE(form->WriteBitmap(larger, 96, file));
    }
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), before);
    const QString inFile = file + "/plot.bmp"; // its "folder" is a regular file
    EXPECT_FALSE(form->WriteBitmap(bitmap, 96, inFile));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file + "/plot.pdf");
    EXPECT_FALSE(form->PrintTo(printer));
    EXPECT_EQ(messages->Texts(),
              (std::vector<QString>{"The bitmap could not be written:\r" + file + "\rNo space left on device",
                                    "The bitmap could not be written:\r" + inFile + "\rNot a directory",
                                    "The file could not be written:\r" + file + "/plot.pdf\rNot a directory"}));
}

TEST_F(PlotWindow, BitmapExportWritesTheChosenSize)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("plot.bmp");
    QImage bitmap(432, 288, QImage::Format_RGB32);
    ASSERT_TRUE(form->WriteBitmap(bitmap, 96, file));
    const QImage back(file, "BMP");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(432, 288));
    // The frame of the plot area: bitmap layout (41, 31, 432 - 31, 288 - 41) with the x axis at the bottom.
    EXPECT_EQ(back.pixelColor(41, 31), QColor(Qt::black));
    EXPECT_EQ(back.pixelColor(401, 247), QColor(Qt::black));
}

TEST_F(PlotWindow, HardCopyLegendDrawsEachCurvesOwnMarker)
{
    // Curve 1 inactive: legend entry 1 is curve 2, blue (entry index 1), with the
    // curve's own marker 3 (a triangle with vertices 3 pixels left and right of the
    // centre at 96 ppi; the square of marker 2 reaches only 2 pixels to either side).
    form->ApplyActiveFlags({true, false, true});
    form->Legend()->move(0, 0); // dragged there: maps to the plot area's top-left corner
    form->LegendMoved();
    TPlotGeometry g;
    const QImage image = render(*form, 600, 400, g);
    const int markerX = g.PlotRect.Left + 96 / 16;
    int minX = 1 << 20;
    int maxX = -1;
    for (int y = g.PlotRect.Top; y < g.PlotRect.Top + 120; ++y)
        for (int x = markerX - 4; x <= markerX + 4; ++x)
            if (image.pixelColor(x, y) == QColor(0, 0, 255)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    EXPECT_EQ(minX, markerX - 3);
    EXPECT_GE(maxX, markerX + 2);
}

TEST_F(PlotWindow, SaveCommandAsksForFileAndSizeThenWritesTheBitmap)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("saved.bmp");
    QTimer::singleShot(0, [file] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(files, nullptr);
        QTimer::singleShot(0, [] {
            auto* size = qobject_cast<TdlgFormat*>(QApplication::activeModalWidget());
            ASSERT_NE(size, nullptr);
            size->deHeight.Edit->setText("3");
            size->btnOK->click();
        });
        files->selectFile(file);
        QMetaObject::invokeMethod(files, "accept");
    });
    form->PlotSaveClick();
    const QImage back(file, "BMP");
    EXPECT_EQ(back.size(), QSize(432, 216)); // 72 ppi x 6 in by 72 ppi x 3 in
    EXPECT_TRUE(messages->Texts().empty());
}

TEST_F(PlotWindow, SaveCommandReportsABitmapTooBig)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("big.bmp");
    QTimer::singleShot(0, [file] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(files, nullptr);
        QTimer::singleShot(0, [] {
            auto* size = qobject_cast<TdlgFormat*>(QApplication::activeModalWidget());
            ASSERT_NE(size, nullptr);
            size->dePPI.Edit->setText("9000");
            size->btnOK->click();
        });
        files->selectFile(file);
        QMetaObject::invokeMethod(files, "accept");
    });
    form->PlotSaveClick();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(messages->Texts(), std::vector<QString>{"There is not enough memory to complete this task."});
}

TEST_F(PlotWindow, LegendBoxIsDraggedInsideTheWindowAndDoubleClickTogglesACurve)
{
    TLegendBox* legend = form->Legend();
    const QPoint grab(5, 5 + 16); // second entry
    QTest::mousePress(legend, Qt::LeftButton, Qt::NoModifier, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(grab - QPoint(5000, 5000)), legend->mapToGlobal(QPointF(grab)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(legend, &move);
    QTest::mouseRelease(legend, Qt::LeftButton, Qt::NoModifier, grab - QPoint(5000, 5000));
    EXPECT_EQ(legend->pos(), QPoint(0, 0));
    EXPECT_EQ(legend->SelectedIndex, 1);
    form->resize(700, 500); // a moved box stays where the user put it
    QApplication::processEvents();
    EXPECT_EQ(legend->pos(), QPoint(0, 0));
    QTest::mouseDClick(legend, Qt::LeftButton, Qt::NoModifier, grab);
    EXPECT_FALSE(plot.Curve(1).Visible);
}

TEST_F(PlotWindow, DataChangedWhileOpenIsSeenAtTheNextRepaintWithoutFailing)
{
    plot.SetCurveCount(1); // legend and menu still name three curves
    plot.CurvePoint(0, 2) = {6, 3};
    plot.CurvePoint(0, 3) = {8, 3};
    form->PlotMenuClick();
    form->ToggleCurve(2);
    const QImage screen = form->PaintBox()->grab().toImage();
    EXPECT_FALSE(screen.isNull());
    TPlotGeometry g;
    const QImage image = render(*form, 600, 400, g);
    EXPECT_EQ(at(image, FloatToPixel(form->Extents[0], g.PlotRect, false, {6.5L, 3})), QColor(Qt::black));
    EXPECT_EQ(form->Legend()->DisplayText(2), "Curve #3");
}
