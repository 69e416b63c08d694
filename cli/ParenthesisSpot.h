// Where a parenthesis is missing. The window leaves the caret where it was for
// these prompts, but a line on a terminal has no caret to leave alone, and a
// column and a marker say more there than the prompt does by itself.
#pragma once

#include <string_view>

#include "Checker.h"

// The outcome with a mark for the balance prompts: the first ')' that no '('
// opens, which a missing '(' belongs before; or, where only ')' is missing,
// the caret after the last character typed. Every other outcome as it was.
CheckOutcome WithParenthesisSpot(CheckOutcome outcome, std::string_view expression);
