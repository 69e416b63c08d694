// Turns a checked expression text into its result text.
//
// The value is exactly what the calculator has always computed: operators are
// taken deepest parenthesis first, and within one depth by binding strength
// (# ^ % / * - +, leftmost first among equals); every intermediate value is written
// with six decimals and read back. Here that order is reached in one pass over the
// text with two stacks, so the cost grows linearly with the length.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class ComputeFault {
  DivisionByZero,    // a divisor that reads as zero, or zero to a negative power
  Overflow,          // a value beyond the range of doubles
  NegativeEvenRoot,  // an even root of a negative number
  ZeroDegreeRoot,    // a root of degree 0
};

// The text the user is shown for a fault ("Division to the zero!" and the others).
const char* ComputeFaultMessage(ComputeFault fault);
inline constexpr const char* kComputeFaultCaption = "Attention";

// Called once per fault, in the order met; the evaluation then goes on with 0.
using ComputeFaultHandler = std::function<void(ComputeFault)>;

// Work space of one evaluation. It is empty before and after every call; a caller
// that evaluates often may keep one to spare the allocations.
struct EvaluationStacks {
  struct PendingOperator {
    long long rank;  // depth * 8 + binding strength
    char op;
  };
  std::vector<double> operands;
  std::vector<PendingOperator> operators;
  std::string normalized;  // the text, when it has blanks, commas or line breaks
  bool empty() const { return operands.empty() && operators.empty(); }
};

// Evaluates a text that the checker has passed and writes the result with the
// number format. Any other text still ends and gives a text: one whose operands and
// operators do not alternate gives 0.
std::string EvaluateExpression(std::string_view text, std::string_view numberFormat, const ComputeFaultHandler& onFault,
                               EvaluationStacks& stacks);
std::string EvaluateExpression(std::string_view text, std::string_view numberFormat,
                               const ComputeFaultHandler& onFault = {});

// The same for a text with nothing to normalise, which is taken as it stands.
std::string EvaluateAsItStands(std::string_view text, std::string_view numberFormat, const ComputeFaultHandler& onFault,
                               EvaluationStacks& stacks);
