#include "VisibleText.h"

#include <algorithm>

#include "CharacterWidth.h"

char32_t DecodedCharacter(std::string_view text, size_t at, size_t length) {
  const auto lead = static_cast<unsigned char>(text[at]);
  char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (size_t i = 1; i < length; ++i)
    code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
  return code;
}

namespace {

constexpr size_t kEchoColumns = 80;
// Where the window starts when the mark lies further right: this much of what
// leads up to the mark stays in view.
constexpr size_t kColumnsBeforeMark = 30;
constexpr std::string_view kCut = "...";

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

// The visible form of the character at `at` with the columns it takes.
struct Shown {
  std::string text;
  size_t columns;
};

// `column` is where it starts, for a tab, which shows as blanks up to the next
// tab stop. A character that would join the one before it shows in escaped form,
// so every character has columns of its own to mark.
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

// Where a character starts at or after `at`: a window never opens inside a
// UTF-8 sequence.
size_t CharacterStartFrom(std::string_view text, size_t at) {
  for (size_t back = 1; back <= 3 && back <= at; ++back) {
    const size_t start = at - back;
    if (CharacterLength(text, start) > back) return start + CharacterLength(text, start);
  }
  return at;
}

size_t ColumnsBetween(std::string_view text, size_t from, size_t to) {
  size_t columns = 0;
  for (size_t i = from; i < to; i += CharacterLength(text, i))
    columns += ShowCharacter(text, i, columns).columns;
  return columns;
}

bool FitsInEcho(std::string_view text) {
  size_t columns = 0;
  for (size_t i = 0; i < text.size() && columns <= kEchoColumns; i += CharacterLength(text, i))
    columns += ShowCharacter(text, i, columns).columns;
  return columns <= kEchoColumns;
}

}  // namespace

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

MarkedExpression MarkExpression(std::string_view expression, const std::optional<FieldSelection>& mark) {
  const size_t length = expression.size();
  // (0, -1) is the whole text; a caret may stand just after the last character.
  const size_t start = mark ? std::min(static_cast<size_t>(mark->start), length + 1) : length + 1;
  const size_t end = mark && mark->end >= 0 ? static_cast<size_t>(mark->end) : length;

  // The window opens a little before the mark; it is found by looking back over
  // a bounded stretch only, so a long line costs no more than a short one.
  const bool fits = FitsInEcho(expression);
  size_t from = 0;
  if (start <= length && !fits) {
    from = CharacterStartFrom(expression, start - std::min(start, kColumnsBeforeMark));
    while (from < start && ColumnsBetween(expression, from, start) > kColumnsBeforeMark)
      from += CharacterLength(expression, from);
  }
  MarkedExpression marked;
  if (from > 0) {
    marked.expression = kCut;
    marked.marker = std::string(kCut.size(), ' ');
  }
  size_t columns = marked.expression.size();
  size_t i = from;
  for (; i <= length; i += i < length ? CharacterLength(expression, i) : 1) {
    const Shown shown = i < length ? ShowCharacter(expression, i, columns) : Shown{" ", 1};
    const bool moreAfter = i < length && i + CharacterLength(expression, i) < length && !fits;
    if (moreAfter && columns + shown.columns > kEchoColumns - kCut.size()) break;
    if (i < length) marked.expression += shown.text;
    columns += shown.columns;
    if (!mark) continue;
    const bool selected = i >= start && i < end;
    marked.marker += i == start ? '^' : selected ? '~' : ' ';
    marked.marker.append(shown.columns - 1, selected ? '~' : ' ');
  }
  if (i < length) marked.expression += kCut;
  while (!marked.marker.empty() && marked.marker.back() == ' ')
    marked.marker.pop_back();
  return marked;
}
