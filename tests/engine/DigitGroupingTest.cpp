// Results written for reading: the group sizes as Windows and the C library
// give them, the grouping itself, and the way back to the plain number.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "DigitGrouping.h"

namespace {

TEST(DigitGrouping, SizesReadFromBothSourcesGroupAsTheLocaleDoes) {
  const char cLibraryThreesThenTwos[] = {3, 2, 0};
  const char cLibraryOneGroup[] = {3, CHAR_MAX, 0};
  const struct {
    const char* what;
    DigitGroups groups;
    unsigned numberFormat;
    const char* plain;
    const char* grouped;
    // clang-format off
  } cases[] = {
      {"3;0",            GroupsOfWindowsText("3;0"),       3,  "1234567.891",   "1,234,567.891"},
      {"3;0 negative",   GroupsOfWindowsText("3;0"),       3,  "-1234567",      "-1,234,567"},
      {"3;0 exact",      GroupsOfWindowsText("3;0"),       3,  "123456.5",      "123,456.5"},
      {"3;0 short",      GroupsOfWindowsText("3;0"),       3,  "999.000",       "999.000"},
      {"3;0 long",       GroupsOfWindowsText("3;0"),       3,  "100000000000000000000.000",
                                                               "100,000,000,000,000,000,000.000"},
      {"3;2;0",          GroupsOfWindowsText("3;2;0"),     32, "1234567.891",   "12,34,567.891"},
      {"3;2;0 longer",   GroupsOfWindowsText("3;2;0"),     32, "-123456789",    "-12,34,56,789"},
      {"3 once",         GroupsOfWindowsText("3"),         30, "123456789.1",   "123456,789.1"},
      {"0",              GroupsOfWindowsText("0"),         0,  "1234567.891",   "1234567.891"},
      {"empty",          GroupsOfWindowsText(""),          0,  "1234567",       "1234567"},
      {"C \\3\\2",       GroupsOfCLibrary(cLibraryThreesThenTwos), 32, "1234567", "12,34,567"},
      {"C \\3 CHAR_MAX", GroupsOfCLibrary(cLibraryOneGroup), 30, "1234567",     "1234,567"},
      {"C empty",        GroupsOfCLibrary(""),             0,  "1234567",       "1234567"},
      {"not a number",   GroupsOfWindowsText("3;0"),       3,  "Paste number here   ", "Paste number here   "},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(NumberFormatGrouping(c.groups), c.numberFormat) << c.what;
    EXPECT_EQ(GroupDigits(c.plain, c.groups, ",", "."), c.grouped) << c.what;
    if (std::string(c.plain) != c.grouped) {
      EXPECT_EQ(PlainOfGrouped(c.grouped, ",", "."), c.plain) << c.what;
    }
  }
}

TEST(DigitGrouping, SeparatorsOfAnyLengthComeOutAndGoBack) {
  const DigitGroups threes = GroupsOfWindowsText("3;0");
  const struct {
    const char* separator;
    const char* decimalMark;
    const char* grouped;
  } cases[] = {
      {".", ",", "1.234.567,891"},
      {"\xE2\x80\xAF", ",",
       "1\xE2\x80\xAF"
       "234\xE2\x80\xAF"
       "567,891"},  // the narrow no-break space
      {"'", ".", "1'234'567.891"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GroupDigits("1234567.891", threes, c.separator, c.decimalMark), c.grouped) << c.grouped;
    EXPECT_EQ(PlainOfGrouped(c.grouped, c.separator, c.decimalMark), "1234567.891") << c.grouped;
  }
  // A part of a grouped number, as a selection copies it.
  EXPECT_EQ(PlainOfGrouped("234.567,8", ".", ","), "234567.8");
}

}  // namespace
