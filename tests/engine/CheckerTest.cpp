#include <gtest/gtest.h>

#include <optional>
#include <functional>
#include <random>

#include "Calculation.h"
#include "Checker.h"

namespace {

constexpr auto kNoMark = std::nullopt;
FieldSelection Caret(int at) { return {at, at}; }
FieldSelection Select(int start, int end) { return {start, end}; }
const FieldSelection kWholeText{0, -1};

// A prompt with the characters it names.
struct Asked {
  Prompt prompt;
  std::string named;
};
const Asked kEnterExpression{Prompt::EnterExpression, ""};
const Asked kPasteNumber{Prompt::PasteNumber, ""};
const Asked kPasteOperator{Prompt::PasteOperator, ""};
const Asked kMissingOpen{Prompt::MissingOpen, ""};
const Asked kMissingClose{Prompt::MissingClose, ""};
const Asked kMissingBoth{Prompt::MissingBoth, ""};
Asked Together(std::string pair) { return {Prompt::Together, std::move(pair)}; }
Asked Unknown(char symbol) { return {Prompt::UnknownSymbol, std::string(1, symbol)}; }

struct CheckCase {
  const char* text;
  std::optional<Asked> asked;  // none: the text passes
  std::optional<FieldSelection> mark;
};

void ExpectChecks(const std::vector<CheckCase>& cases) {
  for (const auto& c : cases) {
    const CheckOutcome outcome = CheckExpressionText(c.text);
    const std::string shown = testing::PrintToString(std::string(c.text));
    if (!c.asked) {
      EXPECT_TRUE(outcome.passed) << shown << " gave prompt " << static_cast<int>(outcome.prompt);
      continue;
    }
    EXPECT_FALSE(outcome.passed) << shown;
    EXPECT_EQ(outcome.prompt, c.asked->prompt) << shown;
    EXPECT_EQ(outcome.named, c.asked->named) << shown;
    EXPECT_EQ(outcome.mark, c.mark) << shown;
  }
}

TEST(Checker, PassesCompleteExpressions) {
  ExpectChecks({
      {"2*(3+4)-5", std::nullopt, kNoMark},
      {"5", std::nullopt, kNoMark},
      {".", std::nullopt, kNoMark},
      {"1,000", std::nullopt, kNoMark},
      {"1 , 5", std::nullopt, kNoMark},
      {"2 5", std::nullopt, kNoMark},
      {"2,5", std::nullopt, kNoMark},
      {"-5", std::nullopt, kNoMark},
      {"+5", std::nullopt, kNoMark},
      {"(5)", std::nullopt, kNoMark},
      {"(-3)", std::nullopt, kNoMark},
      {"(+3)", std::nullopt, kNoMark},
      {"-(2)", std::nullopt, kNoMark},
      {"(2)+(3)", std::nullopt, kNoMark},
      {"((1))", std::nullopt, kNoMark},
      {"1\r\n+2", std::nullopt, kNoMark},
      {"1\r \n+2", std::nullopt, kNoMark},
  });
}

TEST(Checker, EmptyOrLoneOperatorAsksForAnExpression) {
  ExpectChecks({
      {"", kEnterExpression, kWholeText},
      {"    ", kEnterExpression, kWholeText},
      {"+", kEnterExpression, kWholeText},
      {" ( ", kEnterExpression, kWholeText},
      {")", kEnterExpression, kWholeText},
      {"\r\n", kEnterExpression, kWholeText},
  });
}

TEST(Checker, MissingNumbersAtEitherEnd) {
  ExpectChecks({
      {"*5", kPasteNumber, Caret(0)},
      {"  /5", kPasteNumber, Caret(2)},
      {"^5", kPasteNumber, Caret(0)},
      {"#5", kPasteNumber, Caret(0)},
      {" %5", kPasteNumber, Caret(1)},
      {"5+", kPasteNumber, Caret(2)},
      {"5+   ", kPasteNumber, Caret(2)},
      {"5(", kPasteNumber, Caret(2)},
      {"2*", kPasteNumber, Caret(2)},
      {"5 +\r\n", kPasteNumber, Caret(3)},  // before the line break
  });
}

TEST(Checker, MissingOperatorsAroundParentheses) {
  ExpectChecks({
      {"2(3", kPasteOperator, Caret(1)},
      {"2 (3", kPasteOperator, Caret(2)},
      {"2(-3)", kPasteOperator, Caret(1)},
      {"(2)3", kPasteOperator, Caret(3)},
      {"(2) 3", kPasteOperator, Caret(3)},
      {"(2)(3)", kPasteOperator, Caret(3)},
      {"(2)   (3)", kPasteOperator, Caret(6)},
      {"2*-3+(4)5", kPasteOperator, Caret(8)},  // found before the *- on its left
      {"((2))3", kPasteOperator, Caret(5)},
      {"(1+(2))3", kPasteOperator, Caret(7)},
      {"((2)) 3", kPasteOperator, Caret(5)},
  });
}

TEST(Checker, OperatorsTogether) {
  ExpectChecks({
      {"2*-3", Together("*-"), Select(1, 3)},
      {"2 * - 3", Together("*-"), Select(2, 5)},
      {"()", Together("()"), Select(0, 2)},
      {"(*2)", Together("(*"), Select(0, 2)},
      {"5%+2", Together("%+"), Select(1, 3)},
      {"+-3", Together("+-"), Select(0, 2)},
      {"(2+)", Together("+)"), Select(2, 4)},
      {"1\r\n*\r\n/2", Together("*/"), Select(3, 7)},
  });
  ExpectChecks({
      {"(1)+2", std::nullopt, kNoMark},
      {"1+(2)", std::nullopt, kNoMark},
      {"((1))", std::nullopt, kNoMark},
  });
}

TEST(Checker, NumberWithTwoDecimalSeparatorsAsksForAnOperatorBeforeTheSecond) {
  ExpectChecks({
      {"1.2.3", kPasteOperator, Caret(3)},
      {"1,234.5", kPasteOperator, Caret(5)},
      {"1.000,5", kPasteOperator, Caret(5)},
      {"..", kPasteOperator, Caret(1)},
      {"2*1 . 5 , 3", kPasteOperator, Caret(8)},
      {"(1.5.)", kPasteOperator, Caret(4)},
      {"1.5+2.5", std::nullopt, kNoMark},
      // A fault that comes first in the checker's order keeps its prompt and mark.
      {"1.2.3+", kPasteNumber, Caret(6)},
      {"1.2.3a", Unknown('a'), Select(5, 6)},
      {"(1.2.3", kMissingClose, kNoMark},
  });
}

TEST(Checker, UnknownSymbols) {
  ExpectChecks({
      {"2+a", Unknown('a'), Select(2, 3)},
      {"2 + x", Unknown('x'), Select(4, 5)},
      {"2\t+3", Unknown('\t'), Select(1, 2)},
      {"2\r+3", Unknown('\r'), Select(1, 2)},
      {"2+3\n", Unknown('\n'), Select(3, 4)},
      {"2+\xe9", Unknown('\xe9'), Select(2, 3)},
      {"1e5", Unknown('e'), Select(1, 2)},
      {"1:2", Unknown(':'), Select(1, 2)},  // the byte after '9'
  });
}

TEST(Checker, ParenthesisBalanceLeavesTheFieldAlone) {
  ExpectChecks({
      {"(1+2))", kMissingOpen, kNoMark},
      {"((1+2)", kMissingClose, kNoMark},
      {")+(2", kMissingBoth, kNoMark},
      {"(1))+((2)", kMissingBoth, kNoMark},
  });
}

// Pairs parentheses the way the calculator always described it: take the first
// '(' and the first ')' after it away, and again, until none is left.
std::string RemovePairsByRescanning(std::string s) {
  for (;;) {
    const size_t open = s.find('(');
    if (open == std::string::npos) return s;
    const size_t close = s.find(')', open);
    if (close == std::string::npos) return s;
    s.erase(close, 1);
    s.erase(open, 1);
  }
}

TEST(Checker, BalanceAgreesWithRemovingPairsOneByOne) {
  std::mt19937 random(99);
  for (int round = 0; round < 20000; ++round) {
    std::string text = "1";
    const auto length = random() % 12;
    for (unsigned i = 0; i < length; ++i)
      text += random() % 2 ? "+(1" : ")";
    // Only the balance is in question: every '(' follows an operator and precedes a
    // number, every ')' follows a number or a ')' and never precedes a number.
    const std::string rest = RemovePairsByRescanning(text);
    const bool opens = rest.find('(') != std::string::npos;
    const bool closes = rest.find(')') != std::string::npos;
    const CheckOutcome outcome = CheckExpressionText(text);
    if (!opens && !closes) {
      ASSERT_TRUE(outcome.passed) << text;
      continue;
    }
    const Prompt expected = opens && closes ? Prompt::MissingBoth : opens ? Prompt::MissingClose : Prompt::MissingOpen;
    ASSERT_FALSE(outcome.passed) << text;
    ASSERT_EQ(outcome.prompt, expected) << text;
  }
}

TEST(Checker, NeverReadsOutsideTheTextOnAnyShortInput) {
  // Every text of up to four characters from a telling alphabet: a mark must stay
  // within the field (or be the whole-text selection).
  const std::string alphabet = "1.(-)*a \r\n";
  std::string text;
  std::function<void(int)> visit = [&](int left) {
    const CheckOutcome outcome = CheckExpressionText(text);
    if (outcome.mark && !(outcome.mark == kWholeText)) {
      ASSERT_GE(outcome.mark->start, 0) << testing::PrintToString(text);
      ASSERT_LE(outcome.mark->end, static_cast<int>(text.size())) << testing::PrintToString(text);
      ASSERT_LE(outcome.mark->start, outcome.mark->end);
    }
    if (left == 0) return;
    for (char c : alphabet) {
      text.push_back(c);
      visit(left - 1);
      text.pop_back();
    }
  };
  visit(4);
}

}  // namespace
