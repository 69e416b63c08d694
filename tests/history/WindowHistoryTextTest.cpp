// The history file's text, read from whatever a disk may hold and written
// for what a field may hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowHistoryText.h"
#include "SettingsText.h"

namespace {

using Expressions = std::vector<std::string>;

std::string Numbered(int from, int to) {
  std::string text;
  for (int i = from; i <= to; ++i)
    text += std::to_string(i) + "\r\n";
  return text;
}

Expressions NumberedExpressions(int from, int to) {
  Expressions expressions;
  for (int i = from; i <= to; ++i)
    expressions.push_back(std::to_string(i));
  return expressions;
}

TEST(HistoryText, ReadsWhatIsSoundAndPassesOverTheRest) {
  const std::string longest(kHistoryExpressionLimit, '1');
  const struct {
    const char* what;
    std::string text;
    bool cutShort;
    Expressions expressions;
    // clang-format off
  } cases[] = {
      {"missing or empty", "", false, {}},
      {"as written", "1+2\r\n2*\r\n", false, {"1+2", "2*"}},
      {"LF alone, last line unended", "1+2\n3\r\n4", false, {"1+2", "3", "4"}},
      {"the end of a longer file", "1+2\r\n3\r\n4", true, {"3", "4"}},
      {"the end of a longer file, from a line's start", "\n3\r\n4\r\n", true, {"3", "4"}},
      {"the end of a longer file, inside one line", "1+2", true, {}},
      {"escaped CR LF and backslash", "1,5 +\\r\\n* 2\r\n\\\\x\\n\r\n", false, {"1,5 +\r\n* 2", "\\x\n"}},
      {"blank lines", "\r\n\n1\r\n\r\n", false, {"1"}},
      {"bad escapes", "a\\t\r\nb\\\r\n\\\\ok\r\n", false, {"\\ok"}},
      {"stray CR, NUL", std::string("a\rb\r\nc\0d\r\ne\r\r\nf\r\n", 17), false, {"f"}},
      {"foreign: UTF-16", std::string("\xff\xfe" "1\0+\0" "2\0\r\0\n\0", 12), false, {}},
      {"expression as long as kept", longest + "\r\n2\r\n", false, {longest, "2"}},
      {"expression too long", longest + "1\r\n2\r\n", false, {"2"}},
      {"too many lines: the newest kept", Numbered(1, 130), false, NumberedExpressions(31, 130)},
      {"unescaped 8-bit bytes", "\xbd+\x80\r\n", false, {"\xbd+\x80"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ParseHistoryText(c.text, c.cutShort), c.expressions) << c.what;
  }
}

TEST(HistoryText, WritesEachExpressionSoItIsReadBackAsItWas) {
  const std::string longest(kHistoryExpressionLimit, '\r');
  const Expressions written = {"1+2", "1,5 +\r\n* 2", "\\", "\\r", "\n\n", "a\\nb", longest};
  const Expressions lines = HistoryLinesOf(written);
  EXPECT_EQ(Expressions(lines.begin(), lines.begin() + 6),
            (Expressions{"1+2", "1,5 +\\r\\n* 2", "\\\\", "\\\\r", "\\n\\n", "a\\\\nb"}));
  EXPECT_EQ(ParseHistoryText(JoinSettingsLines(lines), false), written);
  EXPECT_LE(JoinSettingsLines({lines.back()}).size(), kHistoryReadLimit / kWindowHistoryLength)
      << "the longest fits its share of the read";

  EXPECT_EQ(HistoryLinesOf({"", "1", std::string(kHistoryExpressionLimit + 1, '1')}), Expressions{"1"})
      << "empty and too long are left out";
}

}  // namespace
