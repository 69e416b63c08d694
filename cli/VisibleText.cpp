#include "VisibleText.h"

std::string VisibleByte(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  if (ch == '\\') return "\\\\";
  if (byte >= 32 && byte < 127) return std::string(1, ch);
  constexpr char kHexDigits[] = "0123456789abcdef";
  return {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
}

MarkedExpression MarkExpression(std::string_view expression, const std::optional<FieldSelection>& mark) {
  MarkedExpression marked;
  const size_t length = expression.size();
  // (0, -1) is the whole text; a caret may stand just after the last character.
  const size_t start = mark ? static_cast<size_t>(mark->start) : length + 1;
  const size_t end = mark && mark->end >= 0 ? static_cast<size_t>(mark->end) : length;
  for (size_t i = 0; i <= length; ++i) {
    const std::string shown = i < length ? VisibleByte(expression[i]) : " ";
    if (i < length) marked.expression += shown;
    if (!mark) continue;
    char below = ' ';
    if (i == start)
      below = '^';
    else if (i > start && i < end)
      below = '~';
    marked.marker += below;
    const bool selected = i >= start && i < end;
    marked.marker.append(shown.size() - 1, selected ? '~' : ' ');
  }
  while (!marked.marker.empty() && marked.marker.back() == ' ')
    marked.marker.pop_back();
  return marked;
}
