#include "Evaluator.h"

#include <cmath>

#include "Arithmetic.h"
#include "CharClasses.h"
#include "NumberText.h"

const char* ComputeFaultMessage(ComputeFault fault) {
  switch (fault) {
    case ComputeFault::DivisionByZero: return "Division to the zero!";
    case ComputeFault::Overflow: return "The number is too large!";
    case ComputeFault::NegativeEvenRoot: return "No even root of a negative number!";
    case ComputeFault::ZeroDegreeRoot: return "No root of degree zero!";
  }
  return "";
}

namespace {

// Operators of one parenthesis depth bind tighter than every operator outside it.
constexpr long long kStrengthsPerDepth = 8;

class Reduction {
public:
  Reduction(EvaluationStacks& stacks, const ComputeFaultHandler& onFault) : m_stacks(stacks), m_onFault(onFault) {}

  // Runs the whole normalised text through the two stacks and leaves its value as
  // the one operand. False when operands and operators do not alternate, which
  // only a text the checker rejects can do.
  bool Run(std::string_view text) {
    size_t i = 0;
    bool expectOperand = true;
    long long depth = 0;

    // A sign at the very start: "+5" is 5, "-5" is 0-5.
    if (!text.empty() && text[0] == '+') {
      ++i;
    } else if (!text.empty() && text[0] == '-') {
      PushOperand(0);
      expectOperand = false;
    }

    while (i < text.size()) {
      const char ch = text[i];
      if (IsNumberChar(ch)) {
        if (!expectOperand) return false;
        size_t length = 0;
        PushOperand(ReadLeadingNumber(text.substr(i), length));
        expectOperand = false;
        i += length;
        continue;
      }
      if (ch == '(') {
        if (!expectOperand) return false;
        ++depth;
        // A sign after an opening parenthesis: "(-5)" is (0-5), "(+5)" is (0+5).
        if (i + 1 < text.size() && (text[i + 1] == '-' || text[i + 1] == '+')) {
          PushOperand(0);
          expectOperand = false;
        }
      } else if (ch == ')') {
        if (expectOperand) return false;
        --depth;
      } else {
        const int strength = GetOperatorCode(ch);
        if (strength == 0 || expectOperand) return false;
        // Deeper operators first, then the stronger; among equals the leftmost.
        const long long rank = depth * kStrengthsPerDepth + strength;
        while (!m_stacks.operators.empty() && m_stacks.operators.back().rank >= rank)
          ReduceTop();
        m_stacks.operators.push_back({rank, ch});
        expectOperand = true;
      }
      ++i;
    }
    if (expectOperand) return false;
    while (!m_stacks.operators.empty())
      ReduceTop();
    return true;
  }

private:
  // Every intermediate value is written with six decimals and read back, as the
  // calculator has always done. An integral value survives that unchanged, so
  // the text is spared there.
  static double RoundTripIntermediate(double value) {
    if (value == std::trunc(value)) return value;
    return RoundTripSixDecimals(value);
  }

  void PushOperand(double value) { m_stacks.operands.push_back(Checked(value)); }

  // Takes the operator on top of the stack with its two operands and leaves the
  // value in their place.
  void ReduceTop() {
    const char op = m_stacks.operators.back().op;
    m_stacks.operators.pop_back();
    const double r = m_stacks.operands.back();
    m_stacks.operands.pop_back();
    double& l = m_stacks.operands.back();
    l = RoundTripIntermediate(Checked(Apply(op, l, r)));
  }

  double Apply(char op, double l, double r) {
    switch (op) {
      case '+': return l + r;
      case '-': return l - r;
      case '*': return l * r;
      case '/':
        if (r == 0) return Fault(ComputeFault::DivisionByZero);
        return l / r;
      case '%': return (l * 0.01) * r;
      case '^': {
        const int n = TruncateToInt32(r);
        if (l == 0 && n < 0) return Fault(ComputeFault::DivisionByZero);
        return Power(l, n);
      }
      case '#': {
        const int n = TruncateToInt32(r);
        if (n == 0) return Fault(ComputeFault::ZeroDegreeRoot);
        if (l < 0 && n % 2 == 0) return Fault(ComputeFault::NegativeEvenRoot);
        if (l == 0 && n < 0) return Fault(ComputeFault::DivisionByZero);
        return Root(l, n);
      }
    }
    return 0;
  }

  // A value beyond the range of doubles is never carried on: it is reported and
  // counts as 0, like a division by zero.
  double Checked(double value) {
    if (std::isfinite(value)) return value;
    return Fault(ComputeFault::Overflow);
  }

  double Fault(ComputeFault fault) {
    if (m_onFault) m_onFault(fault);
    return 0.0;
  }

  EvaluationStacks& m_stacks;
  const ComputeFaultHandler& m_onFault;
};

}  // namespace

std::string EvaluateExpression(std::string_view text, std::string_view numberFormat, const ComputeFaultHandler& onFault,
                               EvaluationStacks& stacks) {
  if (NeedsNormalizing(text)) {
    stacks.normalized.assign(text);
    NormalizeExpression(stacks.normalized);
    text = stacks.normalized;
  }
  return EvaluateAsItStands(text, numberFormat, onFault, stacks);
}

std::string EvaluateAsItStands(std::string_view text, std::string_view numberFormat, const ComputeFaultHandler& onFault,
                               EvaluationStacks& stacks) {
  stacks.operands.clear();
  stacks.operators.clear();

  const double value = Reduction(stacks, onFault).Run(text) ? stacks.operands.back() : 0.0;

  stacks.operands.clear();
  stacks.operators.clear();
  return FormatNumber(numberFormat, value);
}

std::string EvaluateExpression(std::string_view text, std::string_view numberFormat,
                               const ComputeFaultHandler& onFault) {
  EvaluationStacks stacks;
  return EvaluateExpression(text, numberFormat, onFault, stacks);
}
