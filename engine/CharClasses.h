// The lexical ground rules shared by the checker and the evaluator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Digits and the decimal point. Bytes of 128 and above belong to no class.
bool IsNumberChar(char ch);

// The seven operators # % * + - / ^ and both parentheses.
bool IsOperatorChar(char ch);

// Removes blanks, turns commas into points and removes CR LF pairs, in that order.
// A CR or LF that is not part of a pair stays (the checker reports it).
void NormalizeExpression(std::string& text);

// The normalised text together with, for each of its characters, the index that
// character has in the text as typed, so that a spot found in the one can be
// marked in the other.
struct NormalizedText {
  std::string text;
  std::vector<int> fieldIndex;
};
NormalizedText NormalizeKeepingPositions(std::string_view field);

// + 1, - 2, * 3, / 4, % 5, ^ 6, # 7; any other token 0. The code doubles as the
// operator's binding strength.
int GetOperatorCode(std::string_view token);
int GetOperatorCode(char op);
