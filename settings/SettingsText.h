// The settings file's text: its eight lines and the values they stand for.
// Nothing here touches a file or a window, so every rule can be checked alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Bytes read from the start of the file; whatever follows is never looked at.
inline constexpr std::size_t kSettingsReadLimit = 100;

// The display font's height in pixels at 96 DPI, as a LOGFONT's lfHeight:
// negative for the characters' height, positive for the cell's, 0 for the
// face's own. A stored height beyond the largest the font chooser offers (72
// points, 96 pixels) either way is no font anyone chose, only one that would
// make the window larger than a screen: it reads as the default.
inline constexpr std::int32_t kDefaultFontHeight = -15;
inline constexpr std::int32_t kLargestFontHeight = 96;
inline constexpr int kLargestFontPoints = 72;
bool IsStoredFontHeight(std::int32_t height);

// The values of the eight lines, in their order in the file.
struct StoredSettings {
  std::string format;  // number format "%0.Nf"
  std::int32_t x = 0;  // top-left corner of the window, screen pixels
  std::int32_t y = 0;
  std::int32_t fontHeight = 0;  // lfHeight
  std::int32_t fontWeight = 0;  // lfWeight
  std::uint8_t italic = 0;      // lfItalic
  std::string faceName;         // lfFaceName
  bool topMost = false;
};

// The complete lines of the text: everything before each CR LF, cut at the
// first NUL. Characters after the last CR LF are not a line.
std::vector<std::string> SplitSettingsText(std::string_view text);

// The text of the lines, each followed by CR LF.
std::string JoinSettingsLines(const std::vector<std::string>& lines);

// Reads an integer as atoi does: leading white space, an optional sign, the
// digits up to the first non-digit; no digits read as 0. A value beyond the
// 32-bit range reads as the nearest limit.
std::int32_t ReadSettingsInteger(std::string_view line);

// True only for "%0." followed by one digit and "f": the first line is handed
// to printf as a format, so nothing else may pass.
bool IsStoredNumberFormat(std::string_view line);

// The values of the first eight lines; none when there are fewer than eight or
// the first is not a number format. Later lines are ignored. A font height out
// of range reads as kDefaultFontHeight.
std::optional<StoredSettings> ParseSettingsLines(const std::vector<std::string>& lines);

// The eight lines that store the values, integers written as "%i".
std::vector<std::string> SettingsLinesOf(const StoredSettings& settings);
