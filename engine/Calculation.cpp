#include "Calculation.h"

#include <cmath>
#include <utility>

#include "TypedText.h"

namespace {

// Operators of one parenthesis depth bind tighter than every operator outside it.
constexpr long long kStrengthsPerDepth = 8;
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

// The one pass. Every unit goes to the checker's rules and to the reduction as
// it is read; what they hold of the units so far stays in the locals of this
// loop, and only what is rare (an unusual unit, an objection, a fault, a stack
// that needs more room) leaves it. The reduction reaches the order of the
// passes with two stacks: an operator waits until one that binds less tightly
// (or as tightly, further right) comes, so the cost grows linearly with the
// length. Units whose operands and operators do not alternate, which only a text
// the checker rejects has, stop it: the value is then 0, with no faults.
// The outcome holds both the check and the evaluation, whatever the check says.
Calculation Read(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  using check_rules_detail::CheckState;
  using check_rules_detail::kNext;
  using check_rules_detail::kObjects;
  using PendingOperator = EvaluationStacks::PendingOperator;

  // The checker's rules.
  Objections objections;
  CheckState state = check_rules_detail::kAtStart;
  size_t units = 0;
  SeenUnit first{};
  SeenUnit last{};
  unsigned long long open = 0;
  unsigned long long unmatchedClose = 0;

  // The reduction.
  OperatorWork work;
  Operand* operands = stacks.operands.get();
  PendingOperator* operators = stacks.operators.get();
  size_t operandCount = 0;
  size_t operatorCount = 0;
  long long depth = 0;
  size_t lastNumberAt = 0;
  bool stopped = false;

  auto push = [&](Operand value) {
    if (operandCount == stacks.operandRoom) [[unlikely]] {
      stacks.operandCount = operandCount;
      stacks.GrowOperands();
      operands = stacks.operands.get();
    }
    operands[operandCount++] = value;
  };
  auto reduceTop = [&] {
    const PendingOperator& op = operators[--operatorCount];
    const Operand right = operands[--operandCount];
    Operand& value = operands[operandCount - 1];
    value = work.Reduce(op, value, right);
  };

  // An operator where the reduction takes one: whatever binds at least as
  // tightly on its left is worked out first.
  auto takeOperator = [&](char symbol, size_t at) {
    // Deeper operators first, then the stronger; among equals the leftmost.
    const long long rank = depth * kStrengthsPerDepth + GetOperatorCode(symbol);
    while (operatorCount > 0 && operators[operatorCount - 1].rank >= rank)
      reduceTop();
    if (operatorCount == stacks.operatorRoom) [[unlikely]] {
      stacks.operatorCount = operatorCount;
      stacks.GrowOperators();
      operators = stacks.operators.get();
    }
    operators[operatorCount++] = {rank, at, symbol};
  };

  size_t i = 0;

  // The usual units, with what the rules note of each.
  auto takeOpen = [&](size_t at) {
    ++open;
    ++depth;
    ++units;
    state = check_rules_detail::kAfterOpen;
    last = {kOpen, '(', at};
  };
  auto takeNumber = [&](const Unit& number) {
    push({number.value, number.millionths});
    lastNumberAt = number.at;
    ++units;
    state = check_rules_detail::kAfterNumber;
    last = {kNumber, number.symbol, number.at};
  };
  auto takeClose = [&](size_t at) {
    if (open > 0)
      --open;
    else
      ++unmatchedClose;
    --depth;
    ++units;
    state = kNext[state][kClose];
    last = {kClose, ')', at};
  };

  // Most of a text is the usual units: where an operand is expected, '(' and
  // plain numbers; after one, ')' and operators followed by a plain number. No
  // rule objects to them and the reduction takes each as it comes, so a run of
  // them goes to it straight away; the whole way below takes the rest.
  static_assert(TheUsualRunNeedsNoRule());
  auto takeUsualRun = [&] {
    if (stopped) return;
    Unit number;
    if (AwaitsOperand(state)) {
      const size_t from = i;
      const bool atStart = units == 0;
      for (; i < text.size() && text[i] == '('; ++i)
        takeOpen(i);
      if (TypedTextReader::ReadPlainNumber(text, i, number)) takeNumber(number);
      if (atStart && i != from) first = {text[from] == '(' ? kOpen : kNumber, text[from], from};
    }
    if (!EndsOperand(state)) return;
    while (i < text.size()) {
      const char symbol = text[i];
      const UnitKind kind = typed_text_detail::kPlainKindOfByte[static_cast<unsigned char>(symbol)];
      if (kind == kClose) {
        takeClose(i++);
        continue;
      }
      size_t next = i + 1;
      if ((kind != kSign && kind != kBinary) || !TypedTextReader::ReadPlainNumber(text, next, number)) break;
      takeOperator(symbol, i);
      ++units;
      takeNumber(number);
      i = next;
    }
  };

  Unit unit;
  for (;;) {
    takeUsualRun();
    if (i == text.size()) break;
    if (!TypedTextReader::ReadPlainUnit(text, i, unit)) [[unlikely]] {
      TypedTextReader apart(text, i);
      Unit read;
      if (!apart.Next(read)) break;
      unit = read;
      i = apart.position();
    }

    // The rules: each notes its first objection; the pairing of parentheses is
    // counted for the end.
    if (units++ == 0) first = {unit.kind, unit.symbol, unit.at};
    if (kObjects[state][unit.kind] || unit.secondSeparatorAt != kNowhere) [[unlikely]]
      objections.Object(state, last, unit);
    open += unit.kind == kOpen;
    if (unit.kind == kClose) {
      if (open > 0)
        --open;
      else
        ++unmatchedClose;
    }
    const CheckState before = state;
    state = kNext[state][unit.kind];
    last = {unit.kind, unit.symbol, unit.at};

    // The reduction.
    if (stopped) [[unlikely]]
      continue;
    const bool expectOperand = ExpectsOperand(before);
    switch (unit.kind) {
      case kNumber:
        if (!expectOperand) {
          stopped = true;
          continue;
        }
        // A number too large to read stays an infinity on the stack until an
        // operator takes it: that is when the passes read it.
        push({unit.value, unit.millionths});
        lastNumberAt = unit.at;
        break;
      case kOpen:
        if (!expectOperand) {
          stopped = true;
          continue;
        }
        ++depth;
        break;
      case kClose:
        if (expectOperand) {
          stopped = true;
          continue;
        }
        --depth;
        break;
      case kSign:
      case kBinary: {
        // A sign at the very start: "+5" is 5, "-5" is 0-5; and after an opening
        // parenthesis: "(-5)" is (0-5), "(+5)" is (0+5).
        const bool atStart = before == check_rules_detail::kAtStart;
        if (atStart && unit.symbol == '+') break;
        if (unit.kind == kSign && (atStart || before == check_rules_detail::kAfterOpen)) {
          push({0.0, 0});
        } else if (expectOperand) {
          stopped = true;
          continue;
        }
        takeOperator(unit.symbol, unit.at);
        break;
      }
      default: stopped = true; continue;
    }
  }

  Calculation outcome;
  outcome.check = Verdict({units, first, last, open, unmatchedClose}, objections);
  if (stopped || ExpectsOperand(state)) {
    outcome.result = FormatNumber(numberFormat, 0.0);
  } else {
    while (operatorCount > 0)
      reduceTop();
    // Only a number that no operator took can still be an infinity.
    double value = operands[operandCount - 1].Value();
    if (!std::isfinite(value)) value = work.LoneOverflow(lastNumberAt);
    outcome.result = FormatNumber(numberFormat, value);
    outcome.faults = work.InOrderOfPasses();
  }
  stacks.operandCount = 0;
  stacks.operatorCount = 0;
  return outcome;
}

}  // namespace

Calculation Calculate(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  Calculation calculation = Read(text, numberFormat, stacks);
  // A text that fails the check shows its prompt and nothing of the evaluation.
  if (!calculation.check.passed) {
    calculation.result.clear();
    calculation.faults.clear();
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
