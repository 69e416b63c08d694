#include "Checker.h"

using namespace check_rules_detail;

namespace {

FieldSelection CaretBefore(size_t at) { return {static_cast<std::ptrdiff_t>(at), static_cast<std::ptrdiff_t>(at)}; }
FieldSelection CaretAfter(size_t at) { return CaretBefore(at + 1); }
FieldSelection Selection(size_t from, size_t to) {
  return {static_cast<std::ptrdiff_t>(from), static_cast<std::ptrdiff_t>(to)};
}

CheckOutcome Reject(Prompt prompt, std::optional<FieldSelection> mark, std::string named = {}) {
  CheckOutcome outcome;
  outcome.passed = false;
  outcome.prompt = prompt;
  outcome.named = std::move(named);
  outcome.mark = mark;
  return outcome;
}

}  // namespace

void CheckRules::Note(Rule rule, Prompt prompt, FieldSelection mark, std::string named) {
  if (!m_objections[rule]) m_objections[rule] = Objection{prompt, mark, std::move(named)};
}

void CheckRules::Object(Unit unit) {
  // A number with a second decimal separator, as in 1.2.3 or 1,234.5, would be
  // read only up to it: another number than the one typed. The caret goes before
  // that separator, where the operator it may stand for belongs.
  if (unit.secondSeparatorAt != kNowhere) Note(kSecondSeparator, Prompt::PasteOperator, CaretBefore(unit.secondSeparatorAt));
  if (!kObjects[m_state][unit.kind]) return;

  if (unit.kind == kUnknown) {
    Note(kPairsAndSymbols, Prompt::UnknownSymbol, Selection(unit.at, unit.at + 1), std::string(1, unit.symbol));
    return;
  }
  switch (m_state) {
    case kAfterNumber:  // a number straight before '('
      Note(kPairsAndSymbols, Prompt::PasteOperator, CaretBefore(unit.at));
      return;
    case kAfterOpenAfterNumber:
      if (unit.kind == kNumber) {
        Note(kParenthesisBetweenNumbers, Prompt::PasteOperator, CaretBefore(m_last.at));
        return;
      }
      break;
    case kAfterCloseAfterNumber:
    case kAfterClose:
      if (unit.kind == kOpen) {
        Note(kCloseThenOpen, Prompt::PasteOperator, CaretBefore(unit.at));
      } else if (m_state == kAfterCloseAfterNumber) {
        Note(kParenthesisBetweenNumbers, Prompt::PasteOperator, CaretAfter(m_last.at));
      } else {
        // A number straight after a closing parenthesis that itself follows no
        // number, as in ((2))3: nothing would be there to combine the two operands.
        Note(kNumberAfterClose, Prompt::PasteOperator, CaretAfter(m_last.at));
      }
      return;
    default: break;
  }
  // Two operators together, both selected with whatever normalising took out
  // between them.
  Note(kPairsAndSymbols, Prompt::Together, Selection(m_last.at, unit.at + 1), {m_last.symbol, unit.symbol});
}

CheckOutcome CheckRules::Verdict() const {
  // Nothing to compute.
  if (m_units == 0 || (m_units == 1 && m_first.kind != kNumber && m_first.kind != kUnknown))
    return Reject(Prompt::EnterExpression, FieldSelection{0, -1});

  // Only a sign or a parenthesis may open the expression.
  if (m_first.kind == kBinary) return Reject(Prompt::PasteNumber, CaretBefore(m_first.at));

  // Only a closing parenthesis may end it.
  if (m_last.kind == kOpen || m_last.kind == kSign || m_last.kind == kBinary)
    return Reject(Prompt::PasteNumber, CaretAfter(m_last.at));

  for (Rule rule : {kParenthesisBetweenNumbers, kCloseThenOpen, kPairsAndSymbols}) {
    if (const auto& objection = m_objections[rule])
      return Reject(objection->prompt, objection->mark, objection->named);
  }

  // Every '(' paired with a ')' after it, as far as they go: what is left is missing.
  if (m_open > 0 && m_unmatchedClose > 0) return Reject(Prompt::MissingBoth, std::nullopt);
  if (m_unmatchedClose > 0) return Reject(Prompt::MissingOpen, std::nullopt);
  if (m_open > 0) return Reject(Prompt::MissingClose, std::nullopt);

  for (Rule rule : {kNumberAfterClose, kSecondSeparator}) {
    if (const auto& objection = m_objections[rule])
      return Reject(objection->prompt, objection->mark, objection->named);
  }
  return CheckOutcome{};
}
