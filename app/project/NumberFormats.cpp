#include "NumberFormats.h"

#include "NumText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace veldo {
namespace {

// A non-zero magnitude as its significant digits d1 d2 ... and the decimal exponent
// of d1, taken from the general form so that the rounding is the one of that path.
struct TDecimalDigits {
    std::string digits;
    int exponent = 0;
};

TDecimalDigits SplitGeneral(const std::string& text)
{
    std::string mantissa = text;
    int exponent = 0;
    if (const auto e = text.find('E'); e != std::string::npos) {
        mantissa = text.substr(0, e);
        exponent = static_cast<int>(parseInteger(text.substr(e + 1)).value_or(0));
    }
    const auto point = mantissa.find('.');
    const std::string whole = mantissa.substr(0, point);
    const std::string all = whole + (point == std::string::npos ? std::string() : mantissa.substr(point + 1));
    const auto lead = std::min(all.find_first_not_of('0'), all.size());
    return {all.substr(lead), static_cast<int>(whole.size()) - 1 - static_cast<int>(lead) + exponent};
}

} // namespace

std::string FormatGeneral10(long double value) { return formatGeneral10(value); }

std::string FormatExp(long double value, int digits, int exponentDigits)
{
    digits = std::max(digits, 1);
    if (!std::isfinite(value))
        return formatGeneral(value, digits);
    TDecimalDigits d;
    if (value != 0)
        d = SplitGeneral(formatGeneral(std::fabs(value), digits));
    d.digits.resize(static_cast<std::size_t>(digits), '0');
    std::string exponent = std::to_string(std::abs(d.exponent));
    if (static_cast<int>(exponent.size()) < exponentDigits)
        exponent.insert(0, static_cast<std::size_t>(exponentDigits) - exponent.size(), '0');
    std::string text = value < 0 ? "-" : "";
    text += d.digits.front();
    if (digits > 1)
        text += '.' + d.digits.substr(1);
    return text + 'E' + (d.exponent < 0 ? '-' : '+') + exponent;
}

std::string FormatExp3D2(long double value) { return FormatExp(value, 3, 2); }

std::string FormatExp3D1(long double value) { return FormatExp(value, 3, 1); }

} // namespace veldo
