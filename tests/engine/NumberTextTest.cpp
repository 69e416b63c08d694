#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "NumberReading.h"
#include "NumberWriting.h"
#include "OracleRoundTrips.h"

namespace {

struct FormatCase {
  const char* format;
  double value;
  const char* expected;
};

TEST(FormatNumber, WritesFixedDecimalsWithTiesAwayFromZero) {
  const FormatCase cases[] = {
      {"%0.3f", 2, "2.000"},
      {"%0.3f", 1234567.891, "1234567.891"},
      {"%0.3f", -0.0004, "-0.000"},
      {"%0.3f", 5, "5.000"},
      {"%0.0f", 2.5, "3"},
      {"%0.0f", 0.4, "0"},
      {"%0.0f", -2.5, "-3"},
      {"%0.0f", 3.7, "4"},
      {"%0.9f", 0.333333, "0.333333000"},
      {"%f", 0.0000004, "0.000000"},
      {"%f", 0.0000005, "0.000000"},  // its double lies just below the tie, and so do its 17 digits
      {"%f", 1e-6, "0.000001"},
      {"%0.2f", 2.675, "2.67"},  // 2.6749999999999998
      {"%0.2f", 0.125, "0.13"},
      {"%0.3f", 0.0005, "0.001"},
      {"%0.1f", 1.45, "1.5"},  // 17 digits: 1.4500000000000000
      {"%0.3f", 0.0, "0.000"},
      {"%0.3f", -0.0, "-0.000"},
      {"%0.3f", 0.9995, "1.000"},  // carries into the integer part
      {"%0.9f", 0.0000000095, "0.000000010"},  // below a millionth, carried past the 9s
      {"%0.0f", 9.5, "10"},
      {"%0.0f", 999999.5, "1000000"},
      {"%f", 1e20, "100000000000000000000.000000"},
      {"%0.0f", std::ldexp(1.0, 70), "1180591620717411300000"},  // 17 digits, then zeros
      {"%0.3f", 0.1, "0.100"},
      {"%0.9f", 1.0 / 3.0, "0.333333333"},
      {"%f", -123.4567895, "-123.456790"},
      {"%0.3f", 1e-300, "0.000"},
      {"%0.3f", -1e-300, "-0.000"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatNumber(c.format, c.value), c.expected) << c.format << " with " << testing::PrintToString(c.value);
}

TEST(FormatNumber, ExactTieAtTheSeventeenthDigitRoundsAwayFromZero) {
  // 4e15 + 1 quarters: 1000000000000000.25 exactly, eighteen significant digits.
  const double tie = (4e15 + 1) / 4;
  ASSERT_EQ(tie * 4, 4e15 + 1);
  EXPECT_EQ(FormatNumber("%0.1f", tie), "1000000000000000.3");
  EXPECT_EQ(FormatNumber("%0.1f", -tie), "-1000000000000000.3");
  // 1000000000000000.75 rounds up either way.
  EXPECT_EQ(FormatNumber("%0.1f", (4e15 + 3) / 4), "1000000000000000.8");
}

TEST(FormatNumber, LargestAndSmallestDoublesAreWrittenInFull) {
  const std::string largest = FormatNumber("%0.0f", 1.7976931348623157e308);
  EXPECT_EQ(largest.size(), 309u);
  EXPECT_EQ(largest.substr(0, 18), "179769313486231570");
  EXPECT_EQ(largest.find_first_not_of('0', 17), std::string::npos);
  EXPECT_EQ(FormatNumber("%0.9f", 4.9e-324), "0.000000000");
}

// An independent writer: the exact decimal expansion from the platform (800
// digits cover every double), rounded by hand twice as the calculator does.
std::string RoundDecimalString(std::string digits, size_t keep, bool& carried) {
  carried = false;
  const bool up = keep < digits.size() && digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    int i = static_cast<int>(keep) - 1;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
      digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0)
      ++digits[static_cast<size_t>(i)];
    else {
      digits.insert(digits.begin(), '1');
      carried = true;
    }
  }
  return digits;
}

std::string ReferenceFormat(double x, int decimals) {
  char buf[1000];
  const auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 800).ptr;
  *end = 0;
  std::string exact(buf, buf + 802);
  exact.erase(1, 1);  // the point
  int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  bool carried = false;
  std::string sig = x == 0 ? std::string(17, '0') : RoundDecimalString(exact, 17, carried);
  if (carried) {
    sig.pop_back();
    ++exponent;
  }
  if (x == 0) exponent = 0;
  auto digitAt = [&](int p) {
    const int i = exponent - p;
    return i >= 0 && i < 17 ? sig[static_cast<size_t>(i)] : '0';
  };
  std::string kept;
  for (int p = std::max(exponent, 0); p >= -decimals; --p)
    kept += digitAt(p);
  std::string digits = RoundDecimalString(kept + digitAt(-decimals - 1), kept.size(), carried);
  const size_t integerDigits = digits.size() - static_cast<size_t>(decimals);
  const size_t from = std::min(digits.find_first_not_of('0'), integerDigits - 1);
  std::string text = std::signbit(x) ? "-" : "";
  text += digits.substr(from, integerDigits - from);
  if (decimals > 0) {
    text += '.';
    text += digits.substr(integerDigits);
  }
  return text;
}

TEST(FormatNumber, AgreesWithAnExactReferenceOnRandomValues) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> power(-12, 22);
  std::uniform_int_distribution<int> places(0, 9);
  for (int round = 0; round < 20000; ++round) {
    double x = mantissa(random) * std::pow(10.0, power(random));
    if (round % 3 == 0)  // values near ties: few binary digits after the point
      x = std::ldexp(std::round(std::ldexp(x, 8)), -8);
    const int decimals = places(random);
    ASSERT_EQ(FormatFixed(x, decimals), ReferenceFormat(x, decimals))
        << std::hexfloat << x << " with " << decimals << " decimals";
  }
}

// What an intermediate value becomes is defined by its text; the evaluation's
// round trips may take a shorter way only where it gives the same double.
void ExpectRoundTripAsText(double x) {
  const double byText = RoundTripSixDecimals(x);
  auto same = [&](double shortcut) { return shortcut == byText && std::signbit(shortcut) == std::signbit(byText); };
  const double inFull = RoundTripSixDecimalsInFull(x);
  ASSERT_TRUE(same(inFull)) << std::hexfloat << x << ": " << inFull << " instead of " << byText;
  if (uint64_t millionths = 0; TryNearestMillionths(std::fabs(x), millionths)) {
    const double nearest = std::copysign(static_cast<double>(millionths) / 1e6, x);
    ASSERT_TRUE(same(nearest)) << std::hexfloat << x << ": " << nearest << " by the nearest millionths instead of " << byText;
  }
}

TEST(FormatNumber, AgreesWithAnExactReferenceAroundEveryPowerOfTen) {
  // Where the number of integer digits changes, where 64 bits stop holding every
  // digit, and at 2^52 and 1e-6, the ends of the digits taken from the bits.
  std::vector<double> edges = {std::ldexp(1.0, 52), std::ldexp(1.0, 53), 2e-6, 9e9};
  for (int power = -8; power <= 20; ++power)
    edges.push_back(std::pow(10.0, power));
  for (double edge : edges) {
    double x = edge;
    for (int step = 0; step < 3; ++step)
      x = std::nextafter(x, 0.0);
    for (int step = 0; step < 7; ++step, x = std::nextafter(x, INFINITY)) {
      for (int decimals = 0; decimals <= 9; ++decimals) {
        ASSERT_EQ(FormatFixed(x, decimals), ReferenceFormat(x, decimals))
            << std::hexfloat << x << " with " << decimals << " decimals";
        ASSERT_EQ(FormatFixed(-x, decimals), ReferenceFormat(-x, decimals))
            << std::hexfloat << -x << " with " << decimals << " decimals";
      }
      ExpectRoundTripAsText(x);
    }
  }
}

TEST(NumberFormat, FormatStringsCarryTheDecimalCount) {
  for (int n = 0; n <= 9; ++n) {
    const std::string format = MakeNumberFormat(n);
    EXPECT_EQ(format, "%0." + std::to_string(n) + "f");
    EXPECT_EQ(GetDecimalCount(format), n);
  }
  EXPECT_EQ(GetDecimalCount("%0.xf"), 0);
  EXPECT_EQ(GetDecimalCount("%0"), 0);
  EXPECT_EQ(GetDecimalCount(""), 0);
}

TEST(ReadNumber, ReadsLikeAtofWithoutLocale) {
  const std::pair<const char*, double> cases[] = {
      {"3.14159", 3.14159},
      {"  -2.5", -2.5},
      {"+7", 7},
      {"1.2.3", 1.2},
      {".", 0},
      {".5", 0.5},
      {"5.", 5},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"+-3", 0},
      {"1e3", 1000},
      {"2.5E-1x", 0.25},
      {"0.333", 0.333},
      {"12abc", 12},
      {"Paste number here   ", 0},
      {"\t\n 42", 42},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(ReadNumber(text), value) << '"' << text << '"';
  EXPECT_TRUE(std::signbit(ReadNumber("-0.000")));
  EXPECT_FALSE(std::signbit(ReadNumber("-x")));
}

TEST(ReadNumber, OutOfRangeGivesInfinityOrZero) {
  EXPECT_EQ(ReadNumber(std::string(400, '9')), INFINITY);
  EXPECT_EQ(ReadNumber("-" + std::string(400, '9')), -INFINITY);
  EXPECT_EQ(ReadNumber("1e400"), INFINITY);
  EXPECT_EQ(ReadNumber("1e-400"), 0.0);
  EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(ReadNumber("0.0001e310"), 1e306);
}

TEST(ReformatResultText, StartsFromTheTextAsShown) {
  EXPECT_EQ(ReformatResultText("0.333", "%0.4f"), "0.3330");
  EXPECT_EQ(ReformatResultText("2.500", "%0.0f"), "3");
  EXPECT_EQ(ReformatResultText("3", "%0.1f"), "3.0");
  EXPECT_EQ(ReformatResultText("-0.000", "%0.4f"), "-0.0000");
  EXPECT_EQ(ReformatResultText("", "%0.2f"), "0.00");
  EXPECT_EQ(ReformatResultText("Missing ')'", "%0.2f"), "0.00");
}

TEST(RoundTripSixDecimals, EqualsWritingAndReadingTheText) {
  for (double x :
       {1e-6, 9.999999999999999e-7, 4.9999999999999996e-7, 5e-7, 0.1234565, 0.12345649999999999, 2.675, 0.0000015,
        8999999999.9999995, 8999999999.9999990, 1.0 / 3, -1.0 / 3, 123456.7890125, 9.9999995, 0.9999995, -0.0000004})
    ExpectRoundTripAsText(x);

  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> power(-8, 11);
  for (int round = 0; round < 200000; ++round) {
    double x = mantissa(random) * std::pow(10.0, power(random));
    if (round % 4 == 1)  // just around a decimal tie at the seventh decimal
      x = std::nextafter(std::round(x * 2e6) / 2e6, round % 8 == 1 ? 0.0 : 1e300);
    if (round % 4 == 2)  // a value read back from six decimals, then worked on
      x = std::round(x * 1e6) / 1e6 * 3 / 7;
    ExpectRoundTripAsText(round % 2 ? -x : x);
  }
}

TEST(FormatMillionths, WritesWhatTheDoubleOfTheCountGives) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> bits(0, 48);
  for (int round = 0; round < 200000; ++round) {
    long long count = static_cast<long long>(random() & ((1ull << bits(random)) - 1));
    if (round % 4 == 1) count -= count % 5;  // halves at some number of decimals: ties
    if (round % 2) count = -count;
    const int decimals = round % 10;
    const std::string format = MakeNumberFormat(decimals);
    ASSERT_EQ(FormatMillionths(format, count), FormatNumber(format, static_cast<double>(count) / 1e6))
        << count << " millionths with " << decimals << " decimals";
  }
}

TEST(IsFormattedNumber, TellsResultsFromPrompts) {
  for (const char* number : {"0", "-0.000", "123.456", "1000000000000000000000.000000", "-3"})
    EXPECT_TRUE(IsFormattedNumber(number)) << number;
  for (const char* other : {"", "-", ".5", "5.", "1e5", " 1", "Paste number here   ", "Missing ')'", " Together '*-'  ",
                            "inf", "1.2.3", "--1"})
    EXPECT_FALSE(IsFormattedNumber(other)) << '"' << other << '"';
  for (double x : {0.0, -0.0, 2.5, -1e20, 1.0 / 3})
    for (int n : {0, 3, 9})
      EXPECT_TRUE(IsFormattedNumber(FormatFixed(x, n))) << x;
}

}  // namespace
