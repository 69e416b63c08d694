#include "VisibleText.h"

#include "CharacterWidth.h"

char32_t DecodedCharacter(std::string_view text, size_t at, size_t length) {
  const auto lead = static_cast<unsigned char>(text[at]);
  char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (size_t i = 1; i < length; ++i)
    code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
  return code;
}

namespace {

// Characters that would reach the terminal as something else than one visible
// glyph: C1 controls, zero-width and direction marks, combining marks, the
// byte-order mark, line and paragraph separators.
bool PrintsAsItself(char32_t code) {
  if (code < 0xA0 || code == 0xAD) return false;
  if (code >= 0x300 && code <= 0x36F) return false;
  if (code >= 0x200B && code <= 0x200F) return false;
  if (code >= 0x2028 && code <= 0x202E) return false;
  if (code >= 0x2060 && code <= 0x206F) return false;
  if (code >= 0x20D0 && code <= 0x20FF) return false;
  if (code >= 0xFE00 && code <= 0xFE0F) return false;
  if (code >= 0xFE20 && code <= 0xFE2F) return false;
  if (code == 0xFEFF || (code >= 0xFFF9 && code <= 0xFFFB)) return false;
  return true;
}

}  // namespace

Shown ShowCharacter(std::string_view text, size_t at, size_t column) {
  const size_t length = CharacterLength(text, at);
  if (text[at] == '\t') return {std::string(NextTabStop(column) - column, ' '), NextTabStop(column) - column};
  if (length > 1) {
    const char32_t code = DecodedCharacter(text, at, length);
    if (PrintsAsItself(code) && ColumnsOf(code) > 0) return {std::string(text.substr(at, length)), ColumnsOf(code)};
  }
  std::string shown;
  for (size_t i = 0; i < length; ++i)
    shown += VisibleByte(text[at + i]);
  return {shown, shown.size()};
}

std::string VisibleByte(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  if (ch == '\\') return "\\\\";
  if (byte >= 32 && byte < 127) return std::string(1, ch);
  constexpr char kHexDigits[] = "0123456789abcdef";
  return {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
}

size_t CharacterLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    least = 0x10000;
  } else {
    return 1;
  }
  if (text.size() - at < length) return 1;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  const char32_t code = DecodedCharacter(text, at, length);
  // Over-long forms, surrogates and values past Unicode's end are no characters.
  if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 1;
  return length;
}

std::string VisibleCharacter(std::string_view text, size_t at) {
  return text[at] == '\t' ? VisibleByte('\t') : ShowCharacter(text, at, 0).text;
}

std::string VisibleName(std::string_view name) {
  std::string shown;
  for (size_t i = 0; i < name.size(); i += CharacterLength(name, i))
    shown += VisibleCharacter(name, i);
  return shown;
}

long long EditorColumn(std::string_view line, size_t at) {
  size_t columns = 0;
  for (size_t i = 0; i < at && i < line.size(); i += CharacterLength(line, i)) {
    const size_t length = CharacterLength(line, i);
    if (line[i] == '\t')
      columns = NextTabStop(columns);
    else
      columns += length > 1 ? ColumnsOf(DecodedCharacter(line, i, length)) : 1;
  }
  return static_cast<long long>(columns) + 1;
}

