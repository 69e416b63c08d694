// Expression text as one terminal line can show it: nothing that moves the
// cursor, rings, or starts an escape sequence reaches the terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Checker.h"

// A byte in a closed, visible form: printable ASCII as it is, the backslash
// doubled, every other byte (NUL, control bytes, 127 and above) as \xHH.
std::string VisibleByte(char ch);

// The expression in visible form and, under it, a line that marks the selection
// (^ under its first character, ~ under the rest of it), each character's mark as
// wide as its visible form so the two lines stay aligned. Without a mark the
// second line is empty.
struct MarkedExpression {
  std::string expression;
  std::string marker;
};
MarkedExpression MarkExpression(std::string_view expression, const std::optional<FieldSelection>& mark);
