// Expression evaluator behind every numeric entry: turns typed text such as
// "2*(3+4)", "sqrt2", "$FF" or "4!" into an 80-bit real by rewriting the text.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace veldo {

// Failure to turn an entry's text into a value. The evaluator's messages are
// "Entry could not be evaluated:" + CR + a reason; other users (grid columns)
// raise it with their own texts.
class EAssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Evaluates the text of a numeric entry; throws EAssignError.
long double EvaluateEntry(std::string_view text);

// True when a lower-case word is one of the evaluator's function names.
bool IsFunctionName(std::string_view lowerWord);

// Evaluates one operand: a number, a constant, a function name applied to the
// rest of the operand, a factorial or a hexadecimal number; throws EAssignError.
long double ApplyFunction(std::string_view operand);

// Factorial of a whole number keeping its sign ((-4)! is -24); throws
// EAssignError for a fractional part or a result beyond the 80-bit range.
long double Factorial(long double n);

} // namespace veldo
