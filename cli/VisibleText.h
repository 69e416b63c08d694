// Text as one terminal line can show it: nothing that moves the cursor, rings,
// or starts an escape sequence reaches the terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

// The character at `at` in visible form with the columns it takes, `column`
// being where it starts: a tab shows as blanks up to the next tab stop, and a
// character that would join the one before it shows escaped, so that every
// character has columns of its own to mark.
struct Shown {
  std::string text;
  size_t columns;
};
Shown ShowCharacter(std::string_view text, size_t at, size_t column);

// A file's name in visible form, each character as VisibleCharacter shows it.
std::string VisibleName(std::string_view name);

// The column an editor shows the byte at `at` of the line in, counted from 1, as
// the GNU coding standards ask: a tab goes on to the next multiple of 8, a
// character counts its display width (see CharacterWidth.h), a stray byte one.
long long EditorColumn(std::string_view line, size_t at);
