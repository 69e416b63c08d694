// Typed text on its way through the line editor, which works on wide characters,
// and back to the very bytes the terminal sent. A byte that starts no well-formed
// UTF-8 character travels as the lone surrogate U+DC00 plus its value, which no
// well-formed character decodes to; the editor shows it as \U+DCxx, and on the
// way back it is that byte again, so the checker names and rejects it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The wide character at the start of `bytes` (not empty) and how many bytes it
// took, as CharacterLength splits them.
struct WideCharacter {
  wchar_t code;
  size_t length;
};
WideCharacter WideCharacterAt(std::string_view bytes);

std::wstring WideOf(std::string_view bytes);
std::string BytesOf(std::wstring_view wide);
