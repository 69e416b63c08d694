#include "RuleByRuleCheck.h"

#include <cstddef>
#include <string>
#include <vector>

#include "OracleCharClasses.h"

namespace {

CheckOutcome Reject(Prompt prompt, std::optional<FieldSelection> mark, std::string named = {}) {
  CheckOutcome outcome;
  outcome.passed = false;
  outcome.prompt = prompt;
  outcome.named = std::move(named);
  outcome.mark = mark;
  return outcome;
}

FieldSelection CaretBefore(std::ptrdiff_t fieldIndex) { return {fieldIndex, fieldIndex}; }
FieldSelection CaretAfter(std::ptrdiff_t fieldIndex) { return {fieldIndex + 1, fieldIndex + 1}; }

CheckOutcome PasteNumber(FieldSelection caret) { return Reject(Prompt::PasteNumber, caret); }
CheckOutcome PasteOperator(FieldSelection caret) { return Reject(Prompt::PasteOperator, caret); }

bool IsLeadingOperatorForbidden(char ch) { return ch == '*' || ch == '/' || ch == '^' || ch == '#' || ch == '%'; }

// Operator characters that may stand side by side: anything after ')', '(' after
// anything, and a sign after '('.
bool MayStandTogether(char first, char second) {
  return first == ')' || second == '(' || (first == '(' && (second == '-' || second == '+'));
}

// Pairs every '(' with a ')' after it, as far as they go, and names what is left.
std::optional<CheckOutcome> CheckBalance(std::string_view s) {
  long long open = 0;
  long long unmatchedClose = 0;
  for (char ch : s) {
    if (ch == '(') {
      ++open;
    } else if (ch == ')') {
      if (open > 0)
        --open;
      else
        ++unmatchedClose;
    }
  }
  if (open > 0 && unmatchedClose > 0) return Reject(Prompt::MissingBoth, std::nullopt);
  if (unmatchedClose > 0) return Reject(Prompt::MissingOpen, std::nullopt);
  if (open > 0) return Reject(Prompt::MissingClose, std::nullopt);
  return std::nullopt;
}

// Where the first number that holds two decimal points has its second one.
size_t FindSecondSeparator(std::string_view normalized) {
  bool pointInNumber = false;
  for (size_t k = 0; k < normalized.size(); ++k) {
    const char ch = normalized[k];
    if (ch == '.' && pointInNumber) return k;
    pointInNumber = ch == '.' || (pointInNumber && IsNumberChar(ch));
  }
  return std::string_view::npos;
}

// The normalised text, and where each of its characters stood in the text as
// typed: the normalising of NormalizeExpression, each kept character carrying
// its typed index along.
struct Normalized {
  std::string text;
  std::vector<std::ptrdiff_t> at;
};

Normalized NormalizeWithPositions(std::string_view field) {
  std::string kept;
  std::vector<std::ptrdiff_t> at;
  for (size_t i = 0; i < field.size(); ++i) {
    char ch = field[i];
    if (ch == ' ') continue;
    if (ch == ',') ch = '.';
    if (ch == '\n' && !kept.empty() && kept.back() == '\r') {
      kept.pop_back();
      at.pop_back();
      continue;
    }
    kept += ch;
    at.push_back(static_cast<std::ptrdiff_t>(i));
  }
  return {kept, at};
}

}  // namespace

CheckOutcome CheckEachRule(std::string_view field) {
  const Normalized normalized = NormalizeWithPositions(field);
  const std::string_view text = normalized.text;
  const std::vector<std::ptrdiff_t>& fieldIndex = normalized.at;
  const size_t n = text.size();
  // Past the end stands the text's terminating zero, which is in no class.
  auto at = [&](size_t k) { return k < n ? text[k] : '\0'; };

  // Nothing to compute.
  if (n == 0 || (n == 1 && IsOperatorChar(text[0]))) return Reject(Prompt::EnterExpression, FieldSelection{0, -1});

  // Only a sign or a parenthesis may open the expression.
  if (IsLeadingOperatorForbidden(text[0])) return PasteNumber(CaretBefore(fieldIndex[0]));

  // Only a closing parenthesis may end it.
  if (IsOperatorChar(text[n - 1]) && text[n - 1] != ')') return PasteNumber(CaretAfter(fieldIndex[n - 1]));

  // A parenthesis standing between two numbers.
  for (size_t k = 1; k + 1 < n; ++k) {
    if (!IsNumberChar(text[k - 1]) || !IsNumberChar(text[k + 1])) continue;
    if (text[k] == '(') return PasteOperator(CaretBefore(fieldIndex[k]));
    if (text[k] == ')') return PasteOperator(CaretAfter(fieldIndex[k]));
  }

  // ")(" needs an operator between.
  if (const size_t p = text.find(")("); p != std::string_view::npos)
    return PasteOperator(CaretBefore(fieldIndex[p + 1]));

  for (size_t k = 0; k < n; ++k) {
    const char here = text[k];
    const char next = at(k + 1);
    if (IsNumberChar(here) && next == '(') return PasteOperator(CaretBefore(fieldIndex[k + 1]));
    if (IsOperatorChar(here) && IsOperatorChar(next) && !MayStandTogether(here, next))
      return Reject(Prompt::Together, FieldSelection{fieldIndex[k], fieldIndex[k + 1] + 1}, {here, next});
    if (!IsOperatorChar(here) && !IsNumberChar(here))
      return Reject(Prompt::UnknownSymbol, FieldSelection{fieldIndex[k], fieldIndex[k] + 1}, std::string(1, here));
  }

  if (auto unbalanced = CheckBalance(text)) return *unbalanced;

  // A number straight after a closing parenthesis that itself follows one, as in
  // ((2))3: the parenthesis rule above looks only at single parentheses between
  // numbers, and nothing would be there to combine the two operands.
  for (size_t k = 0; k + 1 < n; ++k) {
    if (text[k] == ')' && IsNumberChar(text[k + 1])) return PasteOperator(CaretAfter(fieldIndex[k]));
  }

  // A number with a second decimal separator, as in 1.2.3 or 1,234.5, would be
  // read only up to it: another number than the one typed. The caret goes before
  // that separator, where the operator it may stand for belongs.
  if (const size_t second = FindSecondSeparator(text); second != std::string_view::npos)
    return PasteOperator(CaretBefore(fieldIndex[second]));

  return CheckOutcome{};
}
