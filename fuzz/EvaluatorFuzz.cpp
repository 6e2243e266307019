// The expression evaluator of every numeric entry on fuzzed text: only EAssignError
// with the evaluator's message leaves it, a value is finite, and the value written
// with 18 significant digits evaluates to itself within the rounding of that text.
#include "FuzzSupport.h"

#include "MiscMath.h"
#include "NumText.h"

#include <cmath>
#include <limits>

namespace {

using namespace veldo;

constexpr std::string_view kMessageStart = "Entry could not be evaluated:\r";
// 18 significant digits of an 80-bit real.
constexpr long double kTextRounding = 1e-17L;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    long double value = 0;
    try {
        value = EvaluateEntry(text);
    } catch (const EAssignError& e) {
        VELDO_FUZZ_CHECK(std::string_view(e.what()).starts_with(kMessageStart), "the evaluator's message");
        return 0;
    } catch (const std::exception& e) {
        fuzz::UnexpectedException(e.what());
    }
    VELDO_FUZZ_CHECK(std::isfinite(value), "a value is finite");
    const std::string written = formatGeneral(value, 18);
    long double again = 0;
    try {
        again = EvaluateEntry(written);
    } catch (const std::exception& e) {
        fuzz::UnexpectedException(("the written value " + written + " does not evaluate: " + e.what()).c_str());
    }
    const long double tolerance = std::fabs(value) * kTextRounding + std::numeric_limits<long double>::denorm_min();
    VELDO_FUZZ_CHECK(std::fabs(again - value) <= tolerance, "the written value evaluates to itself");
    return 0;
}
