#include "CharacterWidth.h"

#ifndef _WIN32
#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <cwchar>
#endif

namespace {

size_t BuiltInColumnsOf(char32_t code) {
  const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF && code != 0x303F) ||
                    (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                    (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                    (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x1F300 && code <= 0x1F64F) ||
                    (code >= 0x1F900 && code <= 0x1F9FF) || (code >= 0x20000 && code <= 0x3FFFD);
  return wide ? 2 : 1;
}

#ifndef _WIN32
// Set once the tool knows its locale's character set is UTF-8.
bool g_localeIsUtf8 = false;

bool CharacterSetIsUtf8() {
  const char* set = nl_langinfo(CODESET);
  return set != nullptr && (std::strcmp(set, "UTF-8") == 0 || std::strcmp(set, "utf8") == 0);
}
#endif

}  // namespace

#ifdef _WIN32

void UseEnvironmentCharacterSet() {}
bool UseUtf8CharacterSet() { return true; }

#else

void UseEnvironmentCharacterSet() {
  std::setlocale(LC_CTYPE, "");
  g_localeIsUtf8 = CharacterSetIsUtf8();
}

bool UseUtf8CharacterSet() {
  if (!g_localeIsUtf8 && std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr) g_localeIsUtf8 = CharacterSetIsUtf8();
  return g_localeIsUtf8;
}

#endif

size_t ColumnsOf(char32_t code) {
#ifndef _WIN32
  if (g_localeIsUtf8) {
    // A character the tables do not know (unassigned, or newer than them) takes one.
    const int columns = wcwidth(static_cast<wchar_t>(code));
    return columns < 0 ? 1 : static_cast<size_t>(columns);
  }
#endif
  return BuiltInColumnsOf(code);
}
