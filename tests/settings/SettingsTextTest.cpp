// The settings file's lines and values, without a file.
#include <gtest/gtest.h>

#include <climits>

#include "SettingsText.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kDefaultLines = {"%0.3f", "300", "300", "-15", "500", "0", "Courier New", "0"};

Lines WithLine(int index, std::string line) {
  Lines lines = kDefaultLines;
  lines[static_cast<size_t>(index)] = std::move(line);
  return lines;
}

TEST(SettingsText, SplitsAtEachCrLfAndDropsAnUnendedTail) {
  const struct {
    std::string_view text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"no end", {}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"a\nb\r\n", {"a\nb"}},
      {"a\rb\r\n", {"a\rb"}},
      {"\r\r\n\n", {"\r"}},
      {"a\r\n\r", {"a"}},
      {std::string_view("a\r\nb\0c\r\n", 8), {"a"}},
      {std::string_view("a\r\0\nb\r\n", 7), {}},
      {std::string_view("\0a\r\n", 4), {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitSettingsText(c.text), c.lines) << "text \"" << c.text << "\"";
  }
}

TEST(SettingsText, JoinsLinesEachWithCrLf) {
  EXPECT_EQ(JoinSettingsLines({}), "");
  EXPECT_EQ(JoinSettingsLines({"", "a"}), "\r\na\r\n");
  const std::string file = JoinSettingsLines(kDefaultLines);
  EXPECT_EQ(file, "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n0\r\n");
  EXPECT_EQ(file.size(), 46u);
  EXPECT_EQ(SplitSettingsText(file), kDefaultLines);
}

TEST(SettingsText, ReadsIntegersAsAtoiDoes) {
  const struct {
    std::string_view line;
    std::int32_t value;
    // clang-format off
  } cases[] = {
      {"300", 300},       {"-15", -15},      {"+7", 7},       {" \t\v\f\r\n42", 42}, {"12abc", 12},
      {"", 0},            {"abc", 0},        {"- 5", 0},      {"+-5", 0},            {"0x10", 0},
      {"007", 7},         {"-0", 0},         {"1 2", 1},      {"3.9", 3},
      {"2147483647", INT_MAX},    {"2147483648", INT_MAX},    {"99999999999999999999", INT_MAX},
      {"-2147483648", INT_MIN},   {"-2147483649", INT_MIN},   {"-99999999999999999999", INT_MIN},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ReadSettingsInteger(c.line), c.value) << "line \"" << c.line << "\"";
  }
}

TEST(SettingsText, AcceptsOnlyAFixedFormatWithOneDigitAsFirstLine) {
  for (char digit = '0'; digit <= '9'; ++digit) {
    const std::string format = std::string("%0.") + digit + "f";
    EXPECT_TRUE(IsStoredNumberFormat(format)) << format;
    const auto settings = ParseSettingsLines(WithLine(0, format));
    ASSERT_TRUE(settings) << format;
    EXPECT_EQ(settings->format, format);
  }
  for (std::string_view bad : {"", "%0.3", "%0.3F", "%0.3ff", " %0.3f", "%0.3f ", "%0.af", "%0.10f", "%1.3f", "%0,3f",
                               "%0.3e", "%s", "%n%n%n%n", "%0.3f%s", "0.3f"}) {
    EXPECT_FALSE(IsStoredNumberFormat(bad)) << bad;
    EXPECT_FALSE(ParseSettingsLines(WithLine(0, std::string(bad)))) << "first line \"" << bad << "\"";
  }
}

TEST(SettingsText, TakesEightLinesAndIgnoresTheRest) {
  const auto defaults = ParseSettingsLines(kDefaultLines);
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->format, "%0.3f");
  EXPECT_EQ(defaults->x, 300);
  EXPECT_EQ(defaults->y, 300);
  EXPECT_EQ(defaults->fontHeight, -15);
  EXPECT_EQ(defaults->fontWeight, 500);
  EXPECT_EQ(defaults->italic, 0);
  EXPECT_EQ(defaults->faceName, "Courier New");
  EXPECT_FALSE(defaults->topMost);

  Lines longer = kDefaultLines;
  longer.insert(longer.end(), {"%s", "junk", ""});
  const auto parsed = ParseSettingsLines(longer);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(SettingsLinesOf(*parsed), kDefaultLines);

  for (size_t count = 0; count < kDefaultLines.size(); ++count) {
    EXPECT_FALSE(ParseSettingsLines(Lines(kDefaultLines.begin(), kDefaultLines.begin() + static_cast<long>(count))))
        << count << " lines";
  }
}

TEST(SettingsText, ReadsEachValueLineAsItsField) {
  const struct {
    int line;
    std::string text;
    StoredSettings expected;  // only the field of that line differs from the defaults
  } cases[] = {
      {1, "-40", {"%0.3f", -40, 300, -15, 500, 0, "Courier New", false}},
      {1, "5000", {"%0.3f", 5000, 300, -15, 500, 0, "Courier New", false}},
      {1, "", {"%0.3f", 0, 300, -15, 500, 0, "Courier New", false}},
      {2, "abc", {"%0.3f", 300, 0, -15, 500, 0, "Courier New", false}},
      {3, "24", {"%0.3f", 300, 300, 24, 500, 0, "Courier New", false}},
      // The font chooser's largest size, 72 points, either way, and no further.
      {3, "-96", {"%0.3f", 300, 300, -96, 500, 0, "Courier New", false}},
      {3, "96", {"%0.3f", 300, 300, 96, 500, 0, "Courier New", false}},
      {3, "0", {"%0.3f", 300, 300, 0, 500, 0, "Courier New", false}},
      {3, "-97", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", false}},
      {3, "97", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", false}},
      {3, "-600", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", false}},
      {3, "-2147483648", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", false}},
      {4, "700", {"%0.3f", 300, 300, -15, 700, 0, "Courier New", false}},
      {5, "255", {"%0.3f", 300, 300, -15, 500, 255, "Courier New", false}},
      {5, "256", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", false}},
      {5, "257", {"%0.3f", 300, 300, -15, 500, 1, "Courier New", false}},
      {5, "-1", {"%0.3f", 300, 300, -15, 500, 255, "Courier New", false}},
      {6, " Arial ", {"%0.3f", 300, 300, -15, 500, 0, " Arial ", false}},
      {6, "", {"%0.3f", 300, 300, -15, 500, 0, "", false}},
      {7, "1", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", true}},
      {7, "2", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", true}},
      {7, "-1", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", true}},
      {7, "yes", {"%0.3f", 300, 300, -15, 500, 0, "Courier New", false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "line " << c.line + 1 << " \"" << c.text << "\"");
    const auto parsed = ParseSettingsLines(WithLine(c.line, c.text));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(SettingsLinesOf(*parsed), SettingsLinesOf(c.expected));
  }
}

TEST(SettingsText, WritesIntegersAsPlainDecimalsAndOnTopAsZeroOrOne) {
  const StoredSettings settings{"%0.7f", -32000, 1023, 0, 700, 255, "Liberation Mono", true};
  EXPECT_EQ(SettingsLinesOf(settings), (Lines{"%0.7f", "-32000", "1023", "0", "700", "255", "Liberation Mono", "1"}));

  const auto two = ParseSettingsLines(WithLine(7, "2"));
  ASSERT_TRUE(two);
  EXPECT_EQ(SettingsLinesOf(*two)[7], "1");
}

}  // namespace
