// The reader of the engine's plot-data file on fuzzed text, with a project context
// taken from the last bytes of the input, then the scaling of every result plot as
// its window draws it: only a failed read (false) comes back, every range is finite
// and ordered and holds the finite points, the tick count stays drawable, and every
// point maps to a pixel.
#include "FuzzSupport.h"

#include "PlotResults.h"
#include "PlotScale.h"
#include "QtFuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

namespace {

using namespace veldo;

constexpr int kMaxLayers = 6;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kScreenPpi = 96;
// More ticks than pixels cannot be drawn.
constexpr int kMaxTicks = kWindowWidth + kWindowHeight;
constexpr long double kBoundSlack = 1e-15L;

TPlotFileContext Context(FuzzedDataProvider& provider)
{
    TPlotFileContext c;
    for (std::size_t m = 1; m < c.ticked.size(); ++m)
        c.ticked[m] = provider.ConsumeBool();
    c.offshoreMethods = provider.ConsumeIntegralInRange(0, 1);
    c.loading = provider.ConsumeIntegralInRange(0, 1);
    c.printTzAtDepths = provider.ConsumeIntegralInRange(0, 1);
    c.units = provider.ConsumeIntegralInRange(1, 2);
    c.stickup = provider.ConsumeIntegralInRange(0, 20);
    const int layers = provider.ConsumeIntegralInRange(0, kMaxLayers);
    long double depth = 0;
    for (int i = 0; i < layers; ++i) {
        depth += provider.ConsumeIntegralInRange(1, 50);
        c.layers.push_back({provider.ConsumeIntegralInRange(1, 3), depth});
    }
    return c;
}

bool Ordered(long double low, long double high) { return std::isfinite(low) && std::isfinite(high) && low <= high; }

// A value inside a range; the rounded bounds may miss an end value by the rounding of
// the last digit.
bool Holds(long double low, long double high, long double value)
{
    const long double slack = (high - low) * kBoundSlack;
    return value >= low - slack && value <= high + slack;
}

void CheckArea(const TGraphPlot& plot, const TLineList& curves, const TExtents& e, const TPixelRect& rect)
{
    VELDO_FUZZ_CHECK(Ordered(e.MinX, e.MaxX) && Ordered(e.MinY, e.MaxY), "a plot range is finite and ordered");
    if (const auto ticks = ComputeTicks(e, rect, ScaledFontHeight(CanvasFontHeight(kScreenPpi), plot.SizeFont))) {
        VELDO_FUZZ_CHECK(ticks->FirstX <= ticks->LastX && ticks->LastX - ticks->FirstX <= kMaxTicks,
                         "the x ticks are drawable");
        VELDO_FUZZ_CHECK(ticks->FirstY <= ticks->LastY && ticks->LastY - ticks->FirstY <= kMaxTicks,
                         "the y ticks are drawable");
    }
    for (const TLine& curve : curves)
        for (const TFloatPoint& p : curve.Points) {
            if (!std::isfinite(p.X) || !std::isfinite(p.Y))
                continue;
            if (!Holds(e.MinX, e.MaxX, p.X) || !Holds(e.MinY, e.MaxY, p.Y))
                std::fprintf(stderr, "point (%Lg, %Lg), range x %Lg..%Lg, y %Lg..%Lg\n", p.X, p.Y, e.MinX, e.MaxX,
                             e.MinY, e.MaxY);
            VELDO_FUZZ_CHECK(Holds(e.MinX, e.MaxX, p.X) && Holds(e.MinY, e.MaxY, p.Y), "a plot range holds its points");
            FloatToPixel(e, rect, plot.XOnTop, p);
        }
}

void CheckScaling(const TGraphPlot& plot)
{
    const auto extents = PlotExtents(plot);
    if (!extents)
        return;
    const TLayoutOptions options{plot.XOnTop, !plot.GraphTitle.isEmpty(), plot.GraphTitleOnTop, plot.ShowLayers,
                                 plot.ShowThree};
    const TPlotGeometry g = ScreenLayout(kWindowWidth, kWindowHeight, kScreenPpi, kScreenPpi,
                                         ScaledFontHeight(CanvasFontHeight(kScreenPpi), plot.SizeFont), options);
    if (!plot.ShowThree) {
        CheckArea(plot, plot.Curves, (*extents)[0], g.PlotRect);
        return;
    }
    CheckArea(plot, plot.Curves, (*extents)[0], g.Panels[0]);
    CheckArea(plot, plot.CurvesPanel2, (*extents)[1], g.Panels[1]);
    CheckArea(plot, plot.CurvesPanel3, (*extents)[2], g.Panels[2]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartQtOffscreen(argc, argv); // a failed read is shown in a box
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const TPlotFileContext context = Context(provider);
    const std::string text = provider.ConsumeRemainingBytesAsString();
    try {
        TResultPlots plots;
        plots.ReadPlotText(text, context, true);
        for (int i = 0; i < ResultPlotCount; ++i)
            CheckScaling(plots.Plot(static_cast<TResultPlot>(i)));
    } catch (const std::exception& e) {
        fuzz::UnexpectedException(e.what());
    }
    fuzz::RecordedMessages().Clear();
    return 0;
}
