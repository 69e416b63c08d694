#include "ChoicesText.h"

#include <algorithm>

namespace {

constexpr std::string_view kExact = "exact";
constexpr std::string_view kLiveResult = "live-result";
constexpr std::string_view kDigitGrouping = "digit-grouping";
constexpr std::string_view kLanguage = "language";
constexpr std::string_view kFontUnderline = "font-underline";
constexpr std::string_view kFontStrikeout = "font-strikeout";

// Only "1" turns a choice on: a garbled value leaves it at its default.
bool ReadSwitch(std::string_view value) { return value == "1"; }

// Letters, digits and hyphens, as a language tag has them; anything else
// would follow Windows' language rather than name a language that is none.
bool IsLanguageTag(std::string_view value) {
  return value.size() <= 35 && std::all_of(value.begin(), value.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
         });
}

std::string Line(std::string_view key, std::string_view value) { return std::string(key).append("=").append(value); }

std::string SwitchLine(std::string_view key, bool on) { return Line(key, on ? "1" : "0"); }

}  // namespace

Choices ParseChoicesText(std::string_view text) {
  Choices choices;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;

    const std::size_t equals = line.find('=');
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
    if (key == kExact)
      choices.exactArithmetic = ReadSwitch(value);
    else if (key == kLiveResult)
      choices.liveResult = ReadSwitch(value);
    else if (key == kDigitGrouping)
      choices.digitGrouping = ReadSwitch(value);
    else if (key == kLanguage)
      choices.language = IsLanguageTag(value) ? std::string(value) : std::string();
    else if (key == kFontUnderline)
      choices.fontUnderline = ReadSwitch(value);
    else if (key == kFontStrikeout)
      choices.fontStrikeout = ReadSwitch(value);
    else
      choices.otherLines.emplace_back(line);
  }
  return choices;
}

std::vector<std::string> ChoicesLinesOf(const Choices& choices) {
  std::vector<std::string> lines{
      SwitchLine(kExact, choices.exactArithmetic),       SwitchLine(kLiveResult, choices.liveResult),
      SwitchLine(kDigitGrouping, choices.digitGrouping), Line(kLanguage, choices.language),
      SwitchLine(kFontUnderline, choices.fontUnderline), SwitchLine(kFontStrikeout, choices.fontStrikeout)};
  lines.insert(lines.end(), choices.otherLines.begin(), choices.otherLines.end());
  return lines;
}
