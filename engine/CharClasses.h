// The lexical ground rules shared by the checker and the evaluator.
#pragma once

#include <array>

#include "Operators.h"

// Digits and the decimal point. Bytes of 128 and above belong to no class.
// Inline, like the next one: the checker and the evaluator ask for every character.
constexpr bool IsNumberChar(char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; }

// The operator's code, its place in kOperators counted from 1, which is also
// its binding strength; any other character 0.
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
