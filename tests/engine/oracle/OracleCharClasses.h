// The character classes and the normalising of a typed text, written out one
// rule at a time for the tests' oracles. The engine needs none of this: it reads
// the text as typed in one pass (TypedText.h), which sees it as normalising
// leaves it.
#pragma once

#include <string>
#include <string_view>

#include "CharClasses.h"

// The operators and both parentheses.
bool IsOperatorChar(char ch);

// Removes blanks, turns commas into points and removes CR LF pairs, in that order.
// A CR or LF that is not part of a pair stays (the checker reports it).
void NormalizeExpression(std::string& text);

// The code of a whole token: an operator's code for a token of that one
// character, 0 for any other token.
int GetOperatorCode(std::string_view token);
