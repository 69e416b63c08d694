// The words of the checker's prompts: the one place where they are written.
#pragma once

#include <string>
#include <string_view>

#include "Checker.h"

// Writes a character that a prompt names. The dialog shows it as it is; a
// terminal needs control bytes in a visible form.
using NamedCharacterWriter = std::string (*)(char);

// The text of the outcome's prompt, blanks at either end included, as the result
// field shows it; empty for an outcome that passed.
std::string RenderPrompt(const CheckOutcome& outcome, NamedCharacterWriter writeNamed = nullptr);

// The English wording of a prompt, each %c standing for a character it names.
std::string_view PromptWording(Prompt prompt);

// The outcome's prompt in a wording of the caller's (a translation of the
// English one), its %c filled in as RenderPrompt fills them.
std::string RenderPromptIn(std::string_view wording, const CheckOutcome& outcome,
                           NamedCharacterWriter writeNamed = nullptr);
