// The lexical ground rules shared by the checker and the evaluator.
#pragma once

#include <array>
#include <string>
#include <string_view>

// Digits and the decimal point. Bytes of 128 and above belong to no class.
// Inline, like the next one: the checker and the evaluator ask for every character.
constexpr bool IsNumberChar(char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; }

// The seven operators and both parentheses.
inline constexpr std::string_view kOperatorChars = "#%()*+-/^";

namespace char_classes_detail {
constexpr std::array<bool, 256> MakeOperatorTable() {
  std::array<bool, 256> table{};
  for (char ch : kOperatorChars)
    table[static_cast<unsigned char>(ch)] = true;
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

// + 1, - 2, * 3, / 4, % 5, ^ 6, # 7; any other token 0. The code doubles as the
// operator's binding strength.
int GetOperatorCode(std::string_view token);
namespace char_classes_detail {
constexpr std::array<unsigned char, 256> MakeOperatorCodes() {
  std::array<unsigned char, 256> codes{};
  const char operators[] = "+-*/%^#";
  for (unsigned char code = 1; code <= 7; ++code)
    codes[static_cast<unsigned char>(operators[code - 1])] = code;
  return codes;
}
inline constexpr std::array<unsigned char, 256> kOperatorCodes = MakeOperatorCodes();
}  // namespace char_classes_detail

inline int GetOperatorCode(char op) { return char_classes_detail::kOperatorCodes[static_cast<unsigned char>(op)]; }
