// Texts with placeholders, as the catalogs write them: the window's wide texts
// and the tool's narrow ones are filled by the same rule.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Each %s, %c and %d of the pattern replaced by the next value, in order; a
// placeholder past the last value is dropped.
template <class Char>
std::basic_string<Char> FillPlaceholders(std::basic_string_view<Char> pattern,
                                         std::initializer_list<std::basic_string_view<Char>> values) {
  std::basic_string<Char> text;
  const std::basic_string_view<Char>* next = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const bool placeholder = pattern[i] == Char('%') && i + 1 < pattern.size() &&
                             (pattern[i + 1] == Char('s') || pattern[i + 1] == Char('c') || pattern[i + 1] == Char('d'));
    if (!placeholder) {
      text += pattern[i];
      continue;
    }
    if (next != values.end()) text += *next++;
    ++i;
  }
  return text;
}
