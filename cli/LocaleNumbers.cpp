#include "LocaleNumbers.h"

#include <clocale>

// Only for the time of the reading: the tool's own numbers never depend on
// the locale, and localeconv's answer is gone at the next change.
NumberLook LocaleNumberLook() {
  NumberLook look;
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string before = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "")) return look;
  if (const std::lconv* numbers = std::localeconv()) {
    look.separator = numbers->thousands_sep ? numbers->thousands_sep : "";
    if (numbers->decimal_point && *numbers->decimal_point) look.decimalMark = numbers->decimal_point;
    if (!look.separator.empty()) look.groups = GroupsOfCLibrary(numbers->grouping);
  }
  std::setlocale(LC_NUMERIC, before.c_str());
  return look;
}
