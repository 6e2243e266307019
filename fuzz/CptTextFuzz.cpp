// The CPT window's reader of CPT text data files on fuzzed text, with read settings
// within the window's limits taken from the last bytes of the input: only
// EInOutError leaves it, naming a line and item; a complete read gives one finite
// point per data line.
#include "FuzzSupport.h"

#include "CPTOptions.h"
#include "WordRead.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>

namespace {

using namespace veldo;

constexpr std::array<long double, 5> kUaChoices = {1.0L, 1000.0L, 0.001L, 47.875L, 1e100L};

TCptReadSettings Settings(FuzzedDataProvider& provider)
{
    TCptReadSettings s;
    s.dataLines = provider.ConsumeIntegralInRange(2, TDlgInputMotion::MaxDataLines);
    s.headerLines = provider.ConsumeIntegralInRange(0, 50);
    s.valuesPerLine = provider.ConsumeIntegralInRange(2, 20);
    s.ua = kUaChoices[provider.ConsumeIntegralInRange<std::size_t>(0, kUaChoices.size() - 1)];
    s.units = provider.ConsumeIntegralInRange(1, 2);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const TCptReadSettings settings = Settings(provider);
    const auto conversion = static_cast<TCptConversion>(provider.ConsumeIntegralInRange(0, 2));
    const std::string text = provider.ConsumeRemainingBytesAsString();
    try {
        const std::vector<TFloatPoint> points = ReadCptPointsFromText(text, settings, conversion);
        VELDO_FUZZ_CHECK(static_cast<int>(points.size()) == settings.dataLines, "one point per data line");
        for (const TFloatPoint& p : points)
            VELDO_FUZZ_CHECK(std::isfinite(p.X) && std::isfinite(p.Y), "a point is finite");
    } catch (const EInOutError& e) {
        VELDO_FUZZ_CHECK(std::string_view(e.what()).starts_with("Error on Line "), "a read error names its line");
    } catch (const std::exception& e) {
        fuzz::UnexpectedException(e.what());
    }
    return 0;
}
