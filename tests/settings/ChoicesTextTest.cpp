// The choices file's text, without a file.
#include <gtest/gtest.h>

#include "ChoicesText.h"

namespace {

TEST(ChoicesText, ReadsEachChoiceAndLeavesGarbleAtItsDefault) {
  const Choices all = ParseChoicesText(
      "exact=1\r\nlive-result=1\ndigit-grouping=1\r\nlanguage=pt-BR\r\nfont-underline=1\r\nfont-strikeout=1\r\n");
  EXPECT_TRUE(all.exactArithmetic);
  EXPECT_TRUE(all.liveResult);
  EXPECT_TRUE(all.digitGrouping);
  EXPECT_EQ(all.language, "pt-BR");
  EXPECT_TRUE(all.fontUnderline);
  EXPECT_TRUE(all.fontStrikeout);
  EXPECT_TRUE(all.otherLines.empty());

  const Choices garbled = ParseChoicesText("exact=yes\r\nlive-result=\r\nlanguage=de\\..\\x\r\nfont-underline\r\n");
  EXPECT_FALSE(garbled.exactArithmetic);
  EXPECT_FALSE(garbled.liveResult);
  EXPECT_EQ(garbled.language, "");
  EXPECT_FALSE(garbled.fontUnderline);
}

// A later version's choices survive a run of this one.
TEST(ChoicesText, WritesBackWhatItReadsAndKeepsUnknownLines) {
  const Choices read = ParseChoicesText("theme=dark\r\nexact=1\r\nlanguage=ja\r\nno equals sign\r\n");
  EXPECT_EQ(read.otherLines, (std::vector<std::string>{"theme=dark", "no equals sign"}));
  const std::vector<std::string> lines = ChoicesLinesOf(read);
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  const Choices again = ParseChoicesText(text);
  EXPECT_TRUE(again.exactArithmetic);
  EXPECT_EQ(again.language, "ja");
  EXPECT_EQ(again.otherLines, read.otherLines);
  EXPECT_EQ(ChoicesLinesOf(again), lines);
}

}  // namespace
