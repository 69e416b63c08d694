// Expression text as one terminal line can show it: nothing that moves the
// cursor, rings, or starts an escape sequence reaches the terminal, and a long
// line is cut to a window around the spot that matters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Checker.h"

// A byte in a closed, visible form: printable ASCII as it is, the backslash
// doubled, every other byte (NUL, control bytes, 127 and above) as \xHH.
std::string VisibleByte(char ch);

// How many bytes the character at `at` takes: the length of a well-formed UTF-8
// sequence, 1 for ASCII and for a byte that starts none.
size_t CharacterLength(std::string_view text, size_t at);

// The code of the well-formed UTF-8 character of `length` bytes at `at`.
char32_t DecodedCharacter(std::string_view text, size_t at, size_t length);

// The character at `at` as a terminal shows it: a UTF-8 character that prints
// as itself, anything else (controls, format and direction marks, stray bytes)
// byte by byte as VisibleByte writes them.
std::string VisibleCharacter(std::string_view text, size_t at);

// A file's name in visible form, each character as VisibleCharacter shows it.
std::string VisibleName(std::string_view name);

// The column an editor shows the byte at `at` of the line in, counted from 1, as
// the GNU coding standards ask: a tab goes on to the next multiple of 8, a
// character counts its display width (see CharacterWidth.h), a stray byte one.
long long EditorColumn(std::string_view line, size_t at);

// The expression in visible form and, under it, a line that marks the selection
// (^ under its first character, ~ under the rest of it), each character's mark as
// wide as its visible form so the two lines stay aligned. A tab shows as blanks up
// to the next tab stop, so the echo's columns are the ones EditorColumn counts.
// Without a mark the second line is empty. A line wider than about 80 columns is shown as a window
// around the mark's start, "..." standing for what is cut off, so one prompt costs
// a few hundred bytes whatever the length of the line.
struct MarkedExpression {
  std::string expression;
  std::string marker;
};
MarkedExpression MarkExpression(std::string_view expression, const std::optional<FieldSelection>& mark);
