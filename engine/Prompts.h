// The words of the checker's prompts: the one place where they are written.
#pragma once

#include <string>

#include "Checker.h"

// Writes a character that a prompt names. The dialog shows it as it is; a
// terminal needs control bytes in a visible form.
using NamedCharacterWriter = std::string (*)(char);

// The text of the outcome's prompt, blanks at either end included, as the result
// field shows it; empty for an outcome that passed.
std::string RenderPrompt(const CheckOutcome& outcome, NamedCharacterWriter writeNamed = nullptr);
