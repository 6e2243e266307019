// What keeps a plot readable: labelled range ends, the legend placed where it hides
// no data, bitmaps at any resolution, printing to PDF without a printer, automatic
// markers and the legend dialog's access key.
#include "ChangeLineNames.h"
#include "LargestPlot.h"
#include "Messages.h"
#include "PageSet.h"
#include "PlotForm.h"
#include "PltData.h"
#include "PrintDialogs.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace veldo;

namespace {

bool overlap(const TPixelRect& a, const TPixelRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool inside(const TPixelRect& r, int width, int height)
{
    return r.Left >= 0 && r.Top >= 0 && r.Right <= width && r.Bottom <= height && r.Width() > 0 && r.Height() > 0;
}

void closeWindow(TGraphPlot& plot)
{
    if (plot.PlotWindow())
        plot.PlotWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(AxisLabels, BothEndsOfTheRangeCarryALabelAtEveryPlotSize)
{
    struct Case {
        long double max;
        const char* end;
    };
    for (const Case c : {Case{60, "60"}, Case{0.06L, "0.06"}, Case{0.3L, "0.3"}, Case{2.4L, "2.4"}}) {
        const TExtents e{0, c.max, -c.max, c.max};
        for (int size = 84; size <= 1600; size += 13) {
            const auto ticks = ComputeTicks(e, TPixelRect{0, 0, size, size}, 14);
            ASSERT_TRUE(ticks) << size;
            EXPECT_EQ(ticks->FirstX, 0);
            EXPECT_EQ(ticks->LastX % kTicksPerLabel, 0) << c.end << " at " << size;
            EXPECT_EQ(AxisLabel(ticks->LastX * ticks->Step.X), c.end) << size;
            EXPECT_EQ(ticks->FirstY % kTicksPerLabel, 0) << size;
            EXPECT_EQ(AxisLabel(ticks->FirstY * ticks->Step.Y), QStringLiteral("-") + c.end) << size;
        }
    }
    EXPECT_EQ(AxisLabel(10000), "10000");
    EXPECT_EQ(AxisLabel(12000), "12000");
    EXPECT_EQ(AxisLabel(0.0005L), "0.0005");
    EXPECT_EQ(AxisLabel(0.1L + 0.2L), "0.3");
    EXPECT_EQ(AxisLabel(-1e-20L * 0), "0");
    EXPECT_EQ(AxisLabel(2.5e6L), "2.5E6");
}

TEST(Legend, GoesToTheCornerThatHidesFewestPointsElseOutside)
{
    const TPixelRect area{0, 0, 100, 100};
    // Points along the bottom edge and the right edge: top left is free.
    std::vector<QPoint> points;
    for (int i = 0; i <= 100; ++i) {
        points.emplace_back(i, 98);
        points.emplace_back(98, i);
    }
    auto corner = LegendCorner(area, 30, 20, points, 2);
    ASSERT_TRUE(corner);
    EXPECT_EQ(*corner, (TPixelRect{2, 2, 32, 22}));
    // An empty plot keeps the bottom right corner.
    corner = LegendCorner(area, 30, 20, {}, 2);
    ASSERT_TRUE(corner);
    EXPECT_EQ(*corner, (TPixelRect{68, 78, 98, 98}));
    // A grid of points: a 25-pixel box hides 4 of 121 points (3.3 %) in every
    // corner, none will do; a 5-pixel box hides none.
    points.clear();
    for (int x = 0; x <= 100; x += 10)
        for (int y = 0; y <= 100; y += 10)
            points.emplace_back(x, y);
    EXPECT_FALSE(LegendCorner(area, 25, 25, points, 2));
    EXPECT_TRUE(LegendCorner(area, 5, 5, points, 2));
}

class ReadablePlot : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillLargestPlot(plot);
        ASSERT_TRUE(plot.Execute());
        form = plot.PlotWindow();
        form->showNormal();
        form->resize(1000, 700);
        QApplication::processEvents();
    }
    void TearDown() override { closeWindow(plot); }

    TScopedMessageRecorder messages;
    TScopedPrintDialogs printing;
    TGraphPlot plot;
    TPlotForm* form = nullptr;
};

TEST_F(ReadablePlot, LegendLeavesTheCurvesAndAfterADragStaysPut)
{
    // The curves fan out from the top left: the bottom right corner is free.
    const TPixelRect& r = form->ScreenGeometry().PlotRect;
    const QRect box = form->Legend()->geometry();
    EXPECT_GT(box.left(), (r.Left + r.Right) / 2);
    EXPECT_GT(box.top(), (r.Top + r.Bottom) / 2);
    EXPECT_LE(box.right(), r.Right);

    // Curves over the whole area: the legend goes outside the frame at the right.
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j <= 500; ++j)
            plot.CurvePoint(i, j) = {900.0L * ((j * 7 + i * 50) % 501) / 500, 80.0L * j / 500};
    form->FormResize();
    const TPixelRect& wide = form->ScreenGeometry().PlotRect;
    EXPECT_GT(form->Legend()->x(), wide.Right);
    EXPECT_LE(form->Legend()->geometry().right(), form->PaintBox()->width());

    // Dragged by the user, the box keeps its place through a resize.
    QTest::mousePress(form->Legend(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(form->Legend(), QPoint(5 - 300, 5 - 200));
    QTest::mouseRelease(form->Legend(), Qt::LeftButton, {}, QPoint(5 - 300, 5 - 200));
    const QPoint dragged = form->Legend()->pos();
    form->resize(900, 650);
    QApplication::processEvents();
    EXPECT_EQ(form->Legend()->pos(), dragged);
}

TEST_F(ReadablePlot, BitmapsAtAnyResolutionHaveRoomForTitlesAndLegend)
{
    plot.GraphTitle = "Pile 1, compression";
    plot.GraphTitleOnTop = true;
    QTemporaryDir dir;
    for (const int ppi : {72, 150, 300}) {
        QImage bitmap(6 * ppi, 4 * ppi, QImage::Format_RGB32);
        const TPlotGeometry g = form->BitmapGeometry(bitmap, ppi);
        const int w = bitmap.width();
        const int h = bitmap.height();
        const std::vector<TPixelRect> texts{g.XTitleRect, g.YTitleRect, g.GraphTitleRect, g.LegendRect};
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_TRUE(inside(texts[i], w, h)) << ppi << " rect " << i;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(overlap(texts[i], texts[j])) << ppi << " rects " << i << ", " << j;
        }
        // Titles stay outside the plot area; the legend inside or right of it.
        for (const TPixelRect& t : {g.XTitleRect, g.YTitleRect, g.GraphTitleRect})
            EXPECT_FALSE(overlap(t, g.PlotRect)) << ppi;
        // Text keeps its physical size: the scaled font height follows the resolution.
        EXPECT_EQ(g.Sfh, 14 * ppi / 96);

        const QString file = dir.filePath(QStringLiteral("plot%1.bmp").arg(ppi));
        ASSERT_TRUE(form->WriteBitmap(bitmap, ppi, file));
        const QImage back(file, "BMP");
        ASSERT_EQ(back.size(), QSize(6 * ppi, 4 * ppi));
        EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, ppi, 0.5);
        // The legend is drawn: its frame's top edge is black.
        EXPECT_EQ(back.pixelColor(g.LegendRect.Left + 2, g.LegendRect.Top), QColor(Qt::black)) << ppi;
    }

    // "Show Legend" off: no legend in the bitmap.
    form->PlotLegendClick();
    QImage bitmap(432, 288, QImage::Format_RGB32);
    const TPlotGeometry g = form->BitmapGeometry(bitmap, 72);
    ASSERT_TRUE(form->WriteBitmap(bitmap, 72, dir.filePath("nolegend.bmp")));
    EXPECT_EQ(g.LegendRect, TPixelRect{});
}

TEST_F(ReadablePlot, PrintWritesAPdfWhenNoPrinterIsInstalled)
{
    QTemporaryDir dir;
    printing->PdfFile = dir.filePath("plot.pdf");
    printing->OnPageSetup = [](QPrinter& printer) {
        printer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    };
    QAction* print = form->MenuItem("PlotPrint");
    QAction* page = form->MenuItem("PlotPage");
    ASSERT_TRUE(print->isEnabled());
    ASSERT_TRUE(page->isEnabled());

    page->trigger();
    EXPECT_EQ(printing->PageSetupsShown, 1);
    EXPECT_EQ(form->PageSetupDialog().MarginLeft(), 500); // half an inch, in thousandths
    EXPECT_TRUE(messages->Texts().empty());

    print->trigger();
    EXPECT_EQ(printing->PdfDialogsShown, 1);
    EXPECT_EQ(printing->PrintDialogsShown, 0);
    QFile pdf(printing->PdfFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    // Cancelled: nothing is written.
    printing->Confirm = false;
    printing->PdfFile = dir.filePath("cancelled.pdf");
    print->trigger();
    EXPECT_FALSE(QFile::exists(printing->PdfFile));

    // With a printer the print dialog asks instead.
    printing->PrinterNames = {"Office"};
    print->trigger();
    EXPECT_EQ(printing->PrintDialogsShown, 1);
    EXPECT_EQ(printing->PdfDialogsShown, 2);
}

TEST(Markers, AutomaticMarksAbout25PointsAndIsTheFirstEntry)
{
    EXPECT_EQ(MarkerInterval(TGraphPlot::kAutomaticMarkers, 501), 21);
    EXPECT_EQ(MarkerInterval(TGraphPlot::kAutomaticMarkers, 10), 1);
    EXPECT_EQ(MarkerInterval(TGraphPlot::kAutomaticMarkers, 26), 2);
    EXPECT_EQ(MarkerInterval(0, 501), 0);
    EXPECT_EQ(MarkerInterval(5, 501), 5);
    EXPECT_EQ(MinimumLineWidth(96), 1);
    EXPECT_EQ(MinimumLineWidth(600), 6); // 0.25 mm = 5.9 pixels
    EXPECT_EQ(MinimumLineWidth(1200), 12);
}

TEST(LegendDialog, NameConfirmedWithTheAccessKeyIsKept)
{
    std::vector<QString> names{"Curve #1", "Curve #2"};
    TfrmLineNames dialog(nullptr, names);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.edLine->setFocus();
    dialog.edLine->selectAll();
    QTest::keyClicks(dialog.edLine, "Head load");
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
    // The access key clicks the button with its animation, which ends the dialog.
    ASSERT_TRUE(finished.count() == 1 || finished.wait(5000));
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(names[0], "Head load");
    EXPECT_EQ(names[1], "Curve #2");
}
