// The evaluation of a checked expression, fed one unit of the text at a time.
//
// Operators are taken deepest parenthesis first, and within one depth by binding
// strength (# ^ % / * - +, leftmost first among equals); every intermediate value is
// written with six decimals and read back, so the values are the ones the calculator
// has always shown. The one exception is a power (or a root's trial power) of more
// than 64 steps: it is built by repeated squaring on purpose, so that no exponent can
// keep the program busy, and its last bits differ from those of 64 or more
// multiplications in a row. That order of work is reached with two stacks as the
// units arrive, so the cost grows linearly with the length.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "NumberText.h"
#include "TypedText.h"

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
// `position` is the index, in the text as typed, of the operator whose work met
// it; a number too large to read is met by the first operator that takes it, or,
// standing alone, at its own first digit.
struct FaultMet {
  ComputeFault kind;
  size_t position;
  bool operator==(const FaultMet& other) const { return kind == other.kind && position == other.position; }
};

struct Evaluation {
  std::string result;            // the value written with the number format
  std::vector<FaultMet> faults;  // in the order the passes reach them: see Reduction
};

// Work space of one evaluation: the two stacks. They are empty before and after
// every evaluation, keeping only their capacity; a caller that evaluates often
// may keep one to spare the allocations.
struct EvaluationStacks {
  struct PendingOperator {
    long long rank;   // depth * 8 + binding strength
    size_t position;  // in the text as typed
    char op;
  };
  std::vector<double> operands;
  std::vector<PendingOperator> operators;
  bool empty() const { return operands.empty() && operators.empty(); }
};

// Takes the units of a text one at a time and reduces as far as they allow. The
// faults come in the order in which operators are taken one at a time (deepest
// first, then the strongest, then the leftmost), whatever order the stacks meet
// them in. Units whose operands and operators do not alternate, which only a text
// the checker rejects has, give 0 and no faults.
class Reduction {
public:
  explicit Reduction(EvaluationStacks& stacks);
  Reduction(const Reduction&) = delete;
  Reduction& operator=(const Reduction&) = delete;
  ~Reduction();

  void Take(const Unit& unit) {
    if (m_stopped) [[unlikely]]
      return;
    switch (unit.kind) {
      case kNumber:
        if (!m_expectOperand) return Stop();
        // A number too large to read stays an infinity on the stack until an
        // operator takes it: that is when the passes read it.
        m_stacks.operands.push_back(unit.value);
        m_lastNumberAt = unit.at;
        m_expectOperand = false;
        break;
      case kOpen:
        if (!m_expectOperand) return Stop();
        ++m_depth;
        break;
      case kClose:
        if (m_expectOperand) return Stop();
        --m_depth;
        break;
      case kSign:
      case kBinary: TakeOperator(unit); break;
      default: return Stop();
    }
    m_previous = unit.kind;
  }

  // The value written with the number format, and the faults met.
  Evaluation Finish(std::string_view numberFormat);

private:
  using PendingOperator = EvaluationStacks::PendingOperator;

  void TakeOperator(const Unit& unit) {
    // A sign at the very start: "+5" is 5, "-5" is 0-5; and after an opening
    // parenthesis: "(-5)" is (0-5), "(+5)" is (0+5).
    if (m_previous == kNothingYet || m_previous == kOpen) {
      if (m_previous == kNothingYet && unit.symbol == '+') return;
      if (unit.kind == kSign && m_expectOperand) {
        m_stacks.operands.push_back(0);
        m_expectOperand = false;
      }
    }
    if (m_expectOperand) return Stop();
    // Deeper operators first, then the stronger; among equals the leftmost.
    const long long rank = m_depth * kStrengthsPerDepth + GetOperatorCode(unit.symbol);
    while (!m_stacks.operators.empty() && m_stacks.operators.back().rank >= rank)
      ReduceTop();
    m_stacks.operators.push_back({rank, unit.at, unit.symbol});
    m_expectOperand = true;
  }

  // Operators of one parenthesis depth bind tighter than every operator outside it.
  static constexpr long long kStrengthsPerDepth = 8;
  static constexpr UnitKind kNothingYet = kUnitKinds;

  void Stop() { m_stopped = true; }

  // Takes the operator on top of the stack with its two operands and leaves the
  // value in their place. Its faults come in the order the passes meet them: the
  // left operand read, the right one, then the operation.
  void ReduceTop() {
    const PendingOperator op = m_stacks.operators.back();
    m_stacks.operators.pop_back();
    const double right = m_stacks.operands.back();
    m_stacks.operands.pop_back();
    double& value = m_stacks.operands.back();
    const double left = value;
    double result = 0;
    if (!std::isfinite(left) || !std::isfinite(right)) [[unlikely]]
      result = ApplyRead(op, left, right);
    else if (op.op == '+')
      result = left + right;
    else if (op.op == '-')
      result = left - right;
    else if (op.op == '*')
      result = left * right;
    else
      result = Apply(op, left, right);
    value = RoundTripIntermediate(Read(op, result));
  }

  // Every intermediate value is written with six decimals and read back, as the
  // calculator has always done. An integral value survives that unchanged, so
  // the text is spared there.
  static double RoundTripIntermediate(double value) {
    if (value == std::trunc(value)) return value;
    return RoundTripSixDecimals(value);
  }

  double ApplyRead(const PendingOperator& op, double left, double right);

  // A value beyond the range of doubles is never carried on: it is reported and
  // counts as 0, like a division by zero.
  double Read(const PendingOperator& op, double value) {
    if (std::isfinite(value)) [[likely]]
      return value;
    return Fault(op, ComputeFault::Overflow);
  }
  double Apply(const PendingOperator& op, double l, double r);
  double Fault(const PendingOperator& op, ComputeFault kind) { return Fault(op.rank, op.position, kind); }
  double Fault(long long rank, size_t at, ComputeFault kind);

  // A fault as the stacks meet it, with the place its operator has in the order of
  // passes: deeper first, then stronger, then further left.
  struct RankedFault {
    long long rank;
    FaultMet fault;
    bool TakenBefore(const RankedFault& other) const {
      return rank != other.rank ? rank > other.rank : fault.position < other.fault.position;
    }
  };

  EvaluationStacks& m_stacks;
  std::vector<RankedFault> m_faults;
  long long m_depth = 0;
  size_t m_lastNumberAt = 0;
  UnitKind m_previous = kNothingYet;
  bool m_expectOperand = true;
  bool m_stopped = false;
};
