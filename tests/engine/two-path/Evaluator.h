// Turns a checked expression text into its result text and the faults met on the way.
//
// Operators are taken deepest parenthesis first, and within one depth by binding
// strength (# ^ % / * - +, leftmost first among equals); every intermediate value is
// written with six decimals and read back, so the values are the ones the calculator
// has always shown. The one exception is a power (or a root's trial power) of more
// than 64 steps: it is built by repeated squaring on purpose, so that no exponent can
// keep the program busy, and its last bits differ from those of 64 or more
// multiplications in a row. Here that order of work is reached in one pass over the
// text with two stacks, so the cost grows linearly with the length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace two_path {

enum class ComputeFault {
  DivisionByZero,    // a divisor that reads as zero, or zero to a negative power
  Overflow,          // a value beyond the range of doubles
  NegativeEvenRoot,  // an even root of a negative number
  ZeroDegreeRoot,    // a root of degree 0
};

// The text the user is shown for a fault ("Division to the zero!" and the others).
const char* ComputeFaultMessage(ComputeFault fault);
inline constexpr const char* kComputeFaultCaption = "Attention";

// One fault met by an evaluation, which went on with 0 in place of the value.
// `position` is the index, in the text as given, of the operator whose work met
// it; a number too large to read is met by the first operator that takes it, or,
// standing alone, at its own first digit.
struct FaultMet {
  ComputeFault kind;
  size_t position;
  bool operator==(const FaultMet& other) const { return kind == other.kind && position == other.position; }
};

struct Evaluation {
  std::string result;            // the value written with the number format
  std::vector<FaultMet> faults;  // in the order the passes reach them: see EvaluateExpression
};

// Work space of one evaluation. It is empty before and after every call; a caller
// that evaluates often may keep one to spare the allocations.
struct EvaluationStacks {
  struct PendingOperator {
    long long rank;   // depth * 8 + binding strength
    size_t position;  // in the text evaluated
    char op;
  };
  std::vector<double> operands;
  std::vector<PendingOperator> operators;
  std::string normalized;  // the text, when it has blanks, commas or line breaks
  bool empty() const { return operands.empty() && operators.empty(); }
};

// Evaluates a text that the checker has passed and writes the result with the
// number format. The faults come in the order in which operators are taken one at
// a time (deepest first, then the strongest, then the leftmost), whatever order the
// stacks meet them in. Any other text still ends and gives a text: one whose
// operands and operators do not alternate gives 0 and no faults.
Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks);
Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat);

// The same for a text with nothing to normalise, which is taken as it stands.
Evaluation EvaluateAsItStands(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks);

}  // namespace two_path
