#include "Prompts.h"

#include <array>
#include <string_view>

namespace {

struct WordingOf {
  Prompt prompt;
  std::string_view text;  // each %c stands for the next character the outcome names
};

// The blanks at the ends belong to the texts: the result field has always shown
// them so.
constexpr std::array kWordings = {
    WordingOf{Prompt::EnterExpression, "Enter expression   "},
    WordingOf{Prompt::PasteNumber, "Paste number here   "},
    WordingOf{Prompt::PasteOperator, "Paste operator here "},
    WordingOf{Prompt::Together, " Together '%c%c'  "},
    WordingOf{Prompt::UnknownSymbol, "Unknown symbol '%c'"},
    WordingOf{Prompt::MissingOpen, "Missing '('"},
    WordingOf{Prompt::MissingClose, "Missing ')'"},
    WordingOf{Prompt::MissingBoth, "Missing '(' and ')'"},
};

constexpr bool EveryPromptInItsPlace() {
  for (size_t i = 0; i < kWordings.size(); ++i) {
    if (static_cast<size_t>(kWordings[i].prompt) != i) return false;
  }
  return kWordings.back().prompt == Prompt::MissingBoth;
}
static_assert(EveryPromptInItsPlace(), "one wording per prompt, in the order of the enum");

}  // namespace

std::string_view PromptWording(Prompt prompt) { return kWordings[static_cast<size_t>(prompt)].text; }

std::string RenderPrompt(const CheckOutcome& outcome, NamedCharacterWriter writeNamed) {
  if (outcome.passed) return {};
  return RenderPromptIn(PromptWording(outcome.prompt), outcome, writeNamed);
}

std::string RenderPromptIn(std::string_view wording, const CheckOutcome& outcome, NamedCharacterWriter writeNamed) {
  if (outcome.passed) return {};
  std::string text;
  size_t nextNamed = 0;
  for (size_t i = 0; i < wording.size(); ++i) {
    if (wording.compare(i, 2, "%c") != 0) {
      text += wording[i];
      continue;
    }
    const char named = nextNamed < outcome.named.size() ? outcome.named[nextNamed] : '?';
    ++nextNamed;
    if (writeNamed)
      text += writeNamed(named);
    else
      text += named;
    ++i;
  }
  return text;
}
