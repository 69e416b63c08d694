#include <gtest/gtest.h>

#include <vector>

#include "LiteralEvaluator.h"
#include "OracleCharClasses.h"
#include "TypedText.h"

namespace {

TEST(CharClasses, NumberAndOperatorClassesAreDisjointAndExact) {
  const std::string numbers = "0123456789.";
  const std::string operators = "#%()*+-/^";
  for (int b = 0; b < 256; ++b) {
    const char ch = static_cast<char>(b);
    const bool number = numbers.find(ch) != std::string::npos && b != 0;
    const bool op = operators.find(ch) != std::string::npos && b != 0;
    EXPECT_EQ(IsNumberChar(ch), number) << "byte " << b;
    EXPECT_EQ(IsOperatorChar(ch), op) << "byte " << b;
  }
}

TEST(CharClasses, OperatorCodesCompareTheWholeToken) {
  const std::pair<const char*, int> cases[] = {
      {"+", 1}, {"-", 2}, {"*", 3},  {"/", 4},  {"%", 5}, {"^", 6},  {"#", 7},
      {"(", 0}, {")", 0}, {"12", 0}, {"++", 0}, {"", 0},  {"+ ", 0}, {"x", 0},
  };
  for (const auto& [token, code] : cases)
    EXPECT_EQ(GetOperatorCode(std::string_view(token)), code) << '"' << token << '"';
}

struct NormalizeCase {
  const char* input;
  const char* expected;
};

TEST(CharClasses, NormalizeRemovesBlanksCommasAndLineBreakPairs) {
  const NormalizeCase cases[] = {
      {"1,000", "1.000"},
      {"1 , 5", "1.5"},
      {" 2 + 3 ", "2+3"},
      {"1\r\n+2", "1+2"},
      {"1\r \n+2", "1+2"},     // the blank goes first, then the pair it hid
      {"1\r+2", "1\r+2"},      // a lone CR stays
      {"1\n+2", "1\n+2"},      // a lone LF stays
      {"1\n\r+2", "1\n\r+2"},  // LF CR is not a pair
      {"1\r\r\n\n2", "12"},    // removing the inner pair forms another
      {"\r\n\r\n", ""},
      {"\t1", "\t1"},  // a tab is not a blank
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.input;
    NormalizeExpression(text);
    EXPECT_EQ(text, c.expected) << "input: " << testing::PrintToString(std::string(c.input));
  }
}

TEST(CharClasses, NormalizeAgreesWithRescanningOnRandomTexts) {
  const char alphabet[] = {' ', ',', '\r', '\n', '1', '+', '\t'};
  uint32_t seed = 12345;
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int length = static_cast<int>(seed % 12);
    for (int i = 0; i < length; ++i) {
      seed = seed * 1664525u + 1013904223u;
      text += alphabet[(seed >> 16) % sizeof alphabet];
    }
    seed = seed * 1664525u + 1013904223u;
    std::string fast = text;
    NormalizeExpression(fast);
    std::string rescanned = text;
    NormalizeByRescanning(rescanned);
    ASSERT_EQ(fast, rescanned) << testing::PrintToString(text);
  }
}

// Every unit of the normalised text is found again where it was typed: the
// positions are followed through the normalisation one removal at a time.
TEST(CharClasses, ReaderFindsEachNormalisedUnitWhereItWasTyped) {
  const char alphabet[] = {' ', '\r', '\n', '1', ','};
  uint32_t seed = 777;
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int length = static_cast<int>(seed % 14);
    for (int i = 0; i < length; ++i) {
      seed = seed * 1664525u + 1013904223u;
      text += alphabet[(seed >> 16) % sizeof alphabet];
    }
    seed = seed * 1664525u + 1013904223u;
    // Each kept character with its typed index; a CR LF pair goes as soon as it forms.
    std::vector<std::pair<char, int>> kept;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == ' ') continue;
      if (text[i] == '\n' && !kept.empty() && kept.back().first == '\r') {
        kept.pop_back();
        continue;
      }
      kept.emplace_back(text[i], static_cast<int>(i));
    }
    // A unit begins with each run of number characters and each run of line
    // breaks that stay, the one named by its first character.
    auto group = [](char ch) { return ch == '1' || ch == ',' ? 0 : 1; };
    TypedTextReader reader(text);
    Unit unit{};
    for (size_t k = 0; k < kept.size(); ++k) {
      if (k > 0 && group(kept[k - 1].first) == group(kept[k].first)) continue;
      ASSERT_TRUE(reader.Next(unit)) << testing::PrintToString(text) << " at " << k;
      ASSERT_EQ(static_cast<int>(unit.at), kept[k].second) << testing::PrintToString(text) << " at " << k;
    }
    ASSERT_FALSE(reader.Next(unit)) << testing::PrintToString(text);
  }
}

}  // namespace
