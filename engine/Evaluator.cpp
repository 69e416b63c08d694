#include "Evaluator.h"

#include <algorithm>
#include <cmath>


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

template <typename T>
void Grow(std::unique_ptr<T[]>& stack, size_t& room, size_t inUse) {
  const size_t larger = room < 16 ? 16 : room * 2;
  auto grown = std::make_unique_for_overwrite<T[]>(larger);
  std::copy(stack.get(), stack.get() + inUse, grown.get());
  stack = std::move(grown);
  room = larger;
}

}  // namespace

void EvaluationStacks::GrowOperands() { Grow(operands, operandRoom, operandCount); }
void EvaluationStacks::GrowOperators() { Grow(operators, operatorRoom, operatorCount); }

std::vector<FaultMet> OperatorWork::SortedFaults() {
  std::stable_sort(m_faults.begin(), m_faults.end(),
                   [](const RankedFault& a, const RankedFault& b) { return a.TakenBefore(b); });
  std::vector<FaultMet> faults;
  faults.reserve(m_faults.size());
  for (const RankedFault& ranked : m_faults)
    faults.push_back(ranked.fault);
  return faults;
}

// An operand beyond the range of doubles is read as a fault, the left one first.
double OperatorWork::ApplyRead(const PendingOperator& op, double left, double right) {
  left = Read(op, left);
  right = Read(op, right);
  return Apply(op, left, right);
}

// Out of the way of the reductions, which meet a fault rarely.
[[gnu::noinline, gnu::cold]] double OperatorWork::Fault(long long rank, size_t at, ComputeFault kind) {
  m_faults.push_back({rank, {kind, at}});
  return 0.0;
}
