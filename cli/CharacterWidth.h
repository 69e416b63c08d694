// How many columns a character takes on a terminal and in an editor. In a UTF-8
// locale the system's character tables say it (wcwidth), as editors and terminals
// of that locale count; elsewhere, and on Windows, a built-in table of the East
// Asian wide and full-width characters does.
#pragma once

#include <cstddef>

// Reads the character set of the locale the environment names (LC_ALL, LC_CTYPE,
// LANG); nothing on Windows, whose console the tool reads and writes as UTF-16.
void UseEnvironmentCharacterSet();

// Switches to a UTF-8 character set, when the environment's is none, for a line
// editor that must show every character: true when one is in use afterwards.
bool UseUtf8CharacterSet();

// The columns of a Unicode character that prints as itself: 0 for one that joins
// the character before it, 2 for a wide one, 1 otherwise.
size_t ColumnsOf(char32_t code);

// Tab stops are every 8 columns, counted from 0 at the start of the line.
constexpr size_t kTabStop = 8;
constexpr size_t NextTabStop(size_t column) { return (column / kTabStop + 1) * kTabStop; }
