#include "Checker.h"

#include <vector>

#include "CharClasses.h"

namespace {

// The text being judged together with, for each of its characters, the index that
// character has in the expression field. Blanks, and both characters of each CR LF
// pair, are removed from the text and from the map alike, so a mark always lands
// on the character it names.
struct PreparedText {
  std::string s;
  std::vector<int> map;
};

PreparedText Prepare(std::string_view field) {
  PreparedText t;
  t.s.reserve(field.size());
  t.map.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    char ch = field[i];
    if (ch == ' ') continue;
    if (ch == ',') ch = '.';
    // Removing a pair can bring a CR and an LF together ("\r\r\n\n").
    if (ch == '\n' && !t.s.empty() && t.s.back() == '\r') {
      t.s.pop_back();
      t.map.pop_back();
      continue;
    }
    t.s.push_back(ch);
    t.map.push_back(static_cast<int>(i));
  }
  return t;
}

CheckOutcome Reject(Prompt prompt, std::optional<FieldSelection> mark, std::string named = {}) {
  CheckOutcome outcome;
  outcome.passed = false;
  outcome.prompt = prompt;
  outcome.named = std::move(named);
  outcome.mark = mark;
  return outcome;
}

FieldSelection CaretBefore(int fieldIndex) { return {fieldIndex, fieldIndex}; }
FieldSelection CaretAfter(int fieldIndex) { return {fieldIndex + 1, fieldIndex + 1}; }

CheckOutcome PasteNumber(FieldSelection caret) { return Reject(Prompt::PasteNumber, caret); }
CheckOutcome PasteOperator(FieldSelection caret) { return Reject(Prompt::PasteOperator, caret); }

bool IsLeadingOperatorForbidden(char ch) { return ch == '*' || ch == '/' || ch == '^' || ch == '#' || ch == '%'; }

// Operator characters that may stand side by side: anything after ')', '(' after
// anything, and a sign after '('.
bool MayStandTogether(char first, char second) {
  return first == ')' || second == '(' || (first == '(' && (second == '-' || second == '+'));
}

// Pairs every '(' with a ')' after it, as far as they go, and names what is left.
std::optional<CheckOutcome> CheckBalance(const std::string& s) {
  long long open = 0;
  long long unmatchedClose = 0;
  for (char ch : s) {
    if (ch == '(')
      ++open;
    else if (ch == ')') {
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

}  // namespace

CheckOutcome CheckExpressionText(std::string_view field) {
  const PreparedText t = Prepare(field);
  const std::string& s = t.s;
  const auto& map = t.map;
  const size_t n = s.size();
  // s[n] is the terminating zero of the text: in no class.
  auto at = [&](size_t k) { return k < n ? s[k] : '\0'; };

  // Nothing to compute.
  if (n == 0 || (n == 1 && IsOperatorChar(s[0])))
    return Reject(Prompt::EnterExpression, FieldSelection{0, -1});

  // Only a sign or a parenthesis may open the expression.
  if (IsLeadingOperatorForbidden(s[0])) return PasteNumber(CaretBefore(map[0]));

  // Only a closing parenthesis may end it.
  if (IsOperatorChar(s[n - 1]) && s[n - 1] != ')') return PasteNumber(CaretAfter(map[n - 1]));

  // A parenthesis standing between two numbers.
  for (size_t k = 1; k + 1 < n; ++k) {
    if (!IsNumberChar(s[k - 1]) || !IsNumberChar(s[k + 1])) continue;
    if (s[k] == '(') return PasteOperator(CaretBefore(map[k]));
    if (s[k] == ')') return PasteOperator(CaretAfter(map[k]));
  }

  // ")(" needs an operator between.
  if (const size_t p = s.find(")("); p != std::string::npos) return PasteOperator(CaretBefore(map[p + 1]));

  for (size_t k = 0; k < n; ++k) {
    const char here = s[k];
    const char next = at(k + 1);
    if (IsNumberChar(here) && next == '(') return PasteOperator(CaretBefore(map[k + 1]));
    if (IsOperatorChar(here) && IsOperatorChar(next) && !MayStandTogether(here, next))
      return Reject(Prompt::Together, FieldSelection{map[k], map[k + 1] + 1}, {here, next});
    if (!IsOperatorChar(here) && !IsNumberChar(here))
      return Reject(Prompt::UnknownSymbol, FieldSelection{map[k], map[k] + 1}, std::string(1, here));
  }

  if (auto unbalanced = CheckBalance(s)) return *unbalanced;

  // A number straight after a closing parenthesis that itself follows one, as in
  // ((2))3: the parenthesis rule above looks only at single parentheses between
  // numbers, and nothing would be there to combine the two operands.
  for (size_t k = 0; k + 1 < n; ++k) {
    if (s[k] == ')' && IsNumberChar(s[k + 1])) return PasteOperator(CaretAfter(map[k]));
  }

  return CheckOutcome{};
}
