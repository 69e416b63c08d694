// The lexical ground rules shared by the checker and the evaluator.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "Operators.h"

// Digits and the decimal point. Bytes of 128 and above belong to no class.
// Inline, like the next one: the checker and the evaluator ask for every character.
constexpr bool IsNumberChar(char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; }

// The operators and both parentheses.
namespace char_classes_detail {
constexpr std::array<bool, 256> MakeOperatorTable() {
  std::array<bool, 256> table{};
  for (const OperatorRow& row : kOperators)
    table[static_cast<unsigned char>(row.symbol)] = true;
  table['('] = table[')'] = true;
  return table;
}
inline constexpr std::array<bool, 256> kIsOperator = MakeOperatorTable();
}  // namespace char_classes_detail

inline bool IsOperatorChar(char ch) { return char_classes_detail::kIsOperator[static_cast<unsigned char>(ch)]; }

// Removes blanks, turns commas into points and removes CR LF pairs, in that order.
// A CR or LF that is not part of a pair stays (the checker reports it). The
// checker and the evaluator read the text as typed with TypedTextReader, which
// sees it as this leaves it.
void NormalizeExpression(std::string& text);

// The operator's code, its place in kOperators counted from 1, which is also
// its binding strength; any other token 0.
int GetOperatorCode(std::string_view token);
namespace char_classes_detail {
constexpr std::array<unsigned char, 256> MakeOperatorCodes() {
  std::array<unsigned char, 256> codes{};
  for (int code = 1; code <= kOperatorCount; ++code)
    codes[static_cast<unsigned char>(kOperators[code - 1].symbol)] = static_cast<unsigned char>(code);
  return codes;
}
inline constexpr std::array<unsigned char, 256> kOperatorCodes = MakeOperatorCodes();
}  // namespace char_classes_detail

inline int GetOperatorCode(char op) { return char_classes_detail::kOperatorCodes[static_cast<unsigned char>(op)]; }
