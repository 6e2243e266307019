#include "MiscMath.h"
#include "MessageCatalogue.h"

#include "NumText.h"
#include "typecheck.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace veldo {

namespace {

// The rewritten text marks a unary minus with "~" and a binary minus with a byte
// that cannot be typed.
constexpr char kUnaryMinus = '~';
constexpr char kBinaryMinus = '\x9B';

constexpr TMsg kBlank = TMsg::EvalBlank;
constexpr TMsg kParentheses = TMsg::EvalParentheses;
constexpr TMsg kInvalidExpression = TMsg::EvalInvalidExpression;
constexpr TMsg kInvalidCharacters = TMsg::EvalInvalidCharacters;
constexpr TMsg kInvalidHex = TMsg::EvalInvalidHex;
constexpr TMsg kFactorial = TMsg::EvalFactorial;
constexpr TMsg kDivisionByZero = TMsg::EvalDivisionByZero;
constexpr TMsg kNotValid = TMsg::EvalNotValid;
constexpr TMsg kMissingOperator = TMsg::EvalMissingOperator;

[[noreturn]] void fail(TMsg reason) { throw EAssignError(MsgStd(TMsg::EntryNotEvaluated, MessageText(reason))); }

// Every computed value must stay a finite 80-bit real.
long double checked(long double value)
{
    if (!std::isfinite(value))
        fail(kNotValid);
    return value;
}

// Intermediate results go back into the text with 18 significant digits.
std::string asText(long double value) { return formatGeneral(value, 18); }

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Characters that may end an operand, and characters that may start one: two operands
// side by side have no operator between them.
bool endsOperand(char c) { return (c >= '0' && c <= '9') || isLetter(c) || c == '.' || c == ')' || c == '!'; }
bool startsOperand(char c) { return (c >= '0' && c <= '9') || isLetter(c) || c == '.' || c == '(' || c == '$'; }

// True when the letters of `text` that end just before `end` form a function name,
// which may stand before its operand.
bool functionNameEndsAt(std::string_view text, std::size_t end)
{
    std::size_t start = end;
    while (start > 0 && isLetter(text[start - 1]))
        --start;
    return start < end && IsFunctionName(lowerCase(text.substr(start, end - start)));
}

// Blanks and tabs may stand anywhere except between two operands: "2 3", "1 000" and
// "2 (3)" are refused rather than read as 23, 1000 and 6; "sin (0.5)" is a function
// applied to its operand.
void checkBlanks(std::string_view entry)
{
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (!isBlank(entry[i]) || i == 0 || isBlank(entry[i - 1]))
            continue;
        std::size_t next = i;
        while (next < entry.size() && isBlank(entry[next]))
            ++next;
        if (next < entry.size() && endsOperand(entry[i - 1]) && startsOperand(entry[next]) &&
            !functionNameEndsAt(entry, i))
            fail(kMissingOperator);
    }
}

struct Function {
    std::string_view name;
    long double (*apply)(long double);
};

// Tested in this order; a name matches the operand's leading characters, so the
// longer names come before the shorter ones they begin with.
const std::array<Function, 25> kFunctions{{
    {"arctanh", [](long double x) { return std::atanh(x); }},  {"arctan", [](long double x) { return std::atan(x); }},
    {"cotan", [](long double x) { return 1 / std::tan(x); }},  {"tanh", [](long double x) { return std::tanh(x); }},
    {"tan", [](long double x) { return std::tan(x); }},        {"arccosh", [](long double x) { return std::acosh(x); }},
    {"arccos", [](long double x) { return std::acos(x); }},    {"cosh", [](long double x) { return std::cosh(x); }},
    {"cosec", [](long double x) { return 1 / std::sin(x); }},  {"cos", [](long double x) { return std::cos(x); }},
    {"sec", [](long double x) { return 1 / std::cos(x); }},    {"arcsinh", [](long double x) { return std::asinh(x); }},
    {"arcsin", [](long double x) { return std::asin(x); }},    {"sinh", [](long double x) { return std::sinh(x); }},
    {"sin", [](long double x) { return std::sin(x); }},        {"csc", [](long double x) { return 1 / std::sin(x); }},
    {"abs", [](long double x) { return std::fabs(x); }},       {"frac", [](long double x) { return Frac(x); }},
    {"int", [](long double x) { return std::trunc(x); }},      {"ln", [](long double x) { return std::log(x); }},
    {"round", [](long double x) { return RoundHalfEven(x); }}, {"ceil", [](long double x) { return std::ceil(x); }},
    {"floor", [](long double x) { return std::floor(x); }},    {"log", [](long double x) { return std::log10(x); }},
    {"sqrt", [](long double x) { return std::sqrt(x); }},
}};

const Function* leadingFunction(std::string_view lowerOperand)
{
    for (const auto& f : kFunctions)
        if (lowerOperand.starts_with(f.name))
            return &f;
    return nullptr;
}

// Replaces the innermost parenthesised parts, first ")" first, by their values.
void resolveParentheses(std::string& text)
{
    for (auto close = text.find(')'); close != std::string::npos; close = text.find(')')) {
        const auto open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
        if (open == std::string::npos)
            fail(kParentheses);
        // "2(3)", "(1)(2)" and "(1)2": a value next to a parenthesised part needs an
        // operator; a function name before "(" takes it as its operand.
        if ((open > 0 && endsOperand(text[open - 1]) && !functionNameEndsAt(text, open)) ||
            (close + 1 < text.size() && startsOperand(text[close + 1])))
            fail(kMissingOperator);
        const long double inner = EvaluateEntry(std::string_view(text).substr(open + 1, close - open - 1));
        text.replace(open, close - open + 1, asText(inner));
    }
    if (text.find('(') != std::string::npos)
        fail(kParentheses);
}

// Tells unary from binary minus signs, so that "2*-3", "sin-1" and "1E-5" keep
// their signs while "5-3" subtracts.
void markMinusSigns(std::string& text)
{
    constexpr std::string_view unaryBefore = "%&*+/=E^e|~\x9B";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-')
            continue;
        const bool unary =
            i == 0 || unaryBefore.find(text[i - 1]) != std::string_view::npos || functionNameEndsAt(text, i);
        text[i] = unary ? kUnaryMinus : kBinaryMinus;
    }
}

constexpr std::string_view kOperators = "^*/%+\x9B=|&";

// An operand: its text, or, for an intermediate result whose 18-digit text would read
// back as exactly the same value, that value (no text made and read again).
struct Operand {
    std::string text;
    bool known = false;
    long double value = 0;
};

struct Expression {
    std::vector<Operand> operands;
    std::vector<char> operators;
};

long double valueOf(const Operand& operand) { return operand.known ? operand.value : ApplyFunction(operand.text); }

// An intermediate result goes on as its 18-digit text. A non-zero whole number below
// 10^18 is written with all its digits and reads back unchanged, so it is kept as it is
// (a long pasted sum then takes the same time per operator however large the total).
Operand intermediate(long double value)
{
    constexpr long double exactLimit = 1e18L;
    if (value != 0 && std::fabs(value) < exactLimit && std::trunc(value) == value)
        return {{}, true, value};
    return {asText(value), false, 0};
}

Expression split(const std::string& text)
{
    Expression e;
    // At most one operator between every two characters.
    e.operators.reserve(text.size() / 2);
    e.operands.reserve(text.size() / 2 + 1);
    std::size_t start = 0;
    for (auto pos = text.find_first_of(kOperators); pos != std::string::npos;
         pos = text.find_first_of(kOperators, start)) {
        e.operands.push_back({text.substr(start, pos - start)});
        e.operators.push_back(text[pos]);
        start = pos + 1;
    }
    e.operands.push_back({text.substr(start)});
    if (std::ranges::any_of(e.operands, [](const Operand& o) { return o.text.empty(); }))
        fail(kInvalidExpression);
    return e;
}

// Remainder of two operands truncated to 64-bit integers.
long double remainder64(long double a, long double b)
{
    constexpr long double limit = 9223372036854775808.0L; // 2^63
    const long double ta = std::trunc(a);
    const long double tb = std::trunc(b);
    if (ta < -limit || ta >= limit || tb < -limit || tb >= limit)
        fail(kNotValid);
    const auto ia = static_cast<std::int64_t>(ta);
    const auto ib = static_cast<std::int64_t>(tb);
    if (ib == 0)
        fail(kDivisionByZero);
    return ib == -1 ? 0.0L : static_cast<long double>(ia % ib);
}

long double applyOperator(char op, long double a, long double b)
{
    switch (op) {
    case '^':
        return checked(std::pow(a, b));
    case '*':
        return checked(a * b);
    case '/':
        if (b == 0)
            fail(kDivisionByZero);
        return checked(a / b);
    case '%':
        return remainder64(a, b);
    case '&':
        return (a != 0 && b != 0) ? 1 : 0;
    case '+':
        return checked(a + b);
    case kBinaryMinus:
        return checked(a - b);
    case '|':
        return (a != 0 || b != 0) ? 1 : 0;
    default:
        return a == b ? 1 : 0; // '='
    }
}

// Folds every operator of one precedence level, left to right, in one pass over the
// expression and in place (a long pasted sum takes linear time and no new lists).
void foldPass(Expression& e, std::string_view level)
{
    std::size_t kept = 0; // operators kept so far; operands[kept] is the running left operand
    for (std::size_t i = 0; i < e.operators.size(); ++i) {
        Operand& right = e.operands[i + 1];
        if (level.find(e.operators[i]) == std::string_view::npos) {
            e.operators[kept] = e.operators[i];
            ++kept;
            if (kept != i + 1)
                e.operands[kept] = std::move(right);
            continue;
        }
        e.operands[kept] = intermediate(applyOperator(e.operators[i], valueOf(e.operands[kept]), valueOf(right)));
    }
    e.operators.resize(kept);
    e.operands.resize(kept + 1);
}

long double hexValue(std::string_view digits)
{
    const bool allHex = !digits.empty() && std::ranges::all_of(digits, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    long long value = 0;
    if (!allHex || std::from_chars(digits.data(), digits.data() + digits.size(), value, 16).ec != std::errc())
        fail(kInvalidHex);
    return static_cast<long double>(value);
}

long double decimalValue(std::string number)
{
    // A unary-minus mark right after an exponent letter is the exponent's sign.
    for (std::size_t i = 1; i < number.size(); ++i)
        if (number[i] == kUnaryMinus && number[i - 1] == 'e')
            number[i] = '-';
    if (const auto value = parseFloat(number))
        return *value;
    fail(hasDecimalSyntax(number) ? kNotValid : kInvalidCharacters);
}

void deleteDoubleMinus(std::string& text)
{
    for (auto pos = text.find("--"); pos != std::string::npos; pos = text.find("--"))
        text.erase(pos, 2);
}

} // namespace

bool IsFunctionName(std::string_view lowerWord)
{
    return std::ranges::any_of(kFunctions, [&](const Function& f) { return f.name == lowerWord; });
}

long double Factorial(long double n)
{
    if (Frac(n) != 0)
        fail(kFactorial);
    const long double m = std::fabs(n);
    if (m > 1754) // 1755! lies beyond the 80-bit range
        fail(kNotValid);
    long double result = 1;
    for (long double k = 2; k <= m; ++k)
        result *= k;
    return n < 0 ? -result : result;
}

long double ApplyFunction(std::string_view operand)
{
    // A plain number (the common case) has nothing to peel off; up to 18 digits without
    // a point it is a whole number that reads exactly as an integer (the general reader
    // of reals costs far more).
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!operand.empty() && operand.size() <= 18 && std::ranges::all_of(operand, isDigit)) {
        long long whole = 0;
        std::from_chars(operand.data(), operand.data() + operand.size(), whole);
        return static_cast<long double>(whole);
    }
    if (!operand.empty() && std::ranges::all_of(operand, [&](char c) { return isDigit(c) || c == '.'; }))
        return decimalValue(std::string(operand));
    std::string op(operand);
    deleteDoubleMinus(op);
    op = lowerCase(op);
    // Unary minus signs and function names in front, "!" behind, apply from the
    // inside out. They are peeled off in a loop and applied afterwards, so that a
    // long chain of them (a pasted "-------1") cannot exhaust the stack.
    enum class Kind { Negate, Function, Factorial };
    struct Step {
        Kind kind;
        const Function* function;
    };
    std::vector<Step> steps;
    std::string_view rest = op;
    long double value = 0;
    for (;;) {
        if (rest.starts_with(kUnaryMinus)) {
            steps.push_back({Kind::Negate, nullptr});
            rest.remove_prefix(1);
        } else if (rest == "pi" || rest == "-pi") {
            value = rest.front() == '-' ? -std::numbers::pi_v<long double> : std::numbers::pi_v<long double>;
            break;
        } else if (rest == "e" || rest == "-e") {
            value = rest.front() == '-' ? -std::numbers::e_v<long double> : std::numbers::e_v<long double>;
            break;
        } else if (const Function* f = leadingFunction(rest)) {
            steps.push_back({Kind::Function, f});
            rest.remove_prefix(f->name.size());
        } else if (rest.ends_with('!')) {
            steps.push_back({Kind::Factorial, nullptr});
            rest.remove_suffix(1);
        } else {
            value = rest.starts_with('$') ? hexValue(rest.substr(1)) : decimalValue(std::string(rest));
            break;
        }
    }
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        switch (step->kind) {
        case Kind::Negate:
            value = -value;
            break;
        case Kind::Function:
            value = checked(step->function->apply(value));
            break;
        case Kind::Factorial:
            value = Factorial(value);
            break;
        }
    }
    return value;
}

long double EvaluateEntry(std::string_view entry)
{
    if (entry.empty())
        fail(kBlank);
    checkBlanks(entry);
    std::string text;
    for (char c : entry)
        if (!isBlank(c))
            text += c;
    // The binary-minus mark must not come from the user (it is also a byte of some
    // UTF-8 characters).
    if (text.find(kBinaryMinus) != std::string::npos)
        fail(kInvalidCharacters);
    resolveParentheses(text);
    markMinusSigns(text);
    Expression e = split(text);
    for (std::string_view level : {"^", "*/%&", "+\x9B|", "="})
        foldPass(e, level);
    return valueOf(e.operands.front());
}

} // namespace veldo
