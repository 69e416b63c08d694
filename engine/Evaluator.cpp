#include "Evaluator.h"

#include <algorithm>
#include <cmath>

#include "Arithmetic.h"

const char* ComputeFaultMessage(ComputeFault fault) {
  switch (fault) {
    case ComputeFault::DivisionByZero: return "Division to the zero!";
    case ComputeFault::Overflow: return "The number is too large!";
    case ComputeFault::NegativeEvenRoot: return "No even root of a negative number!";
    case ComputeFault::ZeroDegreeRoot: return "No root of degree zero!";
  }
  return "";
}

Reduction::Reduction(EvaluationStacks& stacks) : m_stacks(stacks) {
  m_stacks.operands.clear();
  m_stacks.operators.clear();
}

Reduction::~Reduction() {
  m_stacks.operands.clear();
  m_stacks.operators.clear();
}

Evaluation Reduction::Finish(std::string_view numberFormat) {
  Evaluation evaluation;
  if (m_stopped || m_expectOperand) {
    evaluation.result = FormatNumber(numberFormat, 0.0);
    return evaluation;
  }
  while (!m_stacks.operators.empty())
    ReduceTop();
  // Only a number that no operator took can still be an infinity.
  double& value = m_stacks.operands.back();
  if (!std::isfinite(value)) value = Fault(0, m_lastNumberAt, ComputeFault::Overflow);
  evaluation.result = FormatNumber(numberFormat, value);

  // The faults met, in the order in which the passes would have reached them.
  std::stable_sort(m_faults.begin(), m_faults.end(),
                   [](const RankedFault& a, const RankedFault& b) { return a.TakenBefore(b); });
  evaluation.faults.reserve(m_faults.size());
  for (const RankedFault& ranked : m_faults)
    evaluation.faults.push_back(ranked.fault);
  return evaluation;
}

// An operand beyond the range of doubles is read as a fault, the left one first.
double Reduction::ApplyRead(const PendingOperator& op, double left, double right) {
  left = Read(op, left);
  right = Read(op, right);
  return Apply(op, left, right);
}

double Reduction::Apply(const PendingOperator& op, double l, double r) {
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

// Out of the way of the reductions, which meet a fault rarely.
[[gnu::noinline, gnu::cold]] double Reduction::Fault(long long rank, size_t at, ComputeFault kind) {
  m_faults.push_back({rank, {kind, at}});
  return 0.0;
}
