#include "CharClasses.h"

namespace {

// The one normalising pass. Writes the kept characters from the front of `out`,
// which may be the text itself: never more is written than has been read. Removing
// a CR LF pair can join a CR and an LF that stood around it ("\r\r\n\n"), so a pair
// is dropped as soon as it forms, like on a stack. Returns the length kept.
size_t Normalize(std::string_view text, char* out, std::vector<int>* fieldIndex) {
  size_t kept = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == ' ') continue;
    if (ch == ',') ch = '.';
    if (ch == '\n' && kept > 0 && out[kept - 1] == '\r') {
      --kept;
      if (fieldIndex) fieldIndex->pop_back();
      continue;
    }
    out[kept++] = ch;
    if (fieldIndex) fieldIndex->push_back(static_cast<int>(i));
  }
  return kept;
}

}  // namespace

// Without an early exit the compiler can look at many characters at once; this
// runs on every text the tool is given.
bool NeedsNormalizing(std::string_view text) {
  bool found = false;
  for (char ch : text)
    found |= (ch == ' ') | (ch == ',') | (ch == '\n');
  return found;
}

void NormalizeExpression(std::string& text) { text.resize(Normalize(text, text.data(), nullptr)); }

NormalizedText NormalizeKeepingPositions(std::string_view field) {
  NormalizedText normalized;
  normalized.text.resize(field.size());
  normalized.fieldIndex.reserve(field.size());
  normalized.text.resize(Normalize(field, normalized.text.data(), &normalized.fieldIndex));
  return normalized;
}

int GetOperatorCode(std::string_view token) { return token.size() == 1 ? GetOperatorCode(token[0]) : 0; }
