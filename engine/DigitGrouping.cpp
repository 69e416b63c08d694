#include "DigitGrouping.h"

#include <climits>

#include "NumberWriting.h"

DigitGroups GroupsOfWindowsText(std::string_view text) {
  DigitGroups groups;
  int size = 0;
  bool digits = false;
  const auto endOfSize = [&] {
    if (!digits) return true;
    if (size == 0) {
      groups.repeatLast = !groups.sizes.empty();
      return false;
    }
    groups.sizes.push_back(size);
    size = 0;
    digits = false;
    return true;
  };
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      size = size * 10 + (c - '0');
      if (size > 99) size = 99;
      digits = true;
    } else if (c == ';' && !endOfSize()) {
      return groups;
    }
  }
  endOfSize();
  return groups;
}

DigitGroups GroupsOfCLibrary(const char* grouping) {
  DigitGroups groups;
  if (!grouping) return groups;
  for (const char* size = grouping; *size != '\0'; ++size) {
    if (*size == CHAR_MAX || *size < 0) return groups;
    groups.sizes.push_back(*size);
  }
  groups.repeatLast = !groups.sizes.empty();
  return groups;
}

// The sizes as decimal digits, most significant first; a 0 after them stops
// the grouping where the last size does not repeat.
unsigned NumberFormatGrouping(const DigitGroups& groups) {
  unsigned grouping = 0;
  for (const int size : groups.sizes)
    grouping = grouping * 10 + static_cast<unsigned>(size < 9 ? size : 9);
  if (!groups.sizes.empty() && !groups.repeatLast) grouping *= 10;
  return grouping;
}

std::string GroupDigits(std::string_view plain, const DigitGroups& groups, std::string_view separator,
                        std::string_view decimalMark) {
  if (!IsFormattedNumber(plain)) return std::string(plain);
  const bool negative = plain.front() == '-';
  const std::string_view number = plain.substr(negative ? 1 : 0);
  const size_t point = number.find('.');
  const std::string_view whole = number.substr(0, point);

  // The groups' lengths from the decimal mark leftwards, then written from the left.
  std::vector<size_t> lengths;
  size_t left = whole.size();
  for (size_t i = 0; left > 0; ++i) {
    size_t size = left;
    if (i < groups.sizes.size()) {
      size = static_cast<size_t>(groups.sizes[i]);
    } else if (groups.repeatLast && !groups.sizes.empty()) {
      size = static_cast<size_t>(groups.sizes.back());
    }
    if (size == 0 || size > left) size = left;
    lengths.push_back(size);
    left -= size;
  }

  std::string grouped = negative ? "-" : "";
  size_t at = 0;
  for (auto length = lengths.rbegin(); length != lengths.rend(); ++length) {
    if (at != 0) grouped += separator;
    grouped += whole.substr(at, *length);
    at += *length;
  }
  if (point != std::string_view::npos) {
    grouped += decimalMark;
    grouped += number.substr(point + 1);
  }
  return grouped;
}

std::string PlainOfGrouped(std::string_view grouped, std::string_view separator, std::string_view decimalMark) {
  std::string plain;
  for (size_t i = 0; i < grouped.size();) {
    if (!separator.empty() && grouped.substr(i).starts_with(separator)) {
      i += separator.size();
    } else if (!decimalMark.empty() && grouped.substr(i).starts_with(decimalMark)) {
      plain += '.';
      i += decimalMark.size();
    } else {
      plain += grouped[i++];
    }
  }
  return plain;
}
