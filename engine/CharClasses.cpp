#include "CharClasses.h"

namespace {

// The one normalising pass. Writes the kept characters from the front of `out`,
// which may be the text itself: never more is written than has been read. Removing
// a CR LF pair can join a CR and an LF that stood around it ("\r\r\n\n"), so a pair
// is dropped as soon as it forms, like on a stack. Returns the length kept.
size_t Normalize(std::string_view text, char* out) {
  size_t kept = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == ' ') continue;
    if (ch == ',') ch = '.';
    if (ch == '\n' && kept > 0 && out[kept - 1] == '\r') {
      --kept;
      continue;
    }
    out[kept++] = ch;
  }
  return kept;
}

}  // namespace

void NormalizeExpression(std::string& text) { text.resize(Normalize(text, text.data())); }

int GetOperatorCode(std::string_view token) { return token.size() == 1 ? GetOperatorCode(token[0]) : 0; }
