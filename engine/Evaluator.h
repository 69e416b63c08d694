// The evaluation of a checked expression: its stacks, the work of its operators
// and the faults met; the one pass (Calculation.cpp) feeds it one unit at a time.
//
// Operators are taken deepest parenthesis first, and within one depth by binding
// strength (# ^ % / * - +, leftmost first among equals); every intermediate value is
// written with six decimals and read back, so the values are the ones the calculator
// has always shown (for values that are whole millionths, + - * / % and a square reach
// the same values in integers: Millionths.h). The one exception is a power (or a
// root's trial power) whose whole exponent is beyond 64 in size: it is built by
// repeated squaring on purpose, so that no exponent can keep the program busy, and
// its last bits may differ from those of the 65 or more multiplications in a row
// that the calculator once made. That order of work is reached with two stacks as
// the units arrive, so the cost grows linearly with the length.
#pragma once

#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Millionths.h"
#include "NumberWriting.h"
#include "Operators.h"
#include "TypedText.h"

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
  std::vector<FaultMet> faults;  // in the order the passes reach them: see OperatorWork
};

// A value on the evaluation's stack: a count of millionths where it is one (see
// Millionths.h), otherwise the double. The double a count stands for is worked
// out only when something needs it, which the usual chain of + - and * does not.
struct Operand {
  double value;           // when millionths is kNotMillionths
  long long millionths;
  double Value() const { return millionths != kNotMillionths ? MillionthsValue(millionths) : value; }
};

// The exact evaluation's stacks (ExactEvaluation.cpp), made at its first use.
struct ExactStacks;
struct ExactStacksDeleter {
  void operator()(ExactStacks* stacks) const;
};

// Work space of one evaluation: the two stacks, and those of the exact
// evaluation. They are empty before and after every evaluation, keeping only
// their room (as much as the deepest text so far needed); a caller that
// evaluates often may keep one to spare the allocations.
struct EvaluationStacks {
  struct PendingOperator {
    long long rank;   // depth * kStrengthsPerDepth + binding strength
    size_t position;  // in the text as typed
    unsigned char code;  // GetOperatorCode
  };
  std::unique_ptr<Operand[]> operands;
  std::unique_ptr<PendingOperator[]> operators;
  size_t operandRoom = 0;
  size_t operatorRoom = 0;
  size_t operandCount = 0;   // in use during an evaluation
  size_t operatorCount = 0;
  std::unique_ptr<ExactStacks, ExactStacksDeleter> exact;
  bool empty() const { return operandCount == 0 && operatorCount == 0; }

  // Twice the room, the values in use kept.
  [[gnu::noinline]] void GrowOperands();
  [[gnu::noinline]] void GrowOperators();
};

// The work of the operators of one evaluation, and the faults it meets. The
// faults come in the order in which operators are taken one at a time (deepest
// first, then the strongest, then the leftmost), whatever order the stacks meet
// them in.
class OperatorWork {
public:
  using PendingOperator = EvaluationStacks::PendingOperator;

  // The value of `op` on its two operands, written with six decimals and read
  // back. Its faults come in the order the passes meet them: the left operand
  // read, the right one, then the operation.
  Operand Reduce(const PendingOperator& op, const Operand& left, const Operand& right) {
    if (left.millionths != kNotMillionths && right.millionths != kNotMillionths) {
      if (long long millionths = 0; OnMillionths(op.code, left.millionths, right.millionths, millionths)) [[likely]]
        return {0.0, millionths};
    }
    return ReduceDoubles(op, left.Value(), right.Value());
  }

  // A number too large to read that no operator took, standing alone at `at`.
  double LoneOverflow(size_t at) { return Fault(0, at, ComputeFault::Overflow); }

  // The faults met, in the order in which the passes would have reached them.
  std::vector<FaultMet> InOrderOfPasses() { return m_faults.empty() ? std::vector<FaultMet>{} : SortedFaults(); }

private:
  static bool OnMillionths(int code, long long l, long long r, long long& result) {
    return WithOperatorRow(code, [&](auto place) {
      constexpr auto work = kOperators[place].onMillionths;
      if constexpr (work == nullptr)
        return false;
      else
        return work(l, r, result);
    });
  }

  Operand ReduceDoubles(const PendingOperator& op, double left, double right) {
    double result = 0;
    if (!std::isfinite(left) || !std::isfinite(right)) [[unlikely]]
      result = ApplyRead(op, left, right);
    else
      result = Apply(op, left, right);
    return RoundTripIntermediate(Read(op, result));
  }

  // Every intermediate value is written with six decimals and read back, as the
  // calculator has always done. An integral value survives that unchanged, so
  // the text is spared there.
  static Operand RoundTripIntermediate(double value) {
    if (value == std::trunc(value)) {
      const double magnitude = std::fabs(value);
      // Far below 2^63 millionths, where the product is exact.
      if (magnitude > kMostMillionths / 1e6) return {value, kNotMillionths};
      return {value, CountOfRounded(value, static_cast<unsigned long long>(magnitude * 1e6))};
    }
    if (uint64_t millionths = 0; TryNearestMillionths(std::fabs(value), millionths)) [[likely]] {
      const double rounded = std::copysign(static_cast<double>(millionths) / 1e6, value);
      return {rounded, CountOfRounded(rounded, millionths)};
    }
    return {RoundTripSixDecimalsInFull(value), kNotMillionths};
  }

  std::vector<FaultMet> SortedFaults();
  double ApplyRead(const PendingOperator& op, double left, double right);

  // A value beyond the range of doubles is never carried on: it is reported and
  // counts as 0, like a division by zero.
  double Read(const PendingOperator& op, double value) {
    if (std::isfinite(value)) [[likely]]
      return value;
    return Fault(op, ComputeFault::Overflow);
  }
  // The work of the operator's row on two finite operands, or its fault.
  double Apply(const PendingOperator& op, double l, double r) {
    return WithOperatorRow(op.code, [&](auto place) {
      constexpr OperatorRow row = kOperators[place];
      if constexpr (row.faultOf != nullptr) {
        if (const std::optional<ComputeFault> fault = row.faultOf(l, r)) [[unlikely]]
          return Fault(op, *fault);
      }
      return row.onDoubles(l, r);
    });
  }
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
  std::vector<RankedFault> m_faults;
};
