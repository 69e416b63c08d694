#include "TerminalText.h"

#include "VisibleText.h"

namespace {

constexpr wchar_t kStrayByteBase = 0xDC00;

}  // namespace

WideCharacter WideCharacterAt(std::string_view bytes) {
  const size_t length = CharacterLength(bytes, 0);
  const auto lead = static_cast<unsigned char>(bytes[0]);
  if (length == 1) return {lead < 0x80 ? static_cast<wchar_t>(lead) : kStrayByteBase + lead, 1};
  return {static_cast<wchar_t>(DecodedCharacter(bytes, 0, length)), length};
}

std::wstring WideOf(std::string_view bytes) {
  std::wstring wide;
  while (!bytes.empty()) {
    const WideCharacter character = WideCharacterAt(bytes);
    wide += character.code;
    bytes.remove_prefix(character.length);
  }
  return wide;
}

std::string BytesOf(std::wstring_view wide) {
  std::string bytes;
  for (const wchar_t ch : wide) {
    const auto code = static_cast<char32_t>(ch);
    if (code >= kStrayByteBase + 0x80u && code <= kStrayByteBase + 0xFFu) {
      bytes += static_cast<char>(code - kStrayByteBase);
    } else if (code < 0x80) {
      bytes += static_cast<char>(code);
    } else if (code < 0x800) {
      bytes += static_cast<char>(0xC0 | (code >> 6));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      bytes += static_cast<char>(0xE0 | (code >> 12));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (code >> 18));
      bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return bytes;
}
