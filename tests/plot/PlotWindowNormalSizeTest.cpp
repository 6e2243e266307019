// A plot window that leaves the maximized state (restore, cascade) keeps a plot
// large enough to read: 7 by 4.5 inches of the screen, not the few pixels of an
// empty widget.
#include "PlotForm.h"
#include "PltData.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

using namespace veldo;

namespace {

void fillTwoCurves(TGraphPlot& plot)
{
    plot.Caption = "Sizes";
    plot.SetCurveCount(2);
    plot.SetPointCount(3);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            plot.CurvePoint(i, j) = {static_cast<long double>(j + i), static_cast<long double>(2 * j)};
}

// The plot window asks for a readable size (the size the MDI area gives it when it
// is cascaded or shown normal for the first time) and its paint box has it.
void expectReadableSize(const TPlotForm& form)
{
    const TPlotPaintBox& box = *form.PaintBox();
    const int minWidth = 7 * box.logicalDpiX() * 9 / 10;
    const int minHeight = 9 * box.logicalDpiY() / 2 * 9 / 10;
    EXPECT_GE(form.sizeHint().width(), minWidth);
    EXPECT_GE(form.sizeHint().height(), minHeight);
    EXPECT_GE(box.width(), minWidth);
    EXPECT_GE(box.height(), minHeight);
}

} // namespace

TEST(PlotWindowNormalSize, RestoredAndCascadedWindowsShowTheWholePlot)
{
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(1400, 1000);
    main.show();

    TGraphPlot first(&main);
    TGraphPlot second(&main);
    fillTwoCurves(first);
    fillTwoCurves(second);

    // Restore: the window opened maximized and goes back to its normal size.
    ASSERT_TRUE(first.Execute());
    ASSERT_EQ(area->subWindowList().size(), 1);
    QMdiSubWindow* child = area->subWindowList().front();
    ASSERT_TRUE(child->isMaximized());
    child->showNormal();
    QCoreApplication::processEvents();
    expectReadableSize(*first.PlotWindow());

    ASSERT_TRUE(second.Execute());
    ASSERT_EQ(area->subWindowList().size(), 2);
    // Cascade sizes every child by its size hint.
    area->cascadeSubWindows();
    QCoreApplication::processEvents();
    expectReadableSize(*first.PlotWindow());
    expectReadableSize(*second.PlotWindow());
}
