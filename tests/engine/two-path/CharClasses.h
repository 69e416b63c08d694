// The lexical ground rules shared by the checker and the evaluator.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace two_path {

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
// A CR or LF that is not part of a pair stays (the checker reports it).
void NormalizeExpression(std::string& text);

// False when normalising would leave the text as it is, as it does for most.
bool NeedsNormalizing(std::string_view text);

// The text as typed, normalised.
std::string NormalizedCopy(std::string_view field);

// The index in the text as typed of the normalised text's character at `index`,
// so that a spot found in the one can be marked in the other. It is found by
// normalising once more rather than kept in a table four times the text's size:
// a rejected text asks for one or two spots.
int FieldIndexOf(std::string_view field, size_t index);

// The same for several indices, found in one pass: an evaluation may meet a
// fault at every operator of a long text.
void ToFieldIndices(std::string_view field, std::vector<size_t>& indices);

// + 1, - 2, * 3, / 4, % 5, ^ 6, # 7; any other token 0. The code doubles as the
// operator's binding strength.
int GetOperatorCode(std::string_view token);
inline int GetOperatorCode(char op) {
  switch (op) {
    case '+': return 1;
    case '-': return 2;
    case '*': return 3;
    case '/': return 4;
    case '%': return 5;
    case '^': return 6;
    case '#': return 7;
    default: return 0;
  }
}

}  // namespace two_path
