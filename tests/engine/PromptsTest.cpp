#include <gtest/gtest.h>

#include "Prompts.h"

namespace {

CheckOutcome Rejected(Prompt prompt, std::string named = {}) {
  CheckOutcome outcome;
  outcome.passed = false;
  outcome.prompt = prompt;
  outcome.named = std::move(named);
  return outcome;
}

// The result field shows these exactly, blanks at the ends included.
TEST(Prompts, EachPromptHasItsExactText) {
  const struct {
    CheckOutcome outcome;
    const char* text;
  } cases[] = {
      {Rejected(Prompt::EnterExpression), "Enter expression   "},
      {Rejected(Prompt::PasteNumber), "Paste number here   "},
      {Rejected(Prompt::PasteOperator), "Paste operator here "},
      {Rejected(Prompt::Together, "*-"), " Together '*-'  "},
      {Rejected(Prompt::UnknownSymbol, "a"), "Unknown symbol 'a'"},
      {Rejected(Prompt::MissingOpen), "Missing '('"},
      {Rejected(Prompt::MissingClose), "Missing ')'"},
      {Rejected(Prompt::MissingBoth), "Missing '(' and ')'"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RenderPrompt(c.outcome), c.text) << static_cast<int>(c.outcome.prompt);
}

TEST(Prompts, NamedCharactersGoThroughTheWriter) {
  const NamedCharacterWriter bracketed = [](char ch) { return std::string{'<', ch, '>'}; };
  EXPECT_EQ(RenderPrompt(Rejected(Prompt::Together, "*/"), bracketed), " Together '<*></>'  ");
  EXPECT_EQ(RenderPrompt(Rejected(Prompt::UnknownSymbol, std::string(1, '\0'))),
            std::string("Unknown symbol '\0'", 18));
  EXPECT_EQ(RenderPrompt(CheckOutcome{}), "");
}

}  // namespace
