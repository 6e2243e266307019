#include "FixedFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace veldo {
namespace {

std::string stars(int w) { return std::string(static_cast<size_t>(std::max(w, 0)), '*'); }

std::string rightJustify(std::string s, int w, Overflow ov)
{
    if (static_cast<int>(s.size()) > w)
        return ov == Overflow::Stars ? stars(w) : s;
    return std::string(static_cast<size_t>(w) - s.size(), ' ') + s;
}

// Decimal digits of |v| rounded to d places, as "123.45" (no sign).
std::string fixedDigits(long double v, int d)
{
    char buf[256];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, d);
    if (r.ec != std::errc())
        return std::string(300, '9'); // far too wide for any field: overflows
    return std::string(buf, r.ptr);
}

bool allZeroDigits(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c == '0' || c == '.'; });
}

} // namespace

std::string blanks(int n) { return std::string(static_cast<size_t>(std::max(n, 0)), ' '); }

std::string fmtF(long double v, int w, int d, Overflow ov)
{
    if (!std::isfinite(v))
        return ov == Overflow::Stars ? stars(w) : rightJustify(std::isnan(v) ? "NaN" : (v < 0 ? "-Inf" : "Inf"), w, ov);
    std::string digits = fixedDigits(v, d);
    if (d == 0)
        digits += '.'; // Fw.0 keeps its decimal point: "2."
    // A negative value that rounds to zero prints without a sign.
    const bool negative = std::signbit(v) && !allZeroDigits(digits);
    std::string text = (negative ? "-" : "") + digits;
    // The leading zero of a number below one is optional when the field is tight.
    if (static_cast<int>(text.size()) > w && digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        text = (negative ? "-" : "") + digits.substr(1);
    return rightJustify(text, w, ov);
}

std::string fmtE(long double v, int w, int d, Overflow ov)
{
    if (!std::isfinite(v))
        return ov == Overflow::Stars ? stars(w) : rightJustify(std::isnan(v) ? "NaN" : (v < 0 ? "-Inf" : "Inf"), w, ov);
    d = std::max(d, 1);
    int exponent = 0;
    std::string mantissa(static_cast<size_t>(d), '0');
    if (v != 0) {
        // d significant digits in scientific form, then shift to the 0.ddd form.
        char buf[128];
        auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, d - 1);
        std::string sci(buf, r.ptr); // e.g. "9.99e+06"
        const auto epos = sci.find('e');
        std::string m = sci.substr(0, epos);
        m.erase(std::remove(m.begin(), m.end(), '.'), m.end());
        int e10 = 0;
        std::from_chars(sci.data() + epos + 1 + (sci[epos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), e10);
        mantissa = m;
        exponent = e10 + 1;
    }
    const bool negative = std::signbit(v) && v != 0;
    std::string exp;
    const int ae = std::abs(exponent);
    const char sign = exponent < 0 ? '-' : '+';
    if (ae <= 99) {
        exp = std::string("E") + sign + (ae < 10 ? "0" : "") + std::to_string(ae);
    } else {
        exp = std::string(1, sign) + std::to_string(ae);
    }
    std::string text = std::string(negative ? "-" : "") + "0." + mantissa + exp;
    if (static_cast<int>(text.size()) > w)
        text = std::string(negative ? "-" : "") + "." + mantissa + exp;
    return rightJustify(text, w, ov);
}

std::string fmtI(long long v, int w, int m, Overflow ov)
{
    std::string digits = std::to_string(v < 0 ? -static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v));
    if (static_cast<int>(digits.size()) < m)
        digits.insert(0, static_cast<size_t>(m) - digits.size(), '0');
    if (m == 0 && v == 0 && w > 0)
        digits = "0";
    return rightJustify((v < 0 ? "-" : "") + digits, w, ov);
}

std::string fmtA(std::string_view s, int w)
{
    if (w < 0)
        return std::string(s);
    if (static_cast<int>(s.size()) >= w)
        return std::string(s.substr(0, static_cast<size_t>(w)));
    return blanks(w - static_cast<int>(s.size())) + std::string(s);
}

namespace {

// Parsed format: a tree of items, each repeated `count` times.
struct Item {
    enum class Type { Literal, Blank, Slash, I, F, E, A, Group };
    Type type = Type::Literal;
    int count = 1;
    int w = -1;
    int d = 0;
    std::string text;
    std::vector<Item> group;
};

class Parser {
public:
    explicit Parser(std::string_view f) : f_(f) {}

    std::vector<Item> parseList(bool inGroup)
    {
        std::vector<Item> items;
        for (;;) {
            skipSpaces();
            if (pos_ >= f_.size()) {
                if (inGroup)
                    fail("unclosed group");
                return items;
            }
            const char c = f_[pos_];
            if (c == ')') {
                if (!inGroup)
                    fail("unexpected ')'");
                ++pos_;
                return items;
            }
            if (c == ',') {
                ++pos_;
                continue;
            }
            if (c == '/') {
                ++pos_;
                Item slash;
                slash.type = Item::Type::Slash;
                items.push_back(slash);
                continue;
            }
            items.push_back(parseItem());
        }
    }

private:
    std::string_view f_;
    size_t pos_ = 0;

    [[noreturn]] void fail(const char *why) const
    {
        throw std::invalid_argument("bad format \"" + std::string(f_) + "\": " + why);
    }
    void skipSpaces()
    {
        while (pos_ < f_.size() && f_[pos_] == ' ')
            ++pos_;
    }
    int number()
    {
        int n = 0;
        const size_t start = pos_;
        while (pos_ < f_.size() && f_[pos_] >= '0' && f_[pos_] <= '9')
            n = n * 10 + (f_[pos_++] - '0');
        return pos_ == start ? -1 : n;
    }

    Item parseItem()
    {
        const int count = number();
        skipSpaces();
        if (pos_ >= f_.size())
            fail("descriptor expected");
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(f_[pos_])));
        Item it;
        it.count = count < 0 ? 1 : count;
        if (c == '\'' || c == '"') {
            const char q = f_[pos_++];
            for (;;) {
                if (pos_ >= f_.size())
                    fail("unclosed text");
                if (f_[pos_] == q) {
                    if (pos_ + 1 < f_.size() && f_[pos_ + 1] == q) {
                        it.text += q;
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                it.text += f_[pos_++];
            }
            return it;
        }
        ++pos_;
        switch (c) {
        case '(':
            it.type = Item::Type::Group;
            it.group = parseList(true);
            return it;
        case 'X':
            if (count < 0)
                fail("X needs a count");
            it.type = Item::Type::Blank;
            it.w = count;
            it.count = 1;
            return it;
        case 'I':
            it.type = Item::Type::I;
            it.w = number();
            if (it.w < 0)
                fail("I needs a width");
            if (pos_ < f_.size() && f_[pos_] == '.') {
                ++pos_;
                it.d = number();
            }
            return it;
        case 'F':
        case 'E':
            it.type = c == 'F' ? Item::Type::F : Item::Type::E;
            it.w = number();
            if (it.w < 0 || pos_ >= f_.size() || f_[pos_] != '.')
                fail("F and E need w.d");
            ++pos_;
            it.d = number();
            if (it.d < 0)
                fail("F and E need w.d");
            return it;
        case 'A':
            it.type = Item::Type::A;
            it.w = number();
            return it;
        default:
            fail("unknown descriptor");
        }
    }
};

class Writer {
public:
    Writer(std::initializer_list<FmtArg> args, Overflow ov) : args_(args), ov_(ov) {}

    // Returns false when the values ran out at a data descriptor.
    bool run(const std::vector<Item> &items)
    {
        for (const Item &it : items) {
            for (int r = 0; r < it.count; ++r) {
                if (!one(it))
                    return false;
            }
        }
        return true;
    }
    bool valuesLeft() const { return next_ < args_.size(); }
    bool consumedAny() const { return next_ > 0; }
    std::string out;

private:
    std::initializer_list<FmtArg> args_;
    size_t next_ = 0;
    Overflow ov_;

    const FmtArg &take() { return *(args_.begin() + next_++); }

    bool one(const Item &it)
    {
        switch (it.type) {
        case Item::Type::Literal: out += it.text; return true;
        case Item::Type::Blank: out += blanks(it.w); return true;
        case Item::Type::Slash: out += '\n'; return true;
        case Item::Type::Group: return run(it.group);
        default: break;
        }
        if (!valuesLeft())
            return false;
        const FmtArg &a = take();
        switch (it.type) {
        case Item::Type::I:
            if (a.kind != FmtArg::Kind::Int)
                throw std::invalid_argument("I descriptor needs an integer");
            out += fmtI(a.i, it.w, it.d, ov_);
            break;
        case Item::Type::F:
        case Item::Type::E: {
            long double v = a.kind == FmtArg::Kind::Real ? a.r : static_cast<long double>(a.i);
            if (a.kind == FmtArg::Kind::Text)
                throw std::invalid_argument("F/E descriptor needs a number");
            out += it.type == Item::Type::F ? fmtF(v, it.w, it.d, ov_) : fmtE(v, it.w, it.d, ov_);
            break;
        }
        case Item::Type::A:
            if (a.kind != FmtArg::Kind::Text)
                throw std::invalid_argument("A descriptor needs a text");
            out += fmtA(a.s, it.w);
            break;
        default: break;
        }
        return true;
    }
};

} // namespace

std::string fmt(std::string_view format, std::initializer_list<FmtArg> args, Overflow ov)
{
    Parser p(format);
    const std::vector<Item> items = p.parseList(false);
    Writer w(args, ov);
    for (;;) {
        const bool complete = w.run(items);
        if (!complete || !w.valuesLeft())
            break;
        if (!w.consumedAny())
            throw std::invalid_argument("format has no data descriptor for its values");
        w.out += '\n';
    }
    return w.out;
}

} // namespace veldo
