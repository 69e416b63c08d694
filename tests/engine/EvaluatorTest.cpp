#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Calculation.h"
#include "Evaluator.h"
#include "LiteralEvaluator.h"
#include "Millionths.h"
#include "NumberWriting.h"
#include "OracleRoundTrips.h"

namespace {

using Faults = std::vector<ComputeFault>;
constexpr ComputeFault kDivision = ComputeFault::DivisionByZero;
constexpr ComputeFault kOverflow = ComputeFault::Overflow;
constexpr ComputeFault kEvenRoot = ComputeFault::NegativeEvenRoot;
constexpr ComputeFault kZeroDegree = ComputeFault::ZeroDegreeRoot;

struct EvaluationCase {
  const char* text;
  int decimals;
  const char* expected;
  Faults faults;
};

Faults Kinds(const std::vector<FaultMet>& faults) {
  Faults kinds;
  for (const FaultMet& f : faults)
    kinds.push_back(f.kind);
  return kinds;
}

void ExpectEvaluations(const std::vector<EvaluationCase>& cases) {
  EvaluationStacks stacks;
  for (const auto& c : cases) {
    const Evaluation evaluation = EvaluateExpression(c.text, MakeNumberFormat(c.decimals), stacks);
    EXPECT_EQ(evaluation.result, c.expected) << c.text << " with " << c.decimals << " decimals";
    EXPECT_EQ(Kinds(evaluation.faults), c.faults) << c.text;
    EXPECT_TRUE(stacks.empty()) << c.text;
  }
}

TEST(Evaluator, OrderOfWork) {
  ExpectEvaluations({
      {"2*(3+4)-5", 3, "9.000", {}},
      {"2+3*4", 3, "14.000", {}},
      {"(2+3)*4", 3, "20.000", {}},
      {"(1+2)*(3+4)", 3, "21.000", {}},
      {"10-2-3", 3, "5.000", {}},
      {"10-2+3", 3, "11.000", {}},
      {"10+2-3", 3, "9.000", {}},
      {"2^3^2", 3, "64.000", {}},
      {"2*3^2", 3, "18.000", {}},
      {"2^2.9", 3, "4.000", {}},
      {"27#3", 3, "3.000", {}},
      {"16#4", 3, "2.000", {}},
      {"2#2", 3, "1.414", {}},
      {"2^27#3", 3, "8.000", {}},
      {"50%200", 3, "100.000", {}},
      {"200*10%50", 3, "1000.000", {}},
      {"100/4%50", 3, "50.000", {}},
  });
}

TEST(Evaluator, SignsNumbersAndSeparators) {
  ExpectEvaluations({
      {"-5+3", 3, "-2.000", {}},
      {"-2^2", 3, "-4.000", {}},
      {"(-2)^2", 3, "4.000", {}},
      {"+5", 3, "5.000", {}},
      {"-(-2)", 3, "2.000", {}},
      {"(+5)", 3, "5.000", {}},
      {"3.14159", 3, "3.142", {}},
      {".5*2", 3, "1.000", {}},
      {"2,5*2", 3, "5.000", {}},
      {"2 5", 3, "25.000", {}},
      {"1.2.3+1", 3, "2.200", {}},
      {".+1", 3, "1.000", {}},
      {"1\r\n+2", 3, "3.000", {}},
      {"0-0.0001", 3, "-0.000", {}},
      {"0-0.0004", 3, "-0.000", {}},
      // Sixteen digits are more than a double holds exactly: read as typed, not
      // as a rounded whole number divided.
      {"913996208434079.7", 3, "913996208434079.750", {}},
      {"9790635658.315175*1000", 3, "9790635658315.174", {}},
  });
}

TEST(Evaluator, EveryIntermediateValueKeepsSixDecimals) {
  ExpectEvaluations({
      {"1/3*3", 3, "1.000", {}},
      {"1/3*3", 9, "0.999999000", {}},
      {"1/3", 9, "0.333333000", {}},
      {"3*1/3", 9, "0.999999000", {}},
      {"1+0.0000006-0.0000002", 9, "1.000000000", {}},
      {"0.0000004+0", 9, "0.000000000", {}},
      {"1/0.0000001", 3, "10000000.000", {}},
      {"2#2", 9, "1.414214000", {}},
  });
}

// The value beside its text is the one the text was written from, so other
// decimals can be written from it without evaluating again: with every count
// of decimals it writes what the evaluation writes.
TEST(Evaluator, TheValueIsWhatTheResultTextWasWrittenFrom) {
  EvaluationStacks stacks;
  const std::string tooLarge(400, '9');
  for (const std::string& text :
       {std::string("2/3"), std::string("0-0.0004"), std::string("2.5"), std::string("123456789012345*10"), tooLarge,
        tooLarge + "+1", std::string("1/0"), std::string("0.12345678949")}) {
    const double value = Calculate(text, "%0.0f", stacks).value;
    for (int decimals = 0; decimals <= 9; ++decimals) {
      const std::string format = MakeNumberFormat(decimals);
      EXPECT_EQ(FormatNumber(format, value), Calculate(text, format, stacks).result) << text << " " << decimals;
    }
  }
}

TEST(Evaluator, DivisionByZeroReportsAndCountsAsZero) {
  ExpectEvaluations({
      {"5+1/0", 3, "5.000", {kDivision}},
      {"1/0+1/0", 3, "0.000", {kDivision, kDivision}},
      {"1/(1/10000000)", 3, "0.000", {kDivision}},
      {"1/(0-0)", 3, "0.000", {kDivision}},
      {"-1/0", 3, "0.000", {kDivision}},
      {"0^(-2)", 3, "0.000", {kDivision}},
      {"0#(-2)", 3, "0.000", {kDivision}},
  });
}

// The messages come in the order the passes reach their operators: deepest
// first, then the strongest, then the leftmost; a number too large to read is met
// when its operator's pass reads it, before the operation itself.
TEST(Evaluator, FaultsComeInTheOrderThePassesReachThem) {
  const std::string huge = "1" + std::string(400, '0');  // 401 characters
  const size_t afterHuge = huge.size();
  const struct {
    std::string text;
    std::vector<FaultMet> faults;
  } cases[] = {
      {"(1/0)+((2#0))", {{kZeroDegree, 9}, {kDivision, 2}}},
      {"(0-4)#2+(7/(3-3))-1/0", {{kDivision, 10}, {kEvenRoot, 5}, {kDivision, 19}}},
      {"1/0+2#0", {{kZeroDegree, 5}, {kDivision, 1}}},
      {"2#0+1/0", {{kZeroDegree, 1}, {kDivision, 5}}},
      {"1/0-1/0*0^(-1)", {{kDivision, 9}, {kDivision, 1}, {kDivision, 5}}},
      {"0^(-1)+(1/0)", {{kDivision, 9}, {kDivision, 1}}},
      {"(2^(0-1)*0^(0-1))+((-4)#2)", {{kEvenRoot, 23}, {kDivision, 10}}},
      {"10^400*(1/0)", {{kDivision, 9}, {kOverflow, 2}}},
      {huge + "*2+(1/0)", {{kDivision, afterHuge + 5}, {kOverflow, afterHuge}}},
      {huge + "/0", {{kOverflow, afterHuge}, {kDivision, afterHuge}}},
      {"0/" + huge, {{kOverflow, 1}, {kDivision, 1}}},
      {"((" + huge + "))", {{kOverflow, 2}}},
      // Counted in the text as typed, blanks, commas and line breaks included.
      {" 1 / 0", {{kDivision, 3}}},
      {"2,5 *\r\n(1/0) + 4 # 0", {{kDivision, 9}, {kZeroDegree, 17}}},
  };
  EvaluationStacks stacks;
  for (const auto& c : cases) {
    const std::string shown = testing::PrintToString(c.text.size() > 40 ? c.text.substr(0, 40) + "..." : c.text);
    EXPECT_EQ(EvaluateExpression(c.text, "%0.3f", stacks).faults, c.faults) << shown;
    std::vector<FaultMet> byPasses;
    LiteralEvaluate(c.text, "%0.3f", byPasses);
    EXPECT_EQ(byPasses, c.faults) << "the passes themselves, for " << shown;
  }
}

TEST(Evaluator, PowersWithAnyExponent) {
  ExpectEvaluations({
      {"5^0", 3, "1.000", {}},
      {"2^0.5", 3, "1.000", {}},
      {"2^(-1)", 3, "0.500", {}},
      {"2^(-0.5)", 3, "1.000", {}},
      {"10^(-7)", 9, "0.000000000", {}},
      {"2^2147483647", 3, "0.000", {kOverflow}},
      {"2^3000000000", 3, "0.000", {kOverflow}},
      {"2^(-3000000000)", 3, "0.000", {}},
      {"0.1^400", 3, "0.000", {}},
      {"0.5^(-2000)", 3, "0.000", {kOverflow}},
      {"(-1)^2147483647", 3, "-1.000", {}},
  });
}

TEST(Evaluator, RootsOfEveryRadicandAndDegree) {
  ExpectEvaluations({
      {"(-8)#3", 3, "-2.000", {}},
      {"(-0.5)#3", 4, "-0.7937", {}},
      {"4#(-2)", 3, "0.500", {}},
      {"(-4)#2", 3, "0.000", {kEvenRoot}},
      {"5#0", 3, "0.000", {kZeroDegree}},
      {"5#0.9", 3, "0.000", {kZeroDegree}},
      {"1+(-4)#2", 3, "1.000", {kEvenRoot}},
      {"1234567.891#1", 3, "1234567.891", {}},
      {"2000000000000#2", 3, "1414213.562", {}},
      {"2000000000000000000#3", 3, "1259921.050", {}},
      {"1.000001#2", 6, "1.000000", {}},  // 1.00000049999988: the last midpoint keeps it below the half
  });
}

TEST(Evaluator, ValuesBeyondTheDoubleRangeAreReported) {
  ExpectEvaluations({
      {"10^400", 3, "0.000", {kOverflow}},
      {"10^400+1", 3, "1.000", {kOverflow}},
      {"10^308*10", 3, "0.000", {kOverflow}},
      {"10^308*10-10^308*10", 3, "0.000", {kOverflow, kOverflow}},
  });
  const std::string huge = std::string(400, '9');
  ExpectEvaluations({
      {huge.c_str(), 3, "0.000", {kOverflow}},
      {("1+" + huge).c_str(), 3, "1.000", {kOverflow}},
  });
}

TEST(Evaluator, TextsTheCheckerRejectsStillEndWithAText) {
  ExpectEvaluations({
      {"((2))3", 3, "0.000", {}},
      {"", 3, "0.000", {}},
      {"2+", 3, "0.000", {}},
      {"*", 3, "0.000", {}},
      {")1+2(", 3, "0.000", {}},
      {"2a", 3, "0.000", {}},
  });
}

// What one press of Enter computes: a text the checker rejects shows its prompt
// and nothing of the evaluation, not even the faults it would meet.
TEST(Evaluator, ARejectedTextGivesNoResultAndNoFaults) {
  EvaluationStacks stacks;
  for (const char* text : {"(1/0", "1/0)", "1/0)+(2", "(2#0", "1/0+1.2.3", "10^400)"}) {
    ASSERT_FALSE(EvaluateExpression(text, "%0.3f", stacks).faults.empty()) << "meets no fault: " << text;
    const Calculation calculation = Calculate(text, "%0.3f", stacks);
    EXPECT_FALSE(calculation.check.passed) << text;
    EXPECT_EQ(calculation.result, "") << text;
    EXPECT_TRUE(calculation.faults.empty()) << text;
    EXPECT_TRUE(stacks.empty()) << text;
  }
}

TEST(Evaluator, LongAndDeeplyNestedExpressions) {
  std::string sum = "1";
  while (sum.size() < 10000)
    sum += "+1/3";
  std::string nested(5000, '(');
  nested += "1";
  nested += std::string(5000, ')');
  std::vector<FaultMet> faults;
  EXPECT_EQ(EvaluateExpression(sum, "%0.3f").result, LiteralEvaluate(sum, "%0.3f", faults));
  EXPECT_EQ(EvaluateExpression(sum, "%0.3f").result.substr(0, 6), "834.33");
  EXPECT_EQ(EvaluateExpression(nested, "%0.3f").result, "1.000");
}

// + - and * on counts of millionths must give the count, and so the double,
// that the work in doubles gives once written with six decimals and read back;
// and they must decline where that is in doubt: products near a tie, zeros.
TEST(Evaluator, MillionthsAgreeWithTheWorkInDoubles) {
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<int> bits(0, 48);
  auto count = [&] {
    long long value = static_cast<long long>(random() & ((1ull << bits(random)) - 1));
    if (random() % 4 == 0) value -= value % 500'000;  // halves and whole numbers: ties in products
    if (random() % 8 == 0) value = std::min(value, kMostMillionths);
    return random() % 2 ? -value : value;
  };
  auto expectSame = [](long long millionths, double byDoubles, const char* op, long long l, long long r) {
    const double value = MillionthsValue(millionths);
    ASSERT_TRUE(value == byDoubles && !std::signbit(value) == !std::signbit(byDoubles))
        << l << ' ' << op << ' ' << r << " gives " << millionths << " millionths, not " << std::hexfloat << byDoubles;
  };
  int products = 0;
  int quotients = 0;
  for (int round = 0; round < 400'000; ++round) {
    const long long l = count();
    const long long r = count();
    const double a = MillionthsValue(l);
    const double b = MillionthsValue(r);
    long long result = 0;
    if (TrySumOfMillionths(l, r, result)) expectSame(result, RoundTripSixDecimals(a + b), "+", l, r);
    if (TrySumOfMillionths(l, -r, result)) expectSame(result, RoundTripSixDecimals(a - b), "-", l, r);
    if (TryProductOfMillionths(l, r, result)) {
      expectSame(result, RoundTripSixDecimals(a * b), "*", l, r);
      ++products;
    }
    if (TryPerCentOfMillionths(l, r, result)) expectSame(result, RoundTripSixDecimals(a * 0.01 * b), "%", l, r);
    if (TryQuotientOfMillionths(l, r, result)) {
      expectSame(result, RoundTripSixDecimals(a / b), "/", l, r);
      ++quotients;
    }
  }
  // Most products and quotients of modest size are taken in integers.
  EXPECT_GT(products, 100'000);
  EXPECT_GT(quotients, 100'000);
}

// At the edges of the work on counts, each row with the value the work in doubles
// gives there, which the counts would miss: past 2^48 millionths the doubles'
// sums part from the counts' (by 2^51 a double is 0.48 of a millionth from the
// next); a product, quotient or per cent at its largest whose remainder lies
// inside the margin round the half, yet outside one ten times narrower, rounds
// the other way in doubles (the per cent's own error is far smaller: its rows
// are nearer the half); a result that rounds to zero takes its sign from the
// doubles.
TEST(Evaluator, MillionthsGiveWayAtTheirEdges) {
  const std::pair<const char*, const char*> rows[] = {
      // Sums of numbers a count of 2^51 millionths would hold.
      {"2165315889.09533+7.55248", "2165315896.647811"},
      {"2197705159.17433+0.48928", "2197705159.663611"},
      // Products and quotients of about 2^63 millionths of millionths, their
      // remainders 0.0013 and 0.0016 below the half, 0.0014 and 0.0011 above.
      {"676987.495844*13.623316", "9222814.583932"},
      {"698683.330937*13.200375", "9222881.974617"},
      {"8900216.927043/1.036803", "8584289.326944"},
      {"9124360.727911/1.011127", "9023951.222656"},
      // Per cents of about 2^63 hundreds of millionths of millionths, their
      // remainders 0.00002 below the half.
      {"706299.816345%13.058452", "92231.822494"},
      {"132383.005039%69.670966", "92232.518431"},
      // Negative results that round to zero, and a zero product of a negative.
      {"(0-0.000001)*0.4", "-0.000000"},
      {"(0-0.000001)/3", "-0.000000"},
      {"(0-0.000001)%1", "-0.000000"},
      {"0*(0-5)", "-0.000000"},
  };
  EvaluationStacks stacks;
  for (const auto& [text, expected] : rows) {
    EXPECT_EQ(EvaluateExpression(text, MakeNumberFormat(6), stacks).result, expected) << text;
    std::vector<FaultMet> faults;
    EXPECT_EQ(LiteralEvaluate(text, MakeNumberFormat(6), faults), expected) << text << " in doubles";
  }
}

}  // namespace
