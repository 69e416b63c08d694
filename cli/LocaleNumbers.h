// How the user's locale writes numbers for reading: its digit groups, their
// separator and its decimal mark.
#pragma once

#include <string>

#include "DigitGrouping.h"

struct NumberLook {
  DigitGroups groups;
  std::string separator;
  std::string decimalMark = ".";
};

// LC_NUMERIC of the environment (LC_ALL, LC_NUMERIC, LANG), in the locale's
// character set. The tool itself goes on in the C locale.
NumberLook LocaleNumberLook();
