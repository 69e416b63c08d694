#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "Checker.h"
#include "Evaluator.h"
#include "ExpressionGenerator.h"
#include "LiteralEvaluator.h"
#include "NumberText.h"

namespace {

std::map<ComputeFault, int> Count(const std::vector<ComputeFault>& faults) {
  std::map<ComputeFault, int> counts;
  for (ComputeFault f : faults)
    ++counts[f];
  return counts;
}

TEST(Differential, EvaluatorMatchesTheLiteralAlgorithmOnGeneratedExpressions) {
  ExpressionGenerator generator(7);
  EvaluationStacks stacks;
  int compared = 0;
  int withFaults = 0;
  for (int round = 0; round < 6000; ++round) {
    const std::string text = generator.Next();
    if (!CheckExpressionText(text).passed) continue;
    const std::string format = MakeNumberFormat(round % 10);
    std::vector<ComputeFault> expectedFaults;
    const std::string expected = LiteralEvaluate(text, format, expectedFaults);
    std::vector<ComputeFault> faults;
    const std::string actual = EvaluateExpression(
        text, format, [&](ComputeFault f) { faults.push_back(f); }, stacks);
    ASSERT_EQ(actual, expected) << testing::PrintToString(text);
    ASSERT_EQ(Count(faults), Count(expectedFaults)) << testing::PrintToString(text);
    ASSERT_TRUE(stacks.empty());
    ++compared;
    withFaults += !faults.empty();
  }
  // The generator must keep producing texts the checker passes, faults included.
  EXPECT_GT(compared, 3000);
  EXPECT_GT(withFaults, 100);
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
      std::vector<ComputeFault> expectedFaults;
      const std::string expected = LiteralEvaluate(text, MakeNumberFormat(n), expectedFaults);
      std::vector<ComputeFault> faults;
      EXPECT_EQ(EvaluateExpression(text, MakeNumberFormat(n), [&](ComputeFault f) { faults.push_back(f); }), expected)
          << text;
      EXPECT_EQ(Count(faults), Count(expectedFaults)) << text;
    }
  }
}

}  // namespace
