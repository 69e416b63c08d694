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

void Objections::Note(Rule rule, Prompt prompt, FieldSelection mark, std::string named) {
  if (!m_objections) m_objections = std::make_unique<std::array<std::optional<Objection>, kRules>>();
  auto& objection = (*m_objections)[rule];
  if (!objection) objection = Objection{prompt, mark, std::move(named)};
}

void Objections::Object(CheckState state, SeenUnit last, Unit unit) {
  // A number with a second decimal separator, as in 1.2.3 or 1,234.5, would be
  // read only up to it: another number than the one typed. The caret goes before
  // that separator, where the operator it may stand for belongs.
  if (unit.secondSeparatorAt != kNowhere) Note(kSecondSeparator, Prompt::PasteOperator, CaretBefore(unit.secondSeparatorAt));
  if (!kObjects[state][unit.kind]) return;

  if (unit.kind == kUnknown) {
    Note(kPairsAndSymbols, Prompt::UnknownSymbol, Selection(unit.at, unit.at + 1), std::string(1, unit.symbol));
    return;
  }
  switch (state) {
    case kAfterNumber:  // a number straight before '('
      Note(kPairsAndSymbols, Prompt::PasteOperator, CaretBefore(unit.at));
      return;
    case kAfterOpenAfterNumber:
      if (unit.kind == kNumber) {
        Note(kParenthesisBetweenNumbers, Prompt::PasteOperator, CaretBefore(last.at));
        return;
      }
      break;
    case kAfterCloseAfterNumber:
    case kAfterClose:
      if (unit.kind == kOpen) {
        Note(kCloseThenOpen, Prompt::PasteOperator, CaretBefore(unit.at));
      } else if (state == kAfterCloseAfterNumber) {
        Note(kParenthesisBetweenNumbers, Prompt::PasteOperator, CaretAfter(last.at));
      } else {
        // A number straight after a closing parenthesis that itself follows no
        // number, as in ((2))3: nothing would be there to combine the two operands.
        Note(kNumberAfterClose, Prompt::PasteOperator, CaretAfter(last.at));
      }
      return;
    default: break;
  }
  // Two operators together, both selected with whatever normalising took out
  // between them.
  Note(kPairsAndSymbols, Prompt::Together, Selection(last.at, unit.at + 1), {last.symbol, unit.symbol});
}

CheckOutcome Verdict(const RulesAtEnd& rules, const Objections& objections) {
  // Nothing to compute.
  if (rules.units == 0 || (rules.units == 1 && rules.first.kind != kNumber && rules.first.kind != kUnknown))
    return Reject(Prompt::EnterExpression, FieldSelection{0, -1});

  // Only a sign or a parenthesis may open the expression.
  if (rules.first.kind == kBinary) return Reject(Prompt::PasteNumber, CaretBefore(rules.first.at));

  // Only a closing parenthesis may end it.
  if (rules.last.kind == kOpen || rules.last.kind == kSign || rules.last.kind == kBinary)
    return Reject(Prompt::PasteNumber, CaretAfter(rules.last.at));

  for (Objections::Rule rule :
       {Objections::kParenthesisBetweenNumbers, Objections::kCloseThenOpen, Objections::kPairsAndSymbols}) {
    if (const Objections::Objection* objection = objections[rule])
      return Reject(objection->prompt, objection->mark, objection->named);
  }

  // Every '(' paired with a ')' after it, as far as they go: what is left is missing.
  if (rules.open > 0 && rules.unmatchedClose > 0) return Reject(Prompt::MissingBoth, std::nullopt);
  if (rules.unmatchedClose > 0) return Reject(Prompt::MissingOpen, std::nullopt);
  if (rules.open > 0) return Reject(Prompt::MissingClose, std::nullopt);

  for (Objections::Rule rule : {Objections::kNumberAfterClose, Objections::kSecondSeparator}) {
    if (const Objections::Objection* objection = objections[rule])
      return Reject(objection->prompt, objection->mark, objection->named);
  }
  return CheckOutcome{};
}
