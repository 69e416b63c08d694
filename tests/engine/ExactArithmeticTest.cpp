#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "Calculation.h"
#include "ExactArithmetic.h"
#include "ExactValue.h"
#include "NumberWriting.h"

namespace {

constexpr ComputeFault kDivision = ComputeFault::DivisionByZero;
constexpr ComputeFault kOverflow = ComputeFault::Overflow;
constexpr ComputeFault kEvenRoot = ComputeFault::NegativeEvenRoot;
constexpr ComputeFault kZeroDegree = ComputeFault::ZeroDegreeRoot;

Calculation Exactly(const std::string& text, int decimals) {
  EvaluationStacks stacks;
  return Calculate(text, MakeNumberFormat(decimals), stacks, Arithmetic::kExact);
}

// A run of one digit between two texts. Out of line: GCC 12 sees a false overlap
// in the inlined sums of strings.
[[gnu::noinline]] std::string DigitRun(std::string_view before, size_t count, char digit, std::string_view after = "") {
  std::string text(before);
  text.append(count, digit);
  text.append(after);
  return text;
}

struct ResultCase {
  std::string text;
  int decimals;
  std::string expected;
};

TEST(ExactArithmetic, Results) {
  const std::vector<ResultCase> cases = {
      // Typed numbers are exact decimals, and nothing is rounded on the way.
      {"3000000*1/3000000", 3, "1.000"},
      {"2844151.43*1/935", 6, "3041.873187"},
      {"1/3*3", 9, "1.000000000"},
      {"1/(1/10000000)", 3, "10000000.000"},
      {"0.1+0.2-0.3", 9, "0.000000000"},
      {"2^63", 3, "9223372036854775808.000"},
      {"10^20/3", 3, "33333333333333333333.333"},
      {"2^2^2^2^2^2", 0, "4294967296"},
      {"1 , 5*2", 3, "3.000"},
      {"123456789012345678901234567890*10", 0, "1234567890123456789012345678900"},
      {"0.000000000000000000001*10^21", 3, "1.000"},
      // The order of work is the classic one: a*b/c is a*(b/c), 2^3^2 is (2^3)^2.
      {"2^3^2", 0, "64"},
      {"200*10%50", 3, "1000.000"},
      {"-2^2", 3, "-4.000"},
      {"(-5)+3", 3, "-2.000"},
      {"10-2+3", 3, "11.000"},
      // Half away from zero, at the digit shown; a negative value keeps its minus.
      {"2.675", 2, "2.68"},
      {"0.35", 1, "0.4"},
      {"2.5", 0, "3"},
      {"0-2.5", 0, "-3"},
      {"0.125", 2, "0.13"},
      {"0-0.0004", 3, "-0.000"},
      {"10^30+0.5", 0, "1000000000000000000000000000001"},
      {"1/7", 9, "0.142857143"},
      // Powers and roots: exact where the value is a fraction, real otherwise.
      {"2^0.5", 9, "1.414213562"},
      {"2^(1/3*3)", 3, "2.000"},
      {"9#2.5", 9, "2.408224685"},
      {"27#3", 3, "3.000"},
      {"(-8)#3", 3, "-2.000"},
      {"(-0.5)#3", 9, "-0.793700526"},
      {"4^0.5", 3, "2.000"},
      {"8^(1/3)", 9, "2.000000000"},
      {"(8/27)^(2/3)", 9, "0.444444444"},
      {"(10^100)#2", 0, "100000000000000000000000000000000000000000000000000"},
      {"2^(0-2)", 3, "0.250"},
      {"16#(0-4)", 3, "0.500"},
      {"5#0.5", 3, "25.000"},
      {"0^0", 3, "1.000"},
      {"(0-1)^(10^30+1)", 3, "-1.000"},
      {"(1/3)^2.5", 9, "0.064150030"},
  };
  for (const ResultCase& c : cases) {
    const Calculation calculation = Exactly(c.text, c.decimals);
    EXPECT_EQ(calculation.result, c.expected) << c.text;
    EXPECT_TRUE(calculation.faults.empty()) << c.text;
    ASSERT_TRUE(calculation.exact.has_value()) << c.text;
    EXPECT_EQ(calculation.exact->Written(c.decimals), c.expected) << c.text;
  }
}

// Beyond the display's rounding, a power with no exact value is right to 30 digits.
TEST(ExactArithmetic, RealPowersToThirtyDecimals) {
  const std::vector<ResultCase> cases = {
      {"2^0.5", 30, "1.414213562373095048801688724210"},
      {"9#2.5", 30, "2.408224685280692046285508614191"},
      {"10#7", 30, "1.389495494373137637129985217353"},
  };
  for (const ResultCase& c : cases) {
    const Calculation calculation = Exactly(c.text, 3);
    ASSERT_TRUE(calculation.exact.has_value()) << c.text;
    EXPECT_EQ(calculation.exact->Written(c.decimals), c.expected) << c.text;
  }
}

// The classic result stays what the classic rules make it; the exact value of the
// same text comes beside it, and the difference is seen.
TEST(ExactArithmetic, ClassicResultsWithTheExactValueBeside) {
  struct Case {
    std::string text;
    int decimals;
    std::string classic;
    std::string exact;
  };
  const std::vector<Case> cases = {
      {"3000000*1/3000000", 3, "0.000", "1.000"},
      {"2844151.43*1/935", 6, "3043.242030", "3041.873187"},
      {"1/3*3", 9, "0.999999000", "1.000000000"},
      {"2^0.5", 3, "1.000", "1.414"},
      {"2^(1/3*3)", 3, "1.000", "2.000"},
      {"2.675", 2, "2.67", "2.68"},
      {"0.35", 1, "0.3", "0.4"},
      {"2^63", 3, "9223372036854775800.000", "9223372036854775808.000"},
      {"10^20/3", 3, "33333333333333332000.000", "33333333333333333333.333"},
      // The same digits: nothing to tell.
      {"2*(3+4)-5", 3, "9.000", ""},
      {"1/3*3", 3, "1.000", ""},
      {"0-0.0001", 3, "-0.000", ""},
  };
  EvaluationStacks stacks;
  for (const Case& c : cases) {
    const Calculation calculation = Calculate(c.text, MakeNumberFormat(c.decimals), stacks, Arithmetic::kClassic, true);
    EXPECT_EQ(calculation.result, c.classic) << c.text;
    ASSERT_TRUE(calculation.exact.has_value()) << c.text;
    EXPECT_EQ(ShowsOtherDigits(calculation.result, *calculation.exact, c.decimals), !c.exact.empty()) << c.text;
    if (!c.exact.empty()) {
      EXPECT_EQ(calculation.exact->Written(c.decimals), c.exact) << c.text;
    }
    // Without the comparison, nothing is worked out exactly.
    EXPECT_FALSE(Calculate(c.text, MakeNumberFormat(c.decimals), stacks).exact.has_value()) << c.text;
  }
}

TEST(ExactArithmetic, ShowsOtherDigits) {
  struct Case {
    std::string classic;
    std::string exactText;
    int decimals;
    bool differs;
  };
  const std::vector<Case> cases = {
      {"-0.000", "0", 3, false},
      {"0.000", "0-0.0001", 3, false},
      {"-0.000", "0-0.0001", 3, false},
      {"1.000", "1", 3, false},
      {"0.999", "1", 3, true},
      {"-1.000", "1", 3, true},
      {"2.67", "2.675", 2, true},
      {"3", "2.5", 0, false},
  };
  for (const Case& c : cases) {
    const Calculation exact = Exactly(c.exactText, c.decimals);
    ASSERT_TRUE(exact.exact.has_value()) << c.exactText;
    EXPECT_EQ(ShowsOtherDigits(c.classic, *exact.exact, c.decimals), c.differs) << c.classic << " " << c.exactText;
  }
}

// The faults of the classic evaluation, at the same operators, in the same order
// (deepest, strongest, leftmost first), each going on with 0; the bounds of exact
// arithmetic are "too large" and are met at once.
TEST(ExactArithmetic, FaultsAndBounds) {
  struct Case {
    std::string text;
    std::string expected;
    std::vector<FaultMet> faults;
  };
  const std::string tenThousandDigits = DigitRun("", 10000, '9');
  const std::vector<Case> cases = {
      {"5+1/0", "5.000", {{kDivision, 3}}},
      {"1/0+1/0", "0.000", {{kDivision, 1}, {kDivision, 5}}},
      {"(0-4)#2+(7/(3-3))-1/0", "0.000", {{kDivision, 10}, {kEvenRoot, 5}, {kDivision, 19}}},
      {"(-8)#2", "0.000", {{kEvenRoot, 4}}},
      {"(-8)#2.5", "0.000", {{kEvenRoot, 4}}},
      {"(-8)^0.5", "0.000", {{kEvenRoot, 4}}},
      {"(-8)#(1/3)", "0.000", {{kEvenRoot, 4}}},
      {"5#0", "0.000", {{kZeroDegree, 1}}},
      {"0^(0-1)", "0.000", {{kDivision, 1}}},
      {"0^(0-0.5)", "0.000", {{kDivision, 1}}},
      {"0#(0-2)", "0.000", {{kDivision, 1}}},
      // The bounds: no numerator or denominator of more than 10,000 digits.
      {"10^10000", "0.000", {{kOverflow, 2}}},
      {"1/10^10000", "0.000", {{kOverflow, 4}, {kDivision, 1}}},
      {"2^(2^40)", "0.000", {{kOverflow, 1}}},
      {"10^100000", "0.000", {{kOverflow, 2}}},
      {"(1/3)^100000", "0.000", {{kOverflow, 5}}},
      {"0.5^100000.5", "0.000", {{kOverflow, 3}}},
      {"2^33219.5", "0.000", {{kOverflow, 1}}},
      {"1.5^1000000", "0.000", {{kOverflow, 3}}},
      {"(10^5000)*(10^5000)", "0.000", {{kOverflow, 9}}},
      {"2^(10^30)+1", "1.000", {{kOverflow, 1}}},
      {DigitRun("1", 10000, '0'), "0.000", {{kOverflow, 0}}},
      {DigitRun("1", 10000, '0', "+1"), "1.000", {{kOverflow, 10001}}},
      {DigitRun("0.", 14307, '0', "1*1"), "0.000", {{kOverflow, 14310}}},
  };
  // A long text of operations on the largest numbers spends the evaluation's
  // allowance of work: the rest is too large too, and the answer comes at once.
  std::string manyLarge = "(1/3)^9000";
  for (int i = 1; i < 200; ++i) {
    manyLarge += "+(1/3)^";
    manyLarge += std::to_string(9000 + i);
  }
  const Calculation spent = Exactly(manyLarge, 3);
  EXPECT_FALSE(spent.faults.empty());
  EXPECT_EQ(spent.faults.back().kind, kOverflow);
  for (const Case& c : cases) {
    const Calculation calculation = Exactly(c.text, 3);
    EXPECT_EQ(calculation.result, c.expected) << c.text.substr(0, 40);
    EXPECT_EQ(calculation.faults, c.faults) << c.text.substr(0, 40);
    EXPECT_FALSE(calculation.exact.has_value()) << c.text.substr(0, 40);
  }
  // Just within the bounds.
  for (const std::string& text :
       std::vector<std::string>{DigitRun(tenThousandDigits, 0, '0', "*1"), "10^9999", "1/10^9999", "(10^5000)*(10^4999)"}) {
    const Calculation calculation = Exactly(text, 0);
    EXPECT_TRUE(calculation.faults.empty()) << text.substr(0, 40);
    EXPECT_GE(calculation.result.size(), 1u) << text.substr(0, 40);
  }
  EXPECT_EQ(Exactly(DigitRun(tenThousandDigits, 0, '0', "*1"), 0).result, tenThousandDigits);
  EXPECT_EQ(Exactly("10^9999", 0).result, DigitRun("1", 9999, '0'));
}

}  // namespace
