// The syntax checker: decides whether an expression is complete and well formed
// and, when it is not, which prompt the user gets and which spot of the expression
// field is marked.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class Prompt {
  EnterExpression,  // "Enter expression   "
  PasteNumber,      // "Paste number here   "
  PasteOperator,    // "Paste operator here "
  Together,         // " Together '%c%c'  "
  UnknownSymbol,    // "Unknown symbol '%c'"
  MissingOpen,      // "Missing '('"
  MissingClose,     // "Missing ')'"
  MissingBoth,      // "Missing '(' and ')'"
};

// A selection in the expression field, as EM_SETSEL takes it: start == end is a
// caret before index start; (0, -1) selects the whole text.
struct FieldSelection {
  int start;
  int end;
  bool operator==(const FieldSelection&) const = default;
};

struct CheckOutcome {
  bool passed = true;
  Prompt prompt = Prompt::EnterExpression;  // meaningful only when !passed
  std::string promptText;                   // the text for the result field, exact
  std::optional<FieldSelection> mark;       // none for the balance prompts
};

// Judges the text as typed in the expression field; indices of the mark refer to it.
CheckOutcome CheckExpressionText(std::string_view text);
