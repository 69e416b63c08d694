#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "Calculation.h"
#include "CharClasses.h"
#include "Checker.h"
#include "Evaluator.h"
#include "ExpressionGenerator.h"
#include "LiteralEvaluator.h"
#include "NumberWriting.h"
#include "RuleByRuleCheck.h"

namespace {

bool LeftToRight(const std::vector<FaultMet>& faults) {
  return std::is_sorted(faults.begin(), faults.end(),
                        [](const FaultMet& a, const FaultMet& b) { return a.position < b.position; });
}

TEST(Differential, EvaluatorMatchesTheLiteralAlgorithmOnGeneratedExpressions) {
  ExpressionGenerator generator(7);
  EvaluationStacks stacks;
  int compared = 0;
  int withFaults = 0;
  int withSeveral = 0;
  int reordered = 0;
  for (int round = 0; round < 6000; ++round) {
    const std::string text = generator.Next();
    if (!CheckExpressionText(text).passed) continue;
    const std::string format = MakeNumberFormat(round % 10);
    std::vector<FaultMet> expectedFaults;
    const std::string expected = LiteralEvaluate(text, format, expectedFaults);
    const Evaluation actual = EvaluateExpression(text, format, stacks);
    ASSERT_EQ(actual.result, expected) << testing::PrintToString(text);
    ASSERT_EQ(actual.faults, expectedFaults) << testing::PrintToString(text);
    ASSERT_TRUE(stacks.empty());
    ++compared;
    withFaults += !expectedFaults.empty();
    withSeveral += expectedFaults.size() > 1;
    // Faults that the passes reach out of left-to-right order are the ones a
    // single scan meets in another order.
    reordered += !LeftToRight(expectedFaults);
  }
  // The generator must keep producing texts the checker passes, faults included,
  // several to a text and out of left-to-right order often enough.
  EXPECT_GT(compared, 3000);
  EXPECT_GT(withFaults, 100);
  EXPECT_GT(withSeveral, 300);
  EXPECT_GT(reordered, 200);
}

TEST(Differential, FormsThatStressTheOrderOfWork) {
  const char* texts[] = {
      "1+0.0000006-0.0000002",
      "3*1/3",
      "1/3*3",
      "2^3^2",
      "200*10%50",
      "100/4%50",
      "10-2-3-4",
      "10/2/5*3",
      "((((1+2)*3-4)/5)^2)#2",
      "-(-(-2))",
      "(-0.0000001)*1",
      "1-(2-(3-(4-(5))))",
      "2^27#3",
      "1/(1/10000000)",
      "0^(-1)+5",
      "(-8)#3+(-2)#2",
      "5#0",
      "10^400",
      "1/0+1/0",
      "2^(-1)",
      "(-(+(-1)))",
  };
  for (const char* text : texts) {
    ASSERT_TRUE(CheckExpressionText(text).passed) << text;
    for (int n : {0, 3, 9}) {
      std::vector<FaultMet> expectedFaults;
      const std::string expected = LiteralEvaluate(text, MakeNumberFormat(n), expectedFaults);
      const Evaluation actual = EvaluateExpression(text, MakeNumberFormat(n));
      EXPECT_EQ(actual.result, expected) << text;
      EXPECT_EQ(actual.faults, expectedFaults) << text;
    }
  }
}

// The one pass must pass exactly the texts that the rules, taken one by one,
// pass; and the checker's answer, prompt and mark included, must be the rules' own.
void ExpectOnePassAgrees(const std::string& text) {
  const CheckOutcome byRules = CheckEachRule(text);
  const std::string shown = testing::PrintToString(text);
  const CheckOutcome outcome = CheckExpressionText(text);
  ASSERT_EQ(outcome.passed, byRules.passed) << shown;
  ASSERT_EQ(outcome.prompt, byRules.prompt) << shown;
  ASSERT_EQ(outcome.named, byRules.named) << shown;
  ASSERT_EQ(outcome.mark, byRules.mark) << shown;
}

TEST(Differential, OnePassCheckAgreesWithTheRulesOnEveryShortText) {
  // Every kind of character the rules tell apart, and those that normalising removes.
  const std::string alphabet = "1.()+-*a ,\r\n";
  std::string text;
  std::function<void(int)> visit = [&](int left) {
    ExpectOnePassAgrees(text);
    if (left == 0 || testing::Test::HasFatalFailure()) return;
    for (char c : alphabet) {
      text.push_back(c);
      visit(left - 1);
      text.pop_back();
    }
  };
  visit(5);
}

TEST(Differential, OnePassCheckAgreesWithTheRulesOnGeneratedAndDamagedTexts) {
  ExpressionGenerator generator(11);
  std::mt19937 random(12);
  const std::string pieces = "0123456789.,+-*/%^#()( ) \r\n\tx";
  int passed = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text = generator.Next();
    // Most rounds damage the text a little: a character replaced, inserted or removed.
    for (auto damage = random() % 3; damage > 0 && !text.empty(); --damage) {
      const size_t at = random() % text.size();
      const char piece = pieces[random() % pieces.size()];
      switch (random() % 3) {
        case 0: text[at] = piece; break;
        case 1: text.insert(at, 1, piece); break;
        default: text.erase(at, 1); break;
      }
    }
    ExpectOnePassAgrees(text);
    passed += CheckExpressionText(text).passed;
  }
  // Both answers must be common, or the comparison says little.
  EXPECT_GT(passed, 1000);
  EXPECT_LT(passed, 19000);
}

}  // namespace
