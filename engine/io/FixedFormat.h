// Fixed-column output in edit-descriptor notation (nX, Iw, Iw.m, Fw.d, Ew.d, A, Aw,
// quoted text, "/", repeat counts and parenthesised groups), locale-independent.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace veldo {

// What to do when a number does not fit its field: the report prints asterisks
// like the notation does; the plot-data file widens the field so every number
// stays readable.
enum class Overflow { Stars, Widen };

// One value handed to a format: an integer, a real or a text. Reals are
// printed as 64-bit values (the engine's reals are doubles; a long double is
// rounded to double, which keeps the x87 unit out of the formatting).
struct FmtArg {
    enum class Kind { Int, Real, Text };
    Kind kind;
    long long i = 0;
    double r = 0;
    std::string_view s;

    FmtArg(int v) : kind(Kind::Int), i(v) {}
    FmtArg(long v) : kind(Kind::Int), i(v) {}
    FmtArg(long long v) : kind(Kind::Int), i(v) {}
    FmtArg(double v) : kind(Kind::Real), r(v) {}
    FmtArg(long double v) : kind(Kind::Real), r(static_cast<double>(v)) {}
    FmtArg(const char* v) : kind(Kind::Text), s(v) {}
    FmtArg(std::string_view v) : kind(Kind::Text), s(v) {}
    FmtArg(const std::string& v) : kind(Kind::Text), s(v) {}
};

// Single edit descriptors.
std::string fmtF(long double v, int w, int d, Overflow ov = Overflow::Stars);
std::string fmtE(long double v, int w, int d, Overflow ov = Overflow::Stars);
std::string fmtI(long long v, int w, int m = 0, Overflow ov = Overflow::Stars);
std::string fmtA(std::string_view s, int w); // leftmost w characters, right-justified when shorter
std::string blanks(int n);

// Applies a whole format such as "5X,'DEPTH',F10.2,/,3(I5,E12.4)" to the values.
// "/" starts a new line ("\n"); the result carries no final newline. When values
// remain after the last descriptor, a new line starts and the format is reused
// from the start; output stops at the first data descriptor without a value.
// Throws std::invalid_argument on a malformed format or a value of the wrong kind.
std::string fmt(std::string_view format, std::initializer_list<FmtArg> args, Overflow ov = Overflow::Stars);
// The same record appended to `out` (a caller writing many records reuses one buffer).
void appendFmt(std::string& out, std::string_view format, std::initializer_list<FmtArg> args,
               Overflow ov = Overflow::Stars);

} // namespace veldo
