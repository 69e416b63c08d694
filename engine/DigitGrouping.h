// A result written for reading: its whole digits in groups with the locale's
// separator, and the locale's decimal mark. For display only: what is copied,
// kept or read back is always the plain number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// How many digits each group holds, counted from the decimal mark leftwards.
// The last size repeats when `repeatLast` is set; otherwise the digits left
// of the last group stay together. No sizes: no grouping at all.
struct DigitGroups {
  std::vector<int> sizes;
  bool repeatLast = false;

  friend bool operator==(const DigitGroups&, const DigitGroups&) = default;
};

// Windows writes the sizes as "3;0" (threes throughout), "3;2;0" (three, then
// twos), "3" (one group of three, the rest together) or "0" (none).
DigitGroups GroupsOfWindowsText(std::string_view text);

// The C library writes them one char a size: the sequence ends either with
// '\0', after which the last size repeats, or with CHAR_MAX, after which no
// more groups are made. An empty sequence: no grouping.
DigitGroups GroupsOfCLibrary(const char* grouping);

// The Grouping member of Windows' NUMBERFMT for these sizes: 3 for "3;0", 32
// for "3;2;0", 30 for "3", 0 for none.
unsigned NumberFormatGrouping(const DigitGroups& groups);

// `plain` as FormatNumber writes it (an optional minus, digits, an optional
// point and decimals), grouped; any other text comes back unchanged.
std::string GroupDigits(std::string_view plain, const DigitGroups& groups, std::string_view separator,
                        std::string_view decimalMark);

// A piece of a grouped number taken back to the plain form: the separators
// dropped and the decimal mark written as a point.
std::string PlainOfGrouped(std::string_view grouped, std::string_view separator, std::string_view decimalMark);
