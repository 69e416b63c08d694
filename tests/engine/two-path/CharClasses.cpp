#include "CharClasses.h"

#include <algorithm>

namespace two_path {

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

// Without an early exit the compiler can look at many characters at once; this
// runs on every text the tool is given.
bool NeedsNormalizing(std::string_view text) {
  bool found = false;
  for (char ch : text)
    found |= (ch == ' ') | (ch == ',') | (ch == '\n');
  return found;
}

void NormalizeExpression(std::string& text) { text.resize(Normalize(text, text.data())); }

std::string NormalizedCopy(std::string_view field) {
  std::string text(field.size(), '\0');
  text.resize(Normalize(field, text.data()));
  return text;
}

// The same pass as Normalize, keeping no text: only the number of CRs on top of
// the kept characters, which an LF would take away. Whatever is written at a
// position asked for last is what stands there in the end.
void ToFieldIndices(std::string_view field, std::vector<size_t>& indices) {
  std::vector<size_t> wanted(indices);
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  std::vector<size_t> found(wanted);
  size_t kept = 0;
  size_t crsOnTop = 0;
  for (size_t i = 0; i < field.size(); ++i) {
    const char ch = field[i];
    if (ch == ' ') continue;
    if (ch == '\n' && crsOnTop > 0) {
      --kept;
      --crsOnTop;
      continue;
    }
    crsOnTop = ch == '\r' ? crsOnTop + 1 : 0;
    const auto at = std::lower_bound(wanted.begin(), wanted.end(), kept);
    if (at != wanted.end() && *at == kept) found[static_cast<size_t>(at - wanted.begin())] = i;
    ++kept;
  }
  for (size_t& index : indices)
    index = found[static_cast<size_t>(std::lower_bound(wanted.begin(), wanted.end(), index) - wanted.begin())];
}

int FieldIndexOf(std::string_view field, size_t index) {
  std::vector<size_t> indices{index};
  ToFieldIndices(field, indices);
  return static_cast<int>(indices.front());
}

int GetOperatorCode(std::string_view token) { return token.size() == 1 ? GetOperatorCode(token[0]) : 0; }

}  // namespace two_path
