#include "SettingsText.h"

#include <climits>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLineCount = 8;

// White space as the C locale's isspace sees it.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::vector<std::string> SplitSettingsText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> lines;
  std::size_t pos = 0;
  for (std::size_t end; (end = text.find(kLineEnd, pos)) != std::string_view::npos; pos = end + kLineEnd.size()) {
    lines.emplace_back(text.substr(pos, end - pos));
  }
  return lines;
}

std::string JoinSettingsLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += kLineEnd;
  }
  return text;
}

std::int32_t ReadSettingsInteger(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i]))
    ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
  // Counted in 64 bits and held at the limit, so a long run of digits cannot overflow.
  constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
  long long value = 0;
  for (; i < line.size() && IsDigit(line[i]); ++i) {
    value = value * 10 + (line[i] - '0');
    if (value > limit) value = limit;
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(value > INT_MAX ? INT_MAX : value);
}

bool IsStoredNumberFormat(std::string_view line) {
  return line.size() == 5 && line.substr(0, 3) == "%0." && IsDigit(line[3]) && line[4] == 'f';
}

bool IsStoredFontHeight(std::int32_t height) { return height >= -kLargestFontHeight && height <= kLargestFontHeight; }

std::optional<StoredSettings> ParseSettingsLines(const std::vector<std::string>& lines) {
  if (lines.size() < kLineCount || !IsStoredNumberFormat(lines[0])) return std::nullopt;
  StoredSettings settings;
  settings.format = lines[0];
  settings.x = ReadSettingsInteger(lines[1]);
  settings.y = ReadSettingsInteger(lines[2]);
  settings.fontHeight = ReadSettingsInteger(lines[3]);
  if (!IsStoredFontHeight(settings.fontHeight)) settings.fontHeight = kDefaultFontHeight;
  settings.fontWeight = ReadSettingsInteger(lines[4]);
  settings.italic = static_cast<std::uint8_t>(ReadSettingsInteger(lines[5]));
  settings.faceName = lines[6];
  settings.topMost = ReadSettingsInteger(lines[7]) != 0;
  return settings;
}

std::vector<std::string> SettingsLinesOf(const StoredSettings& settings) {
  return {settings.format,
          std::to_string(settings.x),
          std::to_string(settings.y),
          std::to_string(settings.fontHeight),
          std::to_string(settings.fontWeight),
          std::to_string(unsigned{settings.italic}),
          settings.faceName,
          settings.topMost ? "1" : "0"};
}
