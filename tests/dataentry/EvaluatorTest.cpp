// Expression evaluator: values of typed entries and every error text.
#include "MiscMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

using namespace veldo;

namespace {

struct ValueCase {
    const char* text;
    long double expected;
};

void expectValues(std::initializer_list<ValueCase> cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        long double got = 0;
        ASSERT_NO_THROW(got = EvaluateEntry(c.text));
        EXPECT_EQ(got, c.expected);
    }
}

std::string messageOf(const char* text)
{
    try {
        EvaluateEntry(text);
    } catch (const EAssignError& e) {
        return e.what();
    }
    return "(no error)";
}

const std::string kPrefix = "Entry could not be evaluated:\r";

} // namespace

TEST(Evaluator, ArithmeticAndPrecedence)
{
    expectValues({
        {"2*3^2", 18},     // 3^2 = 9 first, then 2*9
        {"2^3^2", 64},     // left to right: (2^3)^2 = 8^2
        {"2+3*4-6/2", 11}, // 2 + 12 - 3
        {"10-2-3", 5},     // (10-2)-3
        {"8/2/2", 2},      // (8/2)/2
        {"2*(3+4)", 14},     {"((1+2)*(3+4))", 21},
        {" 1 +\t2 * 3 ", 7},               // blanks and tabs are dropped
        {"7%3", 1},          {"-7%3", -1}, // remainder of truncated integers keeps the dividend's sign
        {"7.9%3.9", 1},                    // 7 % 3
        {"1=1", 1},          {"1=2", 0},
        {"1+1=2", 1}, // = binds weakest
        {"5&0", 0},          {"0&5", 0},
        {"2&3", 1},          {"0|5", 1},
        {"0|0", 0},          {"2^-1", 0.5L},
    });
}

TEST(Evaluator, MinusSigns)
{
    expectValues({
        {"-(2+3)", -5},
        {"2*-3", -6},
        {"3--2", 5},     // binary minus, then unary minus
        {"-2^2", 4},     // the unary minus belongs to the operand: (-2)^2
        {"3-(0-1)", 4},  // the value -1 is written back as "3--1"
        {"abs(-3)", 3},  // "abs-3": a minus after a function name is unary
        {"1E-5", 1e-5L}, // exponent sign
        {"1E-5*2", 2e-5L},
        {"(1/100000)*2", 2e-5L}, // 1E-5 written back into the text keeps its sign
        {"2.5e3", 2500},
    });
}

TEST(Evaluator, ConstantsFunctionsFactorialHex)
{
    constexpr long double pi = std::numbers::pi_v<long double>;
    expectValues({
        {"pi", pi},
        {"-pi", -pi},
        {"PI", pi},
        {"e", std::numbers::e_v<long double>},
        {"sin(0)", 0},
        {"cos(0)", 1},
        {"sec(0)", 1},
        {"tan0", 0},
        {"cosh(0)", 1},
        {"sinpi", std::sin(pi)},
        {"sqrt(2)", std::sqrt(2.0L)},
        {"SQRT(16)", 4},
        {"lne", std::log(std::numbers::e_v<long double>)},
        {"log(100)", std::log10(100.0L)},
        {"int(-2.7)", -2}, // towards zero
        {"frac(2.75)", 0.75L},
        {"round(2.5)", 2}, // halves to even
        {"round(3.5)", 4},
        {"round(-2.5)", -2},
        {"ceil(2.1)", 3},
        {"floor(-2.1)", -3},
        {"4!", 24},
        {"0!", 1},
        {"-4!", -24}, // "~4!": negation of 4!
        {"(2+3)!", 120},
        {"$FF", 255},
        {"$ff", 255},
        {"$10*2", 32},
        {"-$10", -16},
    });
    // 18 digits are kept between the passes: arctan(1)*4 = pi to 18 digits.
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("arctan(1)*4")), static_cast<double>(pi), 1e-15);
    // "(e)" is written back with 18 digits, so ln(e) is 1 to about 18 digits.
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("ln(e)")), 1.0, 1e-17);
    EXPECT_TRUE(std::isfinite(EvaluateEntry("1754!")));
    // Every intermediate result is rounded to 18 significant digits, also a whole
    // number: 999999999999999999 + 2 is kept as 1.00000000000000000E18, so the
    // difference is 2 less than the exact 999999999999999999.
    EXPECT_EQ(EvaluateEntry("999999999999999999+2-2"), 999999999999999998.0L);
    EXPECT_EQ(EvaluateEntry("123456789*1000000000+1-1"), 123456789000000000.0L);
    EXPECT_EQ(EvaluateEntry("0.1+0.2"), EvaluateEntry("0.3"));
    EXPECT_EQ(EvaluateEntry("1000000000000000000+0.5"), 1e18L);
}

TEST(Evaluator, ErrorTexts)
{
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"", "entry cannot be blank"},
        {"()", "entry cannot be blank"},
        {"1+2)", "() (parentheses) do not match"},
        {")1(", "() (parentheses) do not match"},
        {"(1+2", "() (parentheses) do not match"},
        {"2**3", "invalid expression"},
        {"2+", "invalid expression"},
        {"*2", "invalid expression"},
        {"  ", "invalid expression"},
        {"abc", "invalid character(s) in expression"},
        {"1,5", "invalid character(s) in expression"},
        {"2x", "invalid character(s) in expression"},
        {"sin", "invalid character(s) in expression"},
        {"1\x9B"
         "2",
         "invalid character(s) in expression"},
        {"$", "invalid use of $ (hex function)"},
        {"$G1", "invalid use of $ (hex function)"},
        {"$FFFFFFFFFFFFFFFFFF", "invalid use of $ (hex function)"},
        {"3.5!", "! (factoral) applicable to integers only"},
        {"5%0", "division by zero"},
        {"1/0", "division by zero"},
        {"0/0", "division by zero"},
        {"ln(0)", "result is not a valid number"},
        {"sqrt(-1)", "result is not a valid number"},
        {"10^5000", "result is not a valid number"},
        {"1E5000", "result is not a valid number"},
        {"1755!", "result is not a valid number"},
        {"1E30!", "result is not a valid number"},
        {"1E20%3", "result is not a valid number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(messageOf(c.text), kPrefix + c.reason);
    }
}

// Blanks and tabs go only where they separate nothing: two operands side by side
// are refused instead of being joined into one number.
TEST(Evaluator, OperandsSideBySideNeedAnOperator)
{
    for (const char* text : {"2 3", "1 000", "1\t2", "2(3+4)", "(1)(2)", "(1)2", "2 (3)", "(1) 2", "3!(2)", "pi (2)",
                             "1E 5", "((2)(3))"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(messageOf(text), kPrefix + "missing operator");
    }
    expectValues({{" 2 + 3 ", 5},
                  {"2 *\t-3", -6},
                  {"- 4", -4},
                  {"3 !", 6},
                  {"sin (0)", 0},
                  {"2*sqrt (4)", 4},
                  {"sqrt 4", 2},
                  {"-(2+3)", -5},
                  {"(1)+(2)", 3},
                  {"((1))", 1}});
}

TEST(Evaluator, HelperOperations)
{
    EXPECT_TRUE(IsFunctionName("sin"));
    EXPECT_TRUE(IsFunctionName("arctanh"));
    EXPECT_FALSE(IsFunctionName("si"));
    EXPECT_FALSE(IsFunctionName("pi"));
    EXPECT_FALSE(IsFunctionName("SIN")); // callers pass lower case

    EXPECT_EQ(ApplyFunction("~3"), -3);
    EXPECT_EQ(ApplyFunction("--3"), 3); // "--" is deleted first
    EXPECT_EQ(ApplyFunction("sqrt9"), 3);

    EXPECT_EQ(Factorial(5), 120);
    EXPECT_EQ(Factorial(-3), -6);
    EXPECT_THROW(Factorial(0.5L), EAssignError);
}

// A pasted entry of tens of thousands of signs or function names must be evaluated
// (or refused) with a message, never overflow the stack.
TEST(Evaluator, LongChainsOfSignsAndFunctions)
{
    // "1" followed by 200000 minus signs and "1": one binary minus, then 199999 unary
    // ones: 1 - (-1) = 2.
    EXPECT_EQ(EvaluateEntry("1" + std::string(200000, '-') + "1"), 2);
    // 300000 leading minus signs (an even count) leave the value as it is.
    EXPECT_EQ(EvaluateEntry(std::string(300000, '-') + "7"), 7);
    // 20000 chained "abs" of 2, and 10000 of "abs" of a unary minus: "abs-2".
    std::string chained;
    for (int i = 0; i < 20000; ++i)
        chained += "abs";
    EXPECT_EQ(EvaluateEntry(chained + "2"), 2);
    std::string absOfMinus;
    for (int i = 0; i < 10000; ++i)
        absOfMinus += "abs-";
    EXPECT_EQ(EvaluateEntry(absOfMinus + "2"), 2);
    // 3! = 6, 6! = 720: the suffixes apply from the inside out, after the prefix.
    EXPECT_EQ(EvaluateEntry("-3!!"), -720);
    EXPECT_EQ(messageOf("sqrt0.5!"), kPrefix + "! (factoral) applicable to integers only");
}
