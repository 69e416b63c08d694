#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "Arithmetic.h"

namespace {

double PlainProduct(double x, int n) {
  double p = 1;
  for (int i = 0; i < n; ++i)
    p *= x;
  return p;
}

TEST(Power, ShortExponentsMultiplyFactorByFactor) {
  const double bases[] = {2, -3, 1.1, 0.7, -1.0000001, 123.456, 1e-5};
  for (double x : bases)
    for (int n = 1; n <= 64; ++n)
      ASSERT_EQ(Power(x, n), PlainProduct(x, n)) << x << "^" << n;
}

TEST(Power, ZeroAndNegativeExponentsGiveTheUsualPowers) {
  EXPECT_EQ(Power(5, 0), 1);
  EXPECT_EQ(Power(0, 0), 1);
  EXPECT_EQ(Power(2, -1), 0.5);
  EXPECT_EQ(Power(2, -3), 0.125);
  EXPECT_EQ(Power(-2, -3), -0.125);
  EXPECT_EQ(Power(0, -1), INFINITY);       // the evaluator calls it a division by zero
  EXPECT_EQ(Power(1e-200, -2), INFINITY);  // 1e-400 underflows: too large
  EXPECT_EQ(Power(1e200, -2), 0);          // 1e400 overflows: too small
}

TEST(Power, HugeExponentsAnswerAtOnce) {
  EXPECT_EQ(Power(2, INT_MAX), INFINITY);
  EXPECT_EQ(Power(2, INT_MIN), 0);
  EXPECT_EQ(Power(-1, INT_MAX), -1);
  EXPECT_EQ(Power(-1, INT_MIN), 1);
  EXPECT_EQ(Power(0.5, 1000), std::ldexp(1.0, -1000));
  const double e200 = Power(1.0000001, 2000000000);
  EXPECT_NEAR(e200 / std::exp(2000000000 * std::log1p(1e-7)), 1.0, 1e-6);
  EXPECT_EQ(Power(2, 1023), std::ldexp(1.0, 1023));
}

TEST(Root, DecimalSearchFindsExactAndNearRoots) {
  EXPECT_EQ(Root(27, 3), 3);
  EXPECT_EQ(Root(16, 4), 2);
  EXPECT_EQ(Root(0, 5), 0);
  EXPECT_EQ(Root(1, 7), 1);
  EXPECT_NEAR(Root(2, 2), 1.4142135623, 1e-10);
  EXPECT_NEAR(Root(0.5, 3), 0.7937005259, 1e-10);
  EXPECT_NEAR(Root(1e300, 2), 1e150, 1e140);
}

TEST(Root, SearchEndsWhereTheStepIsBelowTheSpacingOfDoubles) {
  // Each of these never ended before the search stopped at r + s == r.
  EXPECT_NEAR(Root(1234567.891, 1), 1234567.891, 1e-9);
  EXPECT_NEAR(Root(2000000000000, 2), 1414213.562373095, 1e-6);
  EXPECT_NEAR(Root(2000000000000000000, 3), 1259921.0498948732, 1e-6);
  EXPECT_NEAR(Root(1.7e308, 1), 1.7e308, 1e293);
  EXPECT_EQ(Root(1.7976931348623157e308, 1), 1.7976931348623157e308);
  EXPECT_EQ(Root(1e230, 1), 1e230);  // x / s reaches exactly 10: s goes on to x itself
}

TEST(Root, SignsAndDegreesOutsideTheSearch) {
  EXPECT_EQ(Root(-8, 3), -2);
  EXPECT_EQ(Root(-27, -3), -1.0 / 3);
  EXPECT_EQ(Root(4, -2), 0.5);
  EXPECT_TRUE(std::isnan(Root(-4, 2)));
  EXPECT_TRUE(std::isnan(Root(5, 0)));
  EXPECT_TRUE(std::isnan(Root(-5, INT_MIN)));
  EXPECT_NEAR(Root(3, INT_MAX), 1.0, 1e-9);
  EXPECT_NEAR(Root(3, INT_MIN), 1.0, 1e-9);
}

TEST(TruncateToInt32, TruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(TruncateToInt32(2.9), 2);
  EXPECT_EQ(TruncateToInt32(-2.9), -2);
  EXPECT_EQ(TruncateToInt32(3e9), INT_MAX);
  EXPECT_EQ(TruncateToInt32(-3e9), INT_MIN);
  EXPECT_EQ(TruncateToInt32(NAN), 0);
}

}  // namespace
