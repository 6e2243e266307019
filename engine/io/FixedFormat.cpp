#include "FixedFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace veldo {
namespace {

// Gathers the text of a record in a local buffer and hands it to the string in
// large pieces: a record is a few dozen short fields and blank runs, and a
// string append for each of them costs more than formatting the numbers.
// flush() must end every use.
class RecordSink {
public:
    explicit RecordSink(std::string& out) : out_(out) {}
    RecordSink(const RecordSink&) = delete;
    RecordSink& operator=(const RecordSink&) = delete;

    void append(size_t count, char c)
    {
        while (count > 0) {
            if (used_ == kSize)
                flush();
            const size_t n = std::min(count, kSize - used_);
            std::fill_n(buf_.data() + used_, n, c);
            used_ += n;
            count -= n;
        }
    }
    void append(const char* s, size_t len)
    {
        if (len > kSize - used_) {
            flush();
            if (len > kSize) {
                out_.append(s, len);
                return;
            }
        }
        std::copy_n(s, len, buf_.data() + used_);
        used_ += len;
    }
    void append(std::string_view s) { append(s.data(), s.size()); }
    void flush()
    {
        out_.append(buf_.data(), used_);
        used_ = 0;
    }

private:
    static constexpr size_t kSize = 256;
    std::string& out_;
    std::array<char, kSize> buf_;
    size_t used_ = 0;
};

// Appends text right-justified in w columns; a text wider than the field gives
// w asterisks, or the whole text when the field may widen.
void appendJustified(RecordSink& out, const char* s, size_t len, int w, Overflow ov)
{
    const size_t width = static_cast<size_t>(std::max(w, 0));
    if (len > width) {
        if (ov == Overflow::Stars)
            out.append(width, '*');
        else
            out.append(s, len);
        return;
    }
    out.append(width - len, ' ');
    out.append(s, len);
}

bool appendNonFinite(RecordSink& out, double v, int w, Overflow ov)
{
    if (std::isfinite(v))
        return false;
    const char* text = std::isnan(v) ? "NaN" : (v < 0 ? "-Inf" : "Inf");
    if (ov == Overflow::Stars)
        out.append(static_cast<size_t>(std::max(w, 0)), '*');
    else
        appendJustified(out, text, std::char_traits<char>::length(text), w, ov);
    return true;
}

using u128 = unsigned __int128;

// 10^0 .. 10^38, all below 2^128.
constexpr auto kPow10 = [] {
    std::array<u128, 39> t{};
    u128 p = 1;
    for (auto& v : t) {
        v = p;
        p *= 10;
    }
    return t;
}();

u128 pow10u(int k) { return kPow10[static_cast<size_t>(std::clamp(k, 0, 38))]; }

// Splits a finite a > 0 into a = m x 2^q with 2^52 <= m < 2^53 (the same m and q
// as frexp followed by scaling the fraction by 2^53). A normal number holds them
// directly: the stored fraction with its hidden bit is m, and q is the biased
// exponent less 1075. Subnormal numbers are rare and normalised by frexp.
void splitDouble(double a, std::uint64_t& m, int& q)
{
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased != 0) {
        m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
        q = biased - 1075;
        return;
    }
    int ex = 0;
    const double f = std::frexp(a, &ex);
    m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    q = ex - 53;
}

// num / den rounded half to even.
u128 divRound(u128 num, u128 den)
{
    const u128 q = num / den;
    const u128 r = num % den;
    if (r > den - r || (r == den - r && (q & 1)))
        return q + 1;
    return q;
}

// num / den rounded half to even, in 64 bits (a 128-bit division is a slow
// library call; the report's values mostly fit in 64 bits).
std::uint64_t divRound64(std::uint64_t num, std::uint64_t den)
{
    const std::uint64_t q = num / den;
    const std::uint64_t r = num % den;
    if (r > den - r || (r == den - r && (q & 1)))
        return q + 1;
    return q;
}

// The rounding of scaledRound below, done in 64-bit integers when every
// intermediate value fits (m < 2^53); false otherwise.
bool scaledRound64(std::uint64_t m, int q, int k, u128& out)
{
    constexpr std::uint64_t kMax = ~std::uint64_t{0};
    if (k >= 0 && k <= 3 && q < 0 && q > -64) {
        // m x 10^k < 2^53 x 1000 < 2^63; division by 2^-q is a shift rounded
        // half to even on the bits shifted out.
        const std::uint64_t num = m * static_cast<std::uint64_t>(kPow10[static_cast<size_t>(k)]);
        const int shift = -q;
        const std::uint64_t kept = num >> shift;
        const std::uint64_t rest = num & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        out = kept + ((rest > half || (rest == half && (kept & 1))) ? 1 : 0);
        return true;
    }
    if (k < 0 && k >= -19 && q >= 0 && q <= 10) { // m x 2^q < 2^63, 10^-k < 2^64
        out = divRound64(m << q, static_cast<std::uint64_t>(kPow10[static_cast<size_t>(-k)]));
        return true;
    }
    if (k < 0 && k >= -19 && q < 0 && q > -64) {
        const auto ten = static_cast<std::uint64_t>(kPow10[static_cast<size_t>(-k)]);
        if (ten <= (kMax >> -q)) { // 10^-k x 2^-q < 2^64
            out = divRound64(m, ten << -q);
            return true;
        }
    }
    return false;
}

// a x 10^k rounded half to even, computed exactly on a = m x 2^q in 128-bit
// integers (64-bit ones when they suffice); false when the numbers would not fit.
bool scaledRound(std::uint64_t m, int q, int k, u128& out)
{
    if (scaledRound64(m, q, k, out))
        return true;
    if (k >= 0) {
        if (k > 22)
            return false;
        const u128 num = static_cast<u128>(m) * pow10u(k); // < 2^127
        if (q >= 0) {
            if (q > 127 - 53 - 74)
                return false;
            out = num << q;
            return true;
        }
        if (-q >= 127)
            return false;
        // Division by 2^-q: a shift, rounded half to even on the bits shifted out.
        const int shift = -q;
        const u128 kept = num >> shift;
        const u128 rest = num & ((static_cast<u128>(1) << shift) - 1);
        const u128 half = static_cast<u128>(1) << (shift - 1);
        out = kept + ((rest > half || (rest == half && (kept & 1))) ? 1 : 0);
        return true;
    }
    if (-k > 38)
        return false;
    if (q >= 0) {
        if (q > 127 - 53)
            return false;
        out = divRound(static_cast<u128>(m) << q, pow10u(-k));
        return true;
    }
    if (-k > 15 || -q > 60)
        return false;
    out = divRound(static_cast<u128>(m), pow10u(-k) << (-q));
    return true;
}

// Fast path of Fw.d: the fixed-point digits of a non-negative double, by exact
// integer arithmetic, the same text std::to_chars gives (rounded half to even).
// Returns nullptr when the value is out of this path's range (the caller then
// uses to_chars).
char* fastFixed(char* out, double a, int d)
{
    static constexpr double kLimit[] = {1e17, 1e16, 1e15, 1e14, 1e13, 1e12, 1e11, 1e10, 1e9};
    if (d < 0 || d > 8 || !(a < kLimit[d])) // the digits must fit in 64 bits
        return nullptr;
    unsigned long long units = 0;
    if (a > 0) {
        std::uint64_t m = 0;
        int q = 0;
        splitDouble(a, m, q);
        u128 r = 0;
        if (!scaledRound(m, q, d, r))
            return nullptr;
        units = static_cast<unsigned long long>(r);
    }
    // Whole part, then exactly d decimals (leading zeros kept) written from the right.
    const auto scale = static_cast<unsigned long long>(kPow10[static_cast<size_t>(d)]);
    unsigned long long fraction = units % scale;
    char* p = std::to_chars(out, out + 24, units / scale).ptr;
    if (d > 0) {
        *p++ = '.';
        for (int i = d - 1; i >= 0; --i) {
            p[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        p += d;
    }
    return p;
}

void appendF(RecordSink& out, double v, int w, int d, Overflow ov)
{
    if (appendNonFinite(out, v, w, ov))
        return;
    d = std::clamp(d, 0, 40);
    // buf[0] is kept for the sign.
    char buf[400];
    char* digits = buf + 1;
    char* end = fastFixed(digits, std::fabs(v), d); // the digits to_chars writes below, faster
    if (!end) {
        const auto r = std::to_chars(digits, buf + sizeof buf - 1, std::fabs(v), std::chars_format::fixed, d);
        if (r.ec != std::errc()) {
            out.append(static_cast<size_t>(std::max(w, 0)), '*');
            return;
        }
        end = r.ptr;
    }
    if (d == 0)
        *end++ = '.'; // Fw.0 keeps its decimal point: "2."
    // A negative value that rounds to zero prints without a sign.
    const bool negative = std::signbit(v) && std::any_of(digits, end, [](char c) { return c != '0' && c != '.'; });
    // The leading zero of a number below one is optional when the field is tight.
    if ((end - digits) + (negative ? 1 : 0) > w && end - digits > 1 && digits[0] == '0' && digits[1] == '.')
        ++digits;
    if (negative)
        *--digits = '-';
    appendJustified(out, digits, static_cast<size_t>(end - digits), w, ov);
}

// For a = m x 2^q (2^52 <= m < 2^53): floor(log10 a), or one less. With
// a = (1 + f) x 2^(q+52), 0 <= f < 1, and log2(1 + f) >= f, the bound
// (q + 52 + f) log10(2) is at most log10(a) and at most 0.026 below it; the
// margin of 1e-9 covers the rounding of this double arithmetic (below 1e-12),
// so the bound never passes an integer that log10(a) does not reach.
int decimalExponentLowerBound(std::uint64_t m, int q)
{
    const double f = static_cast<double>(m - (std::uint64_t{1} << 52)) / 4503599627370496.0; // / 2^52, exact
    const double bound = (q + 52 + f) * 0.30102999566398120 - 1e-9;
    int e = static_cast<int>(bound); // truncates toward zero: step down for negatives
    if (bound < e)
        --e;
    return e;
}

// Fast path of Ew.d: the d significant digits of a > 0 and the exponent of the
// 0.ddd form, by exact integer arithmetic, the same digits std::to_chars gives
// (correctly rounded half to even). False when the value lies outside this
// path's range (the caller then uses to_chars).
bool fastScientific(double a, int d, char* mantissa, int& digits, int& exponent)
{
    if (d > 15 || !(a > 0) || !std::isfinite(a))
        return false;
    std::uint64_t m = 0;
    int q = 0;
    splitDouble(a, m, q); // a = m x 2^q
    // e10 starts at a lower bound of floor(log10 a) that is at most one below
    // it. Starting one low costs a second attempt but gives the same digits:
    // the scaled value then lies at or above `high` and either carries (the
    // same "100.." as the exact exponent gives) or is retried one higher.
    int e10 = decimalExponentLowerBound(m, q);
    const u128 low = pow10u(d - 1);
    const u128 high = low * 10;
    for (int attempt = 0; attempt < 3; ++attempt) {
        u128 r = 0;
        if (!scaledRound(m, q, d - 1 - e10, r))
            return false;
        if (r == high) { // rounding carried into a new digit: 0.999.. -> 0.100E+1
            r = low;
            ++e10;
        } else if (r > high) {
            ++e10;
            continue;
        } else if (r < low) {
            --e10;
            continue;
        }
        const auto value = static_cast<std::uint64_t>(r);
        const auto res = std::to_chars(mantissa, mantissa + 20, value);
        digits = static_cast<int>(res.ptr - mantissa);
        exponent = e10 + 1;
        return true;
    }
    return false;
}

void appendE(RecordSink& out, double v, int w, int d, Overflow ov)
{
    if (appendNonFinite(out, v, w, ov))
        return;
    d = std::clamp(d, 1, 40);
    // d significant digits in scientific form ("9.99e+06"), then shifted to 0.ddd form.
    char mantissa[48];
    int digits = 0;
    int exponent = 0;
    const bool fast = v != 0 && fastScientific(std::fabs(v), d, mantissa, digits, exponent);
    if (fast) {
        // The integer path gave the digits and the exponent to_chars would give.
    } else if (v != 0) {
        char buf[96];
        const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, d - 1);
        const char* p = buf;
        for (; p < r.ptr && *p != 'e'; ++p)
            if (*p != '.')
                mantissa[digits++] = *p;
        int e10 = 0;
        if (p + 1 < r.ptr)
            std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, e10);
        exponent = e10 + 1;
    } else {
        std::fill(mantissa, mantissa + d, '0');
        digits = d;
    }
    const bool negative = std::signbit(v) && v != 0;
    const int ae = std::abs(exponent);
    char text[96];
    int n = 0;
    // "-0.ddd" with the leading zero only when the field has room for it.
    const int expLen = ae <= 9 ? 4 : (ae <= 99 ? 4 : 1 + (ae <= 999 ? 3 : 4));
    const bool leadingZero = (negative ? 1 : 0) + 2 + digits + expLen <= w;
    if (negative)
        text[n++] = '-';
    if (leadingZero)
        text[n++] = '0';
    text[n++] = '.';
    std::copy(mantissa, mantissa + digits, text + n);
    n += digits;
    // Exponent part: "E+dd" up to 99, "+ddd" beyond.
    if (ae <= 99)
        text[n++] = 'E';
    text[n++] = exponent < 0 ? '-' : '+';
    if (ae < 10)
        text[n++] = '0';
    n = static_cast<int>(std::to_chars(text + n, text + sizeof text, ae).ptr - text);
    appendJustified(out, text, static_cast<size_t>(n), w, ov);
}

void appendI(RecordSink& out, long long v, int w, int m, Overflow ov)
{
    const unsigned long long magnitude =
        v < 0 ? -static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    char digits[32];
    const auto r = std::to_chars(digits, digits + sizeof digits, magnitude);
    const int count = static_cast<int>(r.ptr - digits);
    m = std::clamp(m, 0, 40);
    char text[48];
    int n = 0;
    if (v < 0)
        text[n++] = '-';
    for (int z = count; z < m; ++z)
        text[n++] = '0';
    std::copy(digits, r.ptr, text + n);
    n += count;
    appendJustified(out, text, static_cast<size_t>(n), w, ov);
}

} // namespace

std::string blanks(int n) { return std::string(static_cast<size_t>(std::max(n, 0)), ' '); }

namespace {

// The text one field descriptor writes for a value.
template <typename Value> using Appender = void (*)(RecordSink&, Value, int, int, Overflow);
template <typename Value> std::string field(Appender<Value> append, Value v, int w, int d, Overflow ov)
{
    std::string out;
    RecordSink sink(out);
    append(sink, v, w, d, ov);
    sink.flush();
    return out;
}

} // namespace

std::string fmtF(long double v, int w, int d, Overflow ov) { return field(appendF, static_cast<double>(v), w, d, ov); }

std::string fmtE(long double v, int w, int d, Overflow ov) { return field(appendE, static_cast<double>(v), w, d, ov); }

std::string fmtI(long long v, int w, int m, Overflow ov) { return field(appendI, v, w, m, ov); }

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

    [[noreturn]] void fail(const char* why) const
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
    Writer(std::string& target, std::initializer_list<FmtArg> args, Overflow ov) : out(target), args_(args), ov_(ov) {}

    // Returns false when the values ran out at a data descriptor.
    bool run(const std::vector<Item>& items)
    {
        for (const Item& it : items) {
            for (int r = 0; r < it.count; ++r) {
                if (!one(it))
                    return false;
            }
        }
        return true;
    }
    bool valuesLeft() const { return next_ < args_.size(); }
    bool consumedAny() const { return next_ > 0; }
    RecordSink out;

private:
    std::initializer_list<FmtArg> args_;
    size_t next_ = 0;
    Overflow ov_;

    const FmtArg& take() { return *(args_.begin() + next_++); }

    bool one(const Item& it)
    {
        switch (it.type) {
        case Item::Type::Literal:
            out.append(it.text);
            return true;
        case Item::Type::Blank:
            out.append(static_cast<size_t>(std::max(it.w, 0)), ' ');
            return true;
        case Item::Type::Slash:
            out.append(1, '\n');
            return true;
        case Item::Type::Group:
            return run(it.group);
        default:
            break;
        }
        if (!valuesLeft())
            return false;
        const FmtArg& a = take();
        switch (it.type) {
        case Item::Type::I:
            if (a.kind != FmtArg::Kind::Int)
                throw std::invalid_argument("I descriptor needs an integer");
            appendI(out, a.i, it.w, it.d, ov_);
            break;
        case Item::Type::F:
        case Item::Type::E: {
            const double v = a.kind == FmtArg::Kind::Real ? a.r : static_cast<double>(a.i);
            if (a.kind == FmtArg::Kind::Text)
                throw std::invalid_argument("F/E descriptor needs a number");
            if (it.type == Item::Type::F)
                appendF(out, v, it.w, it.d, ov_);
            else
                appendE(out, v, it.w, it.d, ov_);
            break;
        }
        case Item::Type::A:
            if (a.kind != FmtArg::Kind::Text)
                throw std::invalid_argument("A descriptor needs a text");
            if (it.w < 0 || static_cast<int>(a.s.size()) >= it.w) {
                out.append(a.s.substr(0, it.w < 0 ? a.s.size() : static_cast<size_t>(it.w)));
            } else {
                out.append(static_cast<size_t>(it.w) - a.s.size(), ' ');
                out.append(a.s);
            }
            break;
        default:
            break;
        }
        return true;
    }
};

} // namespace

std::string fmt(std::string_view format, std::initializer_list<FmtArg> args, Overflow ov)
{
    std::string out;
    appendFmt(out, format, args, ov);
    return out;
}

void appendFmt(std::string& out, std::string_view format, std::initializer_list<FmtArg> args, Overflow ov)
{
    // Formats are a few hundred fixed texts used for thousands of rows: parse each
    // once. The cache is keyed by the text's address and checked against the text,
    // so a format built at run time is parsed again whenever its text differs.
    struct Parsed {
        std::string text;
        std::vector<Item> items;
    };
    thread_local std::unordered_map<const char*, Parsed> parsed;
    Parsed& entry = parsed[format.data()];
    if (entry.text != format || entry.items.empty()) {
        Parser p(format);
        entry.items = p.parseList(false);
        entry.text = std::string(format);
    }
    const std::vector<Item>& items = entry.items;
    Writer w(out, args, ov);
    for (;;) {
        const bool complete = w.run(items);
        if (!complete || !w.valuesLeft())
            break;
        if (!w.consumedAny())
            throw std::invalid_argument("format has no data descriptor for its values");
        w.out.append(1, '\n');
    }
    w.out.flush();
}

} // namespace veldo
