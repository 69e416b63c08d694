#include "Calculation.h"

#include <bit>
#include <cmath>
#include <limits>
#include <utility>

#include "ExactEvaluation.h"
#include "TypedText.h"

namespace {

constexpr long long RankOf(long long depth, int code) { return OperatorRank(depth, code); }

// After a number or a ')': where an operator or a ')' may come.
constexpr bool EndsOperand(check_rules_detail::CheckState state) {
  using namespace check_rules_detail;
  return state == kAfterNumber || state == kAfterClose || state == kAfterCloseAfterNumber;
}

// Whether the reduction takes an operand next, as the rules' state after the
// units so far tells: at the start and after '(' or an operator. The rest of
// what the reduction asks of the unit before is in the state too.
constexpr bool ExpectsOperand(check_rules_detail::CheckState state) {
  using namespace check_rules_detail;
  constexpr unsigned kStatesBeforeOperand =
      1u << kAtStart | 1u << kAfterOpen | 1u << kAfterOpenAfterNumber | 1u << kAfterSign | 1u << kAfterBinary;
  return (kStatesBeforeOperand >> state & 1u) != 0;
}

// Where a plain number or '(' comes as usual: at the start, after '(' or after
// an operator.
constexpr bool AwaitsOperand(check_rules_detail::CheckState state) {
  using namespace check_rules_detail;
  return state == kAtStart || state == kAfterOpen || state == kAfterSign || state == kAfterBinary;
}

// What the usual run of units in Read takes for granted: that no rule objects
// to its units and that the reduction takes each as it comes.
constexpr bool TheUsualRunNeedsNoRule() {
  using namespace check_rules_detail;
  for (CheckState state : {kAfterNumber, kAfterClose, kAfterCloseAfterNumber}) {
    if (ExpectsOperand(state) || kObjects[state][kClose] || kObjects[state][kSign] || kObjects[state][kBinary])
      return false;
    if (!EndsOperand(kNext[state][kClose])) return false;
    for (UnitKind op : {kSign, kBinary}) {
      const CheckState afterOperator = kNext[state][op];
      if (kObjects[afterOperator][kNumber] || kNext[afterOperator][kNumber] != kAfterNumber) return false;
    }
  }
  for (CheckState state : {kAtStart, kAfterOpen, kAfterSign, kAfterBinary}) {
    if (!ExpectsOperand(state) || kObjects[state][kOpen] || kObjects[state][kNumber]) return false;
    if (kNext[state][kOpen] != kAfterOpen || kNext[state][kNumber] != kAfterNumber) return false;
  }
  return true;
}

using check_rules_detail::CheckState;

// The reduction's stacks as the pass uses them: where each ends, and where its
// room ends.
struct StackTops {
  using PendingOperator = EvaluationStacks::PendingOperator;
  Operand* operandsEnd;
  Operand* operandRoomEnd;
  PendingOperator* operatorsEnd;
  PendingOperator* operatorRoomEnd;
  long long depth;  // of parentheses, where the reduction is
};

// The one pass. Every unit goes to the checker's rules and to the reduction as
// it is read, and only what is rare (an unusual unit, an objection, a fault, a
// stack that needs more room) leaves the loop that reads it. The reduction
// reaches the order of the passes with two stacks: an operator waits until one
// that binds less tightly (or as tightly, further right) comes, so the cost
// grows linearly with the length. Units whose operands and operators do not
// alternate, which only a text the checker rejects has, stop it: the value is
// then 0, with no faults. The outcome holds both the check and the evaluation,
// whatever the check says.
class OnePass {
public:
  using PendingOperator = EvaluationStacks::PendingOperator;

  OnePass(std::string_view text, EvaluationStacks& stacks)
      : m_text(text),
        m_stacks(stacks),
        m_tops{stacks.operands.get(), stacks.operands.get() + stacks.operandRoom, stacks.operators.get(),
               stacks.operators.get() + stacks.operatorRoom, 0} {
    // At the bottom of the operators lies one that binds less than any, so that
    // looking at the top needs no test for an empty stack.
    if (m_tops.operatorsEnd == m_tops.operatorRoomEnd) GrowOperators(m_tops);
    *m_tops.operatorsEnd++ = {std::numeric_limits<long long>::min(), 0, 0};
  }

  Calculation Read(std::string_view numberFormat) {
    for (;;) {
      TakeUsualRun();
      if (m_next == m_text.size()) break;
      if (!TakeUnit()) break;
    }

    // Built in place, in this order: the value's work may meet faults.
    const bool valued = !m_stopped && !ExpectsOperand(m_state);
    return {Verdict(m_rules, m_objections), valued ? ValueText(numberFormat) : FormatNumber(numberFormat, 0.0), m_value,
            valued ? m_work.InOrderOfPasses() : std::vector<FaultMet>{}, std::nullopt};
  }

  // The stacks are empty again after every pass, however it ended.
  ~OnePass() {
    m_stacks.operandCount = 0;
    m_stacks.operatorCount = 0;
  }

private:
  // The value of what the reduction holds, written with the number format.
  std::string ValueText(std::string_view numberFormat) {
    ReduceDownTo(std::numeric_limits<long long>::min() + 1, m_tops.operandsEnd, m_tops.operatorsEnd);
    const Operand& last = m_tops.operandsEnd[-1];
    m_value = last.Value();
    if (last.millionths != kNotMillionths) return FormatMillionths(numberFormat, last.millionths);
    // Only a number that no operator took can still be an infinity.
    if (!std::isfinite(m_value)) m_value = m_work.LoneOverflow(m_lastLongNumberAt);
    return FormatNumber(numberFormat, m_value);
  }

  void Push(StackTops& tops, Operand value) {
    if (tops.operandsEnd == tops.operandRoomEnd) [[unlikely]]
      GrowOperands(tops);
    *tops.operandsEnd++ = value;
  }

  // The reduction, the usual run's and every other unit's: each operator waiting
  // on the stack that ranks at least `rank` is worked out, the top first. It takes
  // the stack ends apart, so that the usual run can keep them in registers.
  [[gnu::always_inline]] void ReduceDownTo(long long rank, Operand*& operandsEnd, PendingOperator*& operatorsEnd) {
    while (operatorsEnd[-1].rank >= rank) {
      const PendingOperator& op = *--operatorsEnd;
      const Operand right = *--operandsEnd;
      operandsEnd[-1] = m_work.Reduce(op, operandsEnd[-1], right);
    }
  }

  // An operator where the reduction takes one: whatever binds at least as
  // tightly on its left is worked out first.
  void TakeOperator(StackTops& tops, char symbol, size_t at) {
    // Deeper operators first, then the stronger; among equals the leftmost.
    const int code = GetOperatorCode(symbol);
    const long long rank = RankOf(tops.depth, code);
    ReduceDownTo(rank, tops.operandsEnd, tops.operatorsEnd);
    if (tops.operatorsEnd == tops.operatorRoomEnd) [[unlikely]]
      GrowOperators(tops);
    *tops.operatorsEnd++ = {rank, at, static_cast<unsigned char>(code)};
  }

  // The stacks with twice the room, what they hold kept.
  [[gnu::noinline]] void GrowOperands(StackTops& tops) {
    m_stacks.operandCount = static_cast<size_t>(tops.operandsEnd - m_stacks.operands.get());
    m_stacks.GrowOperands();
    tops.operandsEnd = m_stacks.operands.get() + m_stacks.operandCount;
    tops.operandRoomEnd = m_stacks.operands.get() + m_stacks.operandRoom;
  }
  [[gnu::noinline]] void GrowOperators(StackTops& tops) {
    m_stacks.operatorCount = static_cast<size_t>(tops.operatorsEnd - m_stacks.operators.get());
    m_stacks.GrowOperators();
    tops.operatorsEnd = m_stacks.operators.get() + m_stacks.operatorCount;
    tops.operatorRoomEnd = m_stacks.operators.get() + m_stacks.operatorRoom;
  }

  // Most of a text is the usual units: where an operand is expected, '(' and
  // plain numbers; after one, ')' and operators followed by a plain number. No
  // rule objects to them and the reduction takes each as it comes, so a run of
  // them goes to it straight away, with what it changes kept in locals until the
  // run ends; TakeUnit takes the rest. A plain number is never too large to
  // read, so the place of the last such number stays as it was.
  void TakeUsualRun() {
    using check_rules_detail::kAfterNumber;
    using check_rules_detail::kAfterOpen;
    using check_rules_detail::kNext;
    static_assert(TheUsualRunNeedsNoRule());
    if (m_stopped) return;

    const std::string_view text = m_text;
    size_t i = m_next;
    StackTops tops = m_tops;
    CheckState state = m_state;
    size_t units = m_rules.units;
    unsigned long long open = m_rules.open;
    unsigned long long unmatchedClose = m_rules.unmatchedClose;
    size_t lastAt = kNowhere;  // of the last unit the run takes
    Unit number;

    if (AwaitsOperand(state)) {
      for (; i < text.size() && text[i] == '('; ++i) {
        ++open;
        ++tops.depth;
        ++units;
        state = kAfterOpen;
        lastAt = i;
      }
      if (TypedTextReader::ReadPlainNumber(text, i, number)) {
        Push(tops, {number.value, number.millionths});
        ++units;
        state = kAfterNumber;
        lastAt = number.at;
      }
      if (m_rules.units == 0 && lastAt != kNowhere) m_rules.first = SeenAt(m_next);
    }
    if (EndsOperand(state)) {
      // The stack ends as plain locals, which the compiler keeps in registers
      // where it would keep a structure in memory; they go back into `tops`
      // when a stack needs more room and when the loop ends.
      Operand* operandsEnd = tops.operandsEnd;
      Operand* operandRoomEnd = tops.operandRoomEnd;
      PendingOperator* operatorsEnd = tops.operatorsEnd;
      PendingOperator* operatorRoomEnd = tops.operatorRoomEnd;
      long long depth = tops.depth;
      while (i < text.size()) {
        const char symbol = text[i];
        if (symbol == ')') {
          if (open > 0)
            --open;
          else
            ++unmatchedClose;
          --depth;
          ++units;
          state = kNext[state][kClose];
          lastAt = i++;
          continue;
        }
        // An operator, as TakeOperator takes it, and the number after it.
        const int code = GetOperatorCode(symbol);
        size_t next = i + 1;
        if (code == 0 || !TypedTextReader::ReadPlainNumber(text, next, number)) break;
        const long long rank = RankOf(depth, code);
        ReduceDownTo(rank, operandsEnd, operatorsEnd);
        if (operatorsEnd == operatorRoomEnd || operandsEnd == operandRoomEnd) [[unlikely]] {
          tops = {operandsEnd, operandRoomEnd, operatorsEnd, operatorRoomEnd, depth};
          if (operatorsEnd == operatorRoomEnd) GrowOperators(tops);
          if (operandsEnd == operandRoomEnd) GrowOperands(tops);
          operandsEnd = tops.operandsEnd;
          operandRoomEnd = tops.operandRoomEnd;
          operatorsEnd = tops.operatorsEnd;
          operatorRoomEnd = tops.operatorRoomEnd;
        }
        *operatorsEnd++ = {rank, i, static_cast<unsigned char>(code)};
        *operandsEnd++ = {number.value, number.millionths};
        units += 2;
        state = kAfterNumber;
        lastAt = number.at;
        i = next;
      }
      tops = {operandsEnd, operandRoomEnd, operatorsEnd, operatorRoomEnd, depth};
    }

    m_next = i;
    m_tops = tops;
    m_state = state;
    m_rules.units = units;
    m_rules.open = open;
    m_rules.unmatchedClose = unmatchedClose;
    if (lastAt != kNowhere) m_rules.last = SeenAt(lastAt);
  }

  // A unit of the usual run as the rules remember it: its first character tells
  // what it is.
  SeenUnit SeenAt(size_t at) const {
    const char symbol = m_text[at];
    return {symbol == '(' ? kOpen : symbol == ')' ? kClose : kNumber, symbol, at};
  }

  // Any unit, the whole way: false once the text holds no more.
  bool TakeUnit() {
    using check_rules_detail::kNext;
    using check_rules_detail::kObjects;
    Unit unit;
    if (!TypedTextReader::ReadPlainUnit(m_text, m_next, unit)) [[unlikely]] {
      TypedTextReader apart(m_text, m_next);
      if (!apart.Next(unit)) {
        m_next = m_text.size();
        return false;
      }
      m_next = apart.position();
    }

    // The rules: each notes its first objection; the pairing of parentheses is
    // counted for the end.
    if (m_rules.units++ == 0) m_rules.first = {unit.kind, unit.symbol, unit.at};
    if (kObjects[m_state][unit.kind] || unit.secondSeparatorAt != kNowhere) [[unlikely]]
      m_objections.Object(m_state, m_rules.last, unit);
    m_rules.open += unit.kind == kOpen;
    if (unit.kind == kClose) {
      if (m_rules.open > 0)
        --m_rules.open;
      else
        ++m_rules.unmatchedClose;
    }
    const CheckState before = m_state;
    m_state = kNext[m_state][unit.kind];
    m_rules.last = {unit.kind, unit.symbol, unit.at};

    // The reduction.
    if (m_stopped) [[unlikely]]
      return true;
    const bool expectOperand = ExpectsOperand(before);
    switch (unit.kind) {
      case kNumber:
        if (!expectOperand) break;
        // A number too large to read stays an infinity on the stack until an
        // operator takes it: that is when the passes read it.
        Push(m_tops, {unit.value, unit.millionths});
        m_lastLongNumberAt = unit.at;
        return true;
      case kOpen:
        if (!expectOperand) break;
        ++m_tops.depth;
        return true;
      case kClose:
        if (expectOperand) break;
        --m_tops.depth;
        return true;
      case kSign:
      case kBinary: {
        // A sign at the very start: "+5" is 5, "-5" is 0-5; and after an opening
        // parenthesis: "(-5)" is (0-5), "(+5)" is (0+5).
        const bool atStart = before == check_rules_detail::kAtStart;
        if (atStart && unit.symbol == '+') return true;
        if (unit.kind == kSign && (atStart || before == check_rules_detail::kAfterOpen)) {
          Push(m_tops, {0.0, 0});
        } else if (expectOperand) {
          break;
        }
        TakeOperator(m_tops, unit.symbol, unit.at);
        return true;
      }
      default: break;
    }
    m_stopped = true;
    return true;
  }

  const std::string_view m_text;
  size_t m_next = 0;  // where the next unit is read

  // The checker's rules.
  CheckState m_state = check_rules_detail::kAtStart;
  RulesAtEnd m_rules;
  Objections m_objections;

  // The reduction.
  EvaluationStacks& m_stacks;
  StackTops m_tops;
  OperatorWork m_work;
  // Where the last number that the usual run does not read began: only such a
  // number can be too large to read.
  size_t m_lastLongNumberAt = 0;
  bool m_stopped = false;
  double m_value = 0;  // of the last operand, once ValueText has worked it out
};

Calculation Read(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  return OnePass(text, stacks).Read(numberFormat);
}

}  // namespace

Calculation Calculate(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks,
                      Arithmetic arithmetic, bool compareExactly) {
  Calculation calculation = Read(text, numberFormat, stacks);
  // A text that fails the check shows its prompt and nothing of the evaluation.
  if (!calculation.check.passed) {
    calculation.result.clear();
    calculation.faults.clear();
    return calculation;
  }
  if (arithmetic == Arithmetic::kClassic && !compareExactly) return calculation;

  ExactEvaluation exact = EvaluateExactly(text, stacks);
  if (arithmetic == Arithmetic::kExact) {
    calculation.result = exact.value.Written(GetDecimalCount(numberFormat));
    calculation.value = exact.value.Approximation();
    calculation.faults = std::move(exact.faults);
    if (calculation.faults.empty()) calculation.exact = std::move(exact.value);
  } else if (exact.faults.empty()) {
    calculation.exact = std::move(exact.value);
  }
  return calculation;
}

CheckOutcome CheckExpressionText(std::string_view text) {
  EvaluationStacks stacks;
  return Read(text, "%0.0f", stacks).check;
}

Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  Calculation outcome = Read(text, numberFormat, stacks);
  return {std::move(outcome.result), std::move(outcome.faults)};
}

Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat) {
  EvaluationStacks stacks;
  return EvaluateExpression(text, numberFormat, stacks);
}
