// Redraw of the largest result plot: 9 load-distribution curves of 501 points with
// 40 soil-layer bands, drawn into an offscreen 1280 x 900 image with the screen
// geometry (run with QT_QPA_PLATFORM=offscreen).
#include "LargestPlot.h"
#include "PlotForm.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace veldo;

namespace {

void redraw(benchmark::State& state, int markers)
{
    TGraphPlot plot;
    FillLargestPlot(plot);
    plot.ShowLayers = true;
    plot.Markers = markers;
    plot.Execute();
    TPlotForm* form = plot.PlotWindow();
    form->showNormal();
    form->resize(1280, 900);
    QApplication::processEvents();
    QImage image(form->PaintBox()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        form->PaintPlot(painter, form->ScreenGeometry());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    form->close();
}

void BM_LargestPlotRedraw(benchmark::State& state) { redraw(state, TGraphPlot::kAutomaticMarkers); }
BENCHMARK(BM_LargestPlotRedraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LargestPlotRedrawEveryMarker(benchmark::State& state) { redraw(state, 1); }
BENCHMARK(BM_LargestPlotRedrawEveryMarker)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
