#include "Evaluator.h"

#include <algorithm>
#include <cmath>

#include "Arithmetic.h"
#include "CharClasses.h"
#include "NumberText.h"

namespace two_path {

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

// A fault as the stacks meet it, with the place its operator has in the order of
// passes: deeper first, then stronger, then further left.
struct RankedFault {
  long long rank;
  FaultMet fault;  // at the position of its operator
  bool TakenBefore(const RankedFault& other) const {
    return rank != other.rank ? rank > other.rank : fault.position < other.fault.position;
  }
};

class Reduction {
public:
  explicit Reduction(EvaluationStacks& stacks) : m_stacks(stacks) {}

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
      m_stacks.operands.push_back(0);
      expectOperand = false;
    }

    size_t lastNumberAt = 0;
    while (i < text.size()) {
      const char ch = text[i];
      if (IsNumberChar(ch)) {
        if (!expectOperand) return false;
        size_t length = 0;
        // A number too large to read stays an infinity on the stack until an
        // operator takes it: that is when the passes read it.
        m_stacks.operands.push_back(ReadLeadingNumber(text.substr(i), length));
        lastNumberAt = i;
        expectOperand = false;
        i += length;
        continue;
      }
      if (ch == '(') {
        if (!expectOperand) return false;
        ++depth;
        // A sign after an opening parenthesis: "(-5)" is (0-5), "(+5)" is (0+5).
        if (i + 1 < text.size() && (text[i + 1] == '-' || text[i + 1] == '+')) {
          m_stacks.operands.push_back(0);
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
        m_stacks.operators.push_back({rank, i, ch});
        expectOperand = true;
      }
      ++i;
    }
    if (expectOperand) return false;
    while (!m_stacks.operators.empty())
      ReduceTop();
    // Only a number that no operator took can still be an infinity.
    double& value = m_stacks.operands.back();
    if (!std::isfinite(value)) value = Fault(0, lastNumberAt, ComputeFault::Overflow);
    return true;
  }

  // The faults met, in the order in which the passes would have reached them.
  std::vector<FaultMet> FaultsInOrderOfPasses() {
    std::stable_sort(m_faults.begin(), m_faults.end(),
                     [](const RankedFault& a, const RankedFault& b) { return a.TakenBefore(b); });
    std::vector<FaultMet> faults;
    faults.reserve(m_faults.size());
    for (const RankedFault& ranked : m_faults)
      faults.push_back(ranked.fault);
    return faults;
  }

private:
  using PendingOperator = EvaluationStacks::PendingOperator;

  // Every intermediate value is written with six decimals and read back, as the
  // calculator has always done. An integral value survives that unchanged, so
  // the text is spared there.
  static double RoundTripIntermediate(double value) {
    if (value == std::trunc(value)) return value;
    return RoundTripSixDecimals(value);
  }

  // Takes the operator on top of the stack with its two operands and leaves the
  // value in their place. Its faults come in the order the passes meet them: the
  // left operand read, the right one, then the operation.
  void ReduceTop() {
    const PendingOperator op = m_stacks.operators.back();
    m_stacks.operators.pop_back();
    double right = m_stacks.operands.back();
    m_stacks.operands.pop_back();
    double& value = m_stacks.operands.back();
    double left = value;
    if (!std::isfinite(left) || !std::isfinite(right)) [[unlikely]] {
      left = Read(op, left);
      right = Read(op, right);
    }
    value = RoundTripIntermediate(Read(op, Apply(op, left, right)));
  }

  // A value beyond the range of doubles is never carried on: it is reported and
  // counts as 0, like a division by zero.
  double Read(const PendingOperator& op, double value) {
    if (std::isfinite(value)) [[likely]]
      return value;
    return Fault(op, ComputeFault::Overflow);
  }

  double Apply(const PendingOperator& op, double l, double r) {
    switch (op.op) {
      case '+': return l + r;
      case '-': return l - r;
      case '*': return l * r;
      case '/':
        if (r == 0) return Fault(op, ComputeFault::DivisionByZero);
        return l / r;
      case '%': return (l * 0.01) * r;
      case '^': {
        const int n = TruncateToInt32(r);
        if (l == 0 && n < 0) return Fault(op, ComputeFault::DivisionByZero);
        return Power(l, n);
      }
      case '#': {
        const int n = TruncateToInt32(r);
        if (n == 0) return Fault(op, ComputeFault::ZeroDegreeRoot);
        if (l < 0 && n % 2 == 0) return Fault(op, ComputeFault::NegativeEvenRoot);
        if (l == 0 && n < 0) return Fault(op, ComputeFault::DivisionByZero);
        return Root(l, n);
      }
    }
    return 0;
  }

  double Fault(const PendingOperator& op, ComputeFault kind) { return Fault(op.rank, op.position, kind); }
  // Out of the way of the reductions, which meet a fault rarely.
  [[gnu::noinline, gnu::cold]] double Fault(long long rank, size_t at, ComputeFault kind) {
    m_faults.push_back({rank, {kind, at}});
    return 0.0;
  }

  EvaluationStacks& m_stacks;
  std::vector<RankedFault> m_faults;
};

}  // namespace

Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  if (!NeedsNormalizing(text)) return EvaluateAsItStands(text, numberFormat, stacks);
  stacks.normalized.assign(text);
  NormalizeExpression(stacks.normalized);
  Evaluation evaluation = EvaluateAsItStands(stacks.normalized, numberFormat, stacks);
  // Faults are rare: only then is the way back to the text as given worked out.
  if (!evaluation.faults.empty()) {
    std::vector<size_t> positions;
    positions.reserve(evaluation.faults.size());
    for (const FaultMet& fault : evaluation.faults)
      positions.push_back(fault.position);
    ToFieldIndices(text, positions);
    for (size_t i = 0; i < positions.size(); ++i)
      evaluation.faults[i].position = positions[i];
  }
  return evaluation;
}

Evaluation EvaluateAsItStands(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  stacks.operands.clear();
  stacks.operators.clear();

  Reduction reduction(stacks);
  Evaluation evaluation;
  if (reduction.Run(text)) {
    evaluation.result = FormatNumber(numberFormat, stacks.operands.back());
    evaluation.faults = reduction.FaultsInOrderOfPasses();
  } else {
    evaluation.result = FormatNumber(numberFormat, 0.0);
  }

  stacks.operands.clear();
  stacks.operators.clear();
  return evaluation;
}

Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat) {
  EvaluationStacks stacks;
  return EvaluateExpression(text, numberFormat, stacks);
}

}  // namespace two_path
