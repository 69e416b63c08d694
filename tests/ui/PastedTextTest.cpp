// Pasted and typed text as the expression field takes it: what stands for a
// line break between numbers, for superscripts, for invisible characters and
// for digits and operators of other scripts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "PastedText.h"

namespace {

// Latin-1 as the field's code page: the characters below U+0100 and no others.
std::optional<std::string> InLatin1(char32_t c) {
  if (c >= 0x100) return std::nullopt;
  return std::string(1, static_cast<char>(c));
}

std::string Printed(std::u16string_view text) {
  std::string printed;
  for (const char16_t c : text) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
    printed += c >= 0x20 && c < 0x80 ? std::string(1, static_cast<char>(c)) : escaped;
  }
  return printed;
}

TEST(PastedText, IsWhatTheUserSawAndNeverJoinsTwoNumbers) {
  const struct {
    std::u16string pasted;
    const char* before;
    const char* after;
    const char* field;
    // clang-format off
  } cases[] = {
      // Line breaks and tabs between numbers show as the mark, once a run.
      {u"12\n34", "", "", "12|34"},
      {u"5\r7", "", "", "5|7"},
      {u"12\t34", "", "", "12|34"},
      {u"12 \t 34", "", "", "12 | 34"},
      {u"12\r\n\r\n34\r\n56\r\n", "", "", "12|34|56"},
      {u"1,5\u2028.5", "", "", "1,5|.5"},
      {u"12,\n34", "", "", "12,|34"},     // a separator ends or begins a number too
      {u"12\r\n,5", "", "", "12|,5"},
      {u"1\v2\f3\u00854\u20295", "", "", "1|2|3|4|5"},  // every kind of line break
      {u"1+\u2029\u20282", "", "", "1+2"},
      {u"\uFF11\n\u0661", "", "", "1|1"},  // digits of other scripts are numbers too
      {u"12\n", "", " 34", "12|"},        // the number after it is in the field
      {u"\n34", "12 ", "", "|34"},         // the number before it is in the field
      // Elsewhere a tab is a blank and a line break goes.
      {u"1+2\r\n+3", "", "", "1+2+3"},
      {u"1\n+2\r+3\r\n", "", "", "1+2+3"},
      {u"2\t+3", "", "", "2 +3"},
      {u"(1+2)\n(3)", "", "", "(1+2)(3)"},
      {u"12\n", "", "", "12"},
      {u"12\n", "", "+1", "12"},
      // Superscripts after a digit or ')' are a power, a negative one in parentheses.
      {u"2\u2074", "", "", "2^4"},
      {u"10\u207B\u00B3", "", "", "10^(-3)"},
      {u"(1+1)\u00B3+2\u00B9\u2070", "", "", "(1+1)^3+2^10"},
      {u"2\u2075\u2076\u2077\u2078\u2079", "", "", "2^56789"},
      {u"\u00B2", "3", "", "^2"},          // after the digit before the caret
      {u"\u207B\u00B9", "2*(4)", "", "^(-1)"},
      {u"\u00B2", "3 ", "", "\xB2"},        // not after an operand: itself
      {u"\u00B23", "", "", "\xB2" "3"},
      {u"2\u207B", "", "", "2?"},          // a minus without digits: itself, unknown
      // Invisible characters go; dashes, signs and digits of other scripts are ASCII.
      {u"\uFEFF1+\u200B2\u200C\u200D\u200E\u200F", "", "", "1+2"},
      {u"\u202A3\u202C*\u20664\u2069-\u20601\u00AD", "", "", "3*4-1"},
      {u"\u061C1\u202B+\u202D2\u202E", "", "", "1+2"},  // the Arabic letter mark, and the embeddings' ends
      {u"2 \u2013 3", "", "", "2 - 3"},
      {u"7\u22122\u00D73\u00F71", "", "", "7-2*3/1"},
      {u"\u0661\u0662+3", "", "", "12+3"},
      {u"\u06F1\u0967\u09E8\u0E53", "", "", "1123"},
      {std::u16string(u"\xD835\xDFCF\xD835\xDFD0"), "", "", "12"},  // mathematical bold 1 2
      {u"\uFF08\uFF11\uFF0D\uFF12\uFF09\uFF0A\uFF14\uFF0F\uFF12", "", "", "(1-2)*4/2"},
      {u"2\u00A0365\u202F596\u2009", "", "", "2 365 596 "},
      // What the code page lacks, or no character at all, is marked.
      {u"\u00BD+1", "", "", "\xBD+1"},
      {u"\uFF21+1", "", "", "?+1"},
      {u"5\u22485", "", "", "5?5"},
      {std::u16string(u"\xD800" "1"), "", "", "?1"},
      {std::u16string(u"\xD83D\xDE00" "1"), "", "", "?1"},
  };
  // clang-format on
  for (const auto& c : cases) {
    const FieldAround around{c.before, c.after};
    EXPECT_EQ(PastedExpressionText(c.pasted, InLatin1, around), c.field)
        << Printed(c.pasted) << " after '" << c.before << "', before '" << c.after << "'";
  }
}

// Superscripts typed one at a time: the second goes on with the power the
// first began, where the code page's ² and ³ would otherwise stand.
TEST(PastedText, TypedSuperscriptsGoOnWithThePowerTheyBegan) {
  EXPECT_EQ(PastedExpressionText(u"\u00B9", InLatin1, {"10", ""}), "^1");
  EXPECT_EQ(PastedExpressionText(u"\u00B2", InLatin1, {"10^1", "", true}), "2");
  EXPECT_EQ(PastedExpressionText(u"\u00D7", InLatin1, {"10^12", "", true}), "*");
  EXPECT_TRUE(IsSuperscriptDigits(u"\u00B2"));
  EXPECT_FALSE(IsSuperscriptDigits(u"\u207B"));
  EXPECT_FALSE(IsSuperscriptDigits(u""));
}

}  // namespace
