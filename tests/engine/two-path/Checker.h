// The syntax checker: decides whether an expression is complete and well formed
// and, when it is not, which prompt the user gets and which spot of the expression
// field is marked.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace two_path {

// What the user is asked for; Prompts.h holds the texts.
enum class Prompt {
  EnterExpression,
  PasteNumber,
  PasteOperator,
  Together,       // names the two operators that stand together
  UnknownSymbol,  // names the character
  MissingOpen,
  MissingClose,
  MissingBoth,
};

// A selection in the expression field, as EM_SETSEL takes it: start == end is a
// caret before index start; (0, -1) selects the whole text.
struct FieldSelection {
  int start;
  int end;
  bool operator==(const FieldSelection&) const = default;
};

// What the checker decided. Turning it into words is the job of RenderPrompt.
struct CheckOutcome {
  bool passed = true;
  Prompt prompt = Prompt::EnterExpression;  // meaningful only when !passed
  std::string named;                        // the characters Together and UnknownSymbol name, in order
  std::optional<FieldSelection> mark;       // none for the balance prompts
};

// Judges the text as typed in the expression field; indices of the mark refer to it.
CheckOutcome CheckExpressionText(std::string_view text);

// The same judgement, rule after rule in their order, each rule over the whole
// text, so that the first rule that objects names the fault.
CheckOutcome CheckEachRule(std::string_view text);

// One pass over the text: true exactly when CheckEachRule passes it and it has
// nothing to normalise (no blank, comma or line break). Such a text is evaluated
// as it stands.
bool PassesAtOnce(std::string_view text);

}  // namespace two_path
