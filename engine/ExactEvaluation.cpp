#include "ExactEvaluation.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "ExactArithmetic.h"
#include "TypedText.h"

namespace {

struct ExactOperand {
  ExactValue value;
  size_t at = 0;          // where a typed number begins
  bool tooLarge = false;  // a typed number beyond the bound, which the first operator to take it reports
};

struct PendingOperator {
  long long rank;
  size_t position;
  int code;
};
// Deeper first, then stronger, then further left: the order of the passes.
struct RankedFault {
  long long rank;
  FaultMet fault;
  bool TakenBefore(const RankedFault& other) const {
    return rank != other.rank ? rank > other.rank : fault.position < other.fault.position;
  }
};

}  // namespace

// The stacks keep their room from one evaluation to the next, with the caller's
// EvaluationStacks, so that a run of short lines allocates nothing. They belong
// to the caller and not to the thread: a thread_local object with a destructor
// has its storage freed by the mingw-w64 runtime before its destructor runs,
// which damages the heap when the thread ends.
struct ExactStacks {
  std::vector<ExactOperand> operands;
  std::vector<PendingOperator> operators;
  std::vector<RankedFault> faults;
};

namespace {

// The same two stacks as the classic reduction: an operator waits until one that
// binds less tightly (or as tightly, further right) comes.
class ExactReduction {
public:
  explicit ExactReduction(ExactStacks& room)
      : m_operands(room.operands), m_operators(room.operators), m_faults(room.faults) {
    m_operands.clear();
    m_operators.clear();
    m_faults.clear();
  }
  ~ExactReduction() {
    m_operands.clear();
    m_faults.clear();
  }
  ExactReduction(const ExactReduction&) = delete;
  ExactReduction& operator=(const ExactReduction&) = delete;

  void Push(ExactOperand operand) { m_operands.push_back(std::move(operand)); }

  void TakeOperator(long long depth, int code, size_t at) {
    const long long rank = OperatorRank(depth, code);
    ReduceDownTo(rank);
    m_operators.push_back({rank, at, code});
  }

  ExactEvaluation Finish() {
    ReduceDownTo(LLONG_MIN);
    ExactEvaluation evaluation;
    if (!m_operands.empty()) {
      const ExactOperand& last = m_operands.back();
      // Only a number that no operator took can still be too large to read.
      if (last.tooLarge)
        m_faults.push_back({0, {ComputeFault::Overflow, last.at}});
      else
        evaluation.value = last.value;
    }
    std::stable_sort(m_faults.begin(), m_faults.end(),
                     [](const RankedFault& a, const RankedFault& b) { return a.TakenBefore(b); });
    for (const RankedFault& ranked : m_faults)
      evaluation.faults.push_back(ranked.fault);
    return evaluation;
  }

private:
  void ReduceDownTo(long long rank) {
    while (!m_operators.empty() && m_operators.back().rank >= rank) {
      const PendingOperator op = m_operators.back();
      m_operators.pop_back();
      const ExactOperand right = std::move(m_operands.back());
      m_operands.pop_back();
      ExactOperand& left = m_operands.back();
      // The left operand is read first, then the right, then the work is done.
      const ExactValue l = Read(op, left);
      const ExactValue r = Read(op, right);
      ExactOutcome outcome = ExactArithmetic::Apply(op.code, l, r);
      if (outcome.fault) Fault(op, *outcome.fault);
      left = {std::move(outcome.value), op.position, false};
    }
  }

  ExactValue Read(const PendingOperator& op, const ExactOperand& operand) {
    if (!operand.tooLarge) [[likely]]
      return operand.value;
    Fault(op, ComputeFault::Overflow);
    return ExactValue();
  }

  void Fault(const PendingOperator& op, ComputeFault kind) { m_faults.push_back({op.rank, {kind, op.position}}); }

  std::vector<ExactOperand>& m_operands;
  std::vector<PendingOperator>& m_operators;
  std::vector<RankedFault>& m_faults;
};

}  // namespace

void ExactStacksDeleter::operator()(ExactStacks* stacks) const { delete stacks; }

ExactEvaluation EvaluateExactly(std::string_view text, EvaluationStacks& stacks) {
  if (!stacks.exact) stacks.exact.reset(new ExactStacks);
  ExactArithmetic::StartEvaluation();
  ExactReduction reduction(*stacks.exact);
  TypedTextReader reader(text);
  Unit unit;
  long long depth = 0;
  bool expectOperand = true;
  bool atStart = true;
  bool afterOpen = false;
  while (reader.Next(unit)) {
    const bool start = atStart, open = afterOpen;
    atStart = afterOpen = false;
    switch (unit.kind) {
      case kNumber: {
        if (!expectOperand) return {};
        ExactOperand operand;
        operand.at = unit.at;
        operand.tooLarge = !ExactArithmetic::ReadTyped(text.substr(unit.at, reader.position() - unit.at), operand.value);
        reduction.Push(std::move(operand));
        expectOperand = false;
        break;
      }
      case kOpen:
        if (!expectOperand) return {};
        ++depth;
        afterOpen = true;
        break;
      case kClose:
        if (expectOperand) return {};
        --depth;
        break;
      case kSign:
      case kBinary:
        // A sign at the very start: "+5" is 5, "-5" is 0-5; and after an opening
        // parenthesis: "(-5)" is (0-5), "(+5)" is (0+5).
        if (start && unit.symbol == '+') break;
        if (unit.kind == kSign && (start || open))
          reduction.Push({ExactValue(), unit.at, false});
        else if (expectOperand)
          return {};
        reduction.TakeOperator(depth, GetOperatorCode(unit.symbol), unit.at);
        expectOperand = true;
        break;
      default: return {};
    }
  }
  if (expectOperand) return {};
  return reduction.Finish();
}
