#include "NumText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace veldo {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Significant digits (trailing zeros removed) and decimal exponent of a finite,
// non-zero value rounded to `digits` significant digits: value = d.ddd x 10^exponent.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(long double magnitude, int digits)
{
    std::array<char, 64> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific, digits - 1);
    const std::string_view text(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const auto ePos = text.find('e');
    Decimal d;
    for (char c : text.substr(0, ePos))
        if (isDigit(c))
            d.digits += c;
    const auto expText = text.substr(ePos + 1);
    const char* first = expText.data() + (expText.front() == '+' ? 1 : 0);
    std::from_chars(first, expText.data() + expText.size(), d.exponent);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string scientific(const Decimal& d)
{
    std::string out(1, d.digits.front());
    if (d.digits.size() > 1)
        out += '.' + d.digits.substr(1);
    return out + 'E' + std::to_string(d.exponent);
}

std::string fixed(const Decimal& d)
{
    if (d.exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    const auto intLen = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= intLen)
        return d.digits + std::string(intLen - d.digits.size(), '0');
    return d.digits.substr(0, intLen) + '.' + d.digits.substr(intLen);
}

// Order of magnitude of a syntactically valid decimal text, used only to tell an
// overflowing literal from an underflowing one.
long long orderOfMagnitude(std::string_view t)
{
    long long exp = 0;
    const auto ePos = t.find_first_of("eE");
    if (ePos != std::string_view::npos) {
        for (char c : t.substr(ePos + 1))
            if (isDigit(c) && exp < 1'000'000'000)
                exp = exp * 10 + (c - '0');
        if (t.substr(ePos + 1).starts_with('-'))
            exp = -exp;
        t = t.substr(0, ePos);
    }
    const auto point = t.find('.');
    const auto intPart = t.substr(0, point);
    const auto firstSig = intPart.find_first_not_of("+-0");
    if (firstSig != std::string_view::npos)
        return exp + static_cast<long long>(intPart.size() - firstSig) - 1;
    if (point == std::string_view::npos)
        return exp;
    const auto frac = t.substr(point + 1);
    const auto lead = frac.find_first_not_of('0');
    return exp - static_cast<long long>(lead == std::string_view::npos ? 0 : lead) - 1;
}

} // namespace

bool hasDecimalSyntax(std::string_view t)
{
    std::size_t i = 0;
    // Moves i past a run of digits and tells how many there were.
    const auto skipDigits = [&t, &i] {
        const std::size_t start = i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        return i - start;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t mantissaDigits = skipDigits();
    if (i < t.size() && t[i] == '.') {
        ++i;
        mantissaDigits += skipDigits();
    }
    if (mantissaDigits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (skipDigits() == 0)
            return false;
    }
    return i == t.size();
}

std::string formatGeneral(long double value, int digits)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    const int precision = digits < 1 ? 1 : (digits > 18 ? 18 : digits);
    const Decimal d = toDecimal(std::fabs(value), precision);
    const bool useExponent = d.exponent < -4 || d.exponent >= precision;
    std::string text = useExponent ? scientific(d) : fixed(d);
    if (value < 0)
        text.insert(text.begin(), '-');
    return text;
}

std::optional<long double> parseFloat(std::string_view text)
{
    if (!hasDecimalSyntax(text))
        return std::nullopt;
    const std::string_view body = text.front() == '+' ? text.substr(1) : text;
    long double value = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (orderOfMagnitude(body) > 0)
            return std::nullopt;
        return body.front() == '-' ? -0.0L : 0.0L;
    }
    if (res.ec != std::errc() || res.ptr != body.data() + body.size())
        return std::nullopt;
    return value;
}

std::optional<long long> parseInteger(std::string_view text)
{
    const bool plus = !text.empty() && text.front() == '+';
    const std::string_view body = plus ? text.substr(1) : text;
    if (body.empty() || (plus && body.front() == '-'))
        return std::nullopt;
    long long value = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), value);
    if (res.ec != std::errc() || res.ptr != body.data() + body.size())
        return std::nullopt;
    return value;
}

} // namespace veldo
