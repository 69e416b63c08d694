#include "ExactArithmetic.h"

#include <bit>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>

#include <boost/multiprecision/cpp_bin_float.hpp>
#include <boost/multiprecision/cpp_int.hpp>

namespace mp = boost::multiprecision;
using BigInt = mp::cpp_int;
// The powers that have no exact value: 50 significant digits, so that the 40 and
// more that the issue of rounding leaves are right.
using BigFloat = mp::cpp_bin_float_50;

struct BigFraction {
  BigInt numerator;
  BigInt denominator;  // above 0, with no factor in common with the numerator
};

struct ExactValueAccess {
  static bool IsSmall(const ExactValue& v) { return v.m_big == nullptr; }
  static long long Numerator(const ExactValue& v) { return v.m_numerator; }
  static long long Denominator(const ExactValue& v) { return v.m_denominator; }
  static const BigFraction& Big(const ExactValue& v) { return *v.m_big; }
  // A fraction already in lowest terms, denominator above 0.
  static ExactValue Small(long long numerator, long long denominator) { return {numerator, denominator}; }
  // A fraction in lowest terms, held in place when it fits.
  static ExactValue Of(BigFraction fraction) {
    constexpr long long kLargest = LLONG_MAX;
    if (fraction.denominator <= kLargest && fraction.numerator <= kLargest && fraction.numerator >= -kLargest)
      return {fraction.numerator.convert_to<long long>(), fraction.denominator.convert_to<long long>()};
    ExactValue value;
    value.m_big = std::make_shared<const BigFraction>(std::move(fraction));
    return value;
  }
  static BigFraction ToBig(const ExactValue& v) {
    if (IsSmall(v)) return {BigInt(v.m_numerator), BigInt(v.m_denominator)};
    return *v.m_big;
  }
};

namespace {

using Access = ExactValueAccess;

// A whole number of more than kMostExactDigits digits is at least 2^kBoundBits;
// one below 2^kBoundBits has no more than that many digits. In between, only the
// power of ten tells.
constexpr unsigned kBoundBits = 33219;  // 2^33219 < 10^10000 < 2^33220
static_assert(kMostExactDigits == 10000);

bool TooLarge(const BigInt& number) {
  if (number.is_zero()) return false;
  const BigInt magnitude = abs(number);
  const unsigned long long top = msb(magnitude);
  if (top < kBoundBits) return false;
  if (top > kBoundBits) return true;
  static const BigInt kLimit = mp::pow(BigInt(10), kMostExactDigits);
  return magnitude >= kLimit;
}

ExactOutcome Fault(ComputeFault fault) { return {ExactValue(), fault}; }

// What is left of the evaluation's allowance (ExactArithmetic.h).
thread_local unsigned long long t_workLeft = kWorkAllowance;

// Takes the work of `times` products of numbers of `bits` bits from the
// allowance: false, and nothing left, where it would pass it.
bool Spend(unsigned long long bits, unsigned long long times) {
  constexpr unsigned long long kWordBits = 8 * sizeof(mp::limb_type);
  const unsigned long long words = bits / kWordBits + 1;
  const unsigned long long cost = words * words * times;
  if (cost > t_workLeft) {
    t_workLeft = 0;
    return false;
  }
  t_workLeft -= cost;
  return true;
}

unsigned long long BitsOf(const BigInt& number) { return number.is_zero() ? 0 : msb(abs(number)) + 1; }

// A fraction worked out in big numbers, in lowest terms once the common factor is
// divided out, or the fault of a value beyond the bound.
ExactOutcome Finish(BigFraction fraction, bool reduced = false) {
  if (!reduced) {
    // The library's common divisor goes bit by bit through the smaller number,
    // shifting and subtracting the whole of it each time: as measured, some 400
    // products' worth. A whole number's denominator of 1 costs nothing.
    const unsigned long long numeratorBits = BitsOf(fraction.numerator);
    const unsigned long long denominatorBits = BitsOf(fraction.denominator);
    if (!Spend(std::min(numeratorBits, denominatorBits), 400) || !Spend(std::max(numeratorBits, denominatorBits), 1))
      return Fault(ComputeFault::Overflow);
    const BigInt common = gcd(fraction.numerator, fraction.denominator);
    if (common > 1) {
      fraction.numerator /= common;
      fraction.denominator /= common;
    }
  }
  if (TooLarge(fraction.numerator) || TooLarge(fraction.denominator)) return Fault(ComputeFault::Overflow);
  return {Access::Of(std::move(fraction)), std::nullopt};
}

unsigned long long Magnitude(long long x) {
  return x < 0 ? 0ull - static_cast<unsigned long long>(x) : static_cast<unsigned long long>(x);
}

// The greatest common divisor of two parts: whole numbers (a denominator of 1)
// are the most common, and answer at once; otherwise one of Euclid's divisions
// brings the two to a like size, and shifts and differences do the rest, several
// times faster than more divisions. gcd(0, b) is b.
long long Gcd(long long a, long long b) {
  unsigned long long u = Magnitude(a), v = Magnitude(b);
  if (u == 1 || v == 1) [[likely]]
    return 1;
  if (u < v) std::swap(u, v);
  if (v == 0) return static_cast<long long>(u);
  u %= v;
  if (u == 0) return static_cast<long long>(v);
  const int shift = std::countr_zero(u | v);
  u >>= std::countr_zero(u);
  do {
    v >>= std::countr_zero(v);
    if (u > v) std::swap(u, v);
    v -= u;
  } while (v != 0);
  return static_cast<long long>(u << shift);
}

// l + r in place; false where a part would leave 63 bits.
bool SmallSum(long long ln, long long ld, long long rn, long long rd, long long& n, long long& d) {
  const long long common = Gcd(ld, rd);
  long long left = 0, right = 0, sum = 0, denominator = 0;
  if (__builtin_mul_overflow(ln, rd / common, &left) || __builtin_mul_overflow(rn, ld / common, &right) ||
      __builtin_add_overflow(left, right, &sum) || __builtin_mul_overflow(ld / common, rd, &denominator) ||
      sum == LLONG_MIN)
    return false;
  const long long reduce = Gcd(sum, denominator);
  n = sum / reduce;
  d = denominator / reduce;
  return true;
}

bool SmallProduct(long long ln, long long ld, long long rn, long long rd, long long& n, long long& d) {
  // Cross-cancelled, the product is in lowest terms.
  const long long a = Gcd(ln, rd);
  const long long b = Gcd(rn, ld);
  if (__builtin_mul_overflow(ln / a, rn / b, &n) || __builtin_mul_overflow(ld / b, rd / a, &d) || n == LLONG_MIN)
    return false;
  if (n == 0) d = 1;
  return true;
}

ExactValue Negated(const ExactValue& v) {
  if (Access::IsSmall(v)) return Access::Small(-Access::Numerator(v), Access::Denominator(v));
  BigFraction big = Access::Big(v);
  big.numerator = -big.numerator;
  return Access::Of(std::move(big));
}

// 1 / v, v not zero.
ExactValue Reciprocal(const ExactValue& v) {
  if (Access::IsSmall(v)) {
    const long long n = Access::Numerator(v), d = Access::Denominator(v);
    return n < 0 ? Access::Small(-d, -n) : Access::Small(d, n);
  }
  const BigFraction& big = Access::Big(v);
  if (big.numerator < 0) return Access::Of({-big.denominator, -big.numerator});
  return Access::Of({big.denominator, big.numerator});
}

ExactOutcome Sum(const ExactValue& l, const ExactValue& r) {
  if (Access::IsSmall(l) && Access::IsSmall(r)) {
    long long n = 0, d = 1;
    if (SmallSum(Access::Numerator(l), Access::Denominator(l), Access::Numerator(r), Access::Denominator(r), n, d))
        [[likely]]
      return {Access::Small(n, d), std::nullopt};
  }
  const BigFraction a = Access::ToBig(l), b = Access::ToBig(r);
  if (!Spend(std::max({BitsOf(a.numerator), BitsOf(a.denominator), BitsOf(b.numerator), BitsOf(b.denominator)}), 3))
    return Fault(ComputeFault::Overflow);
  return Finish({a.numerator * b.denominator + b.numerator * a.denominator, a.denominator * b.denominator});
}

ExactOutcome Product(const ExactValue& l, const ExactValue& r) {
  if (Access::IsSmall(l) && Access::IsSmall(r)) {
    long long n = 0, d = 1;
    if (SmallProduct(Access::Numerator(l), Access::Denominator(l), Access::Numerator(r), Access::Denominator(r), n,
                     d)) [[likely]]
      return {Access::Small(n, d), std::nullopt};
  }
  const BigFraction a = Access::ToBig(l), b = Access::ToBig(r);
  if (!Spend(std::max({BitsOf(a.numerator), BitsOf(a.denominator), BitsOf(b.numerator), BitsOf(b.denominator)}), 2))
    return Fault(ComputeFault::Overflow);
  return Finish({a.numerator * b.numerator, a.denominator * b.denominator});
}

bool IsOdd(const ExactValue& whole) {
  if (Access::IsSmall(whole)) return (Access::Numerator(whole) & 1) != 0;
  return bit_test(Access::Big(whole).numerator, 0);
}

bool IsUnit(const ExactValue& v) {  // 1 or -1
  return Access::IsSmall(v) && Access::Denominator(v) == 1 && Magnitude(Access::Numerator(v)) == 1;
}

// The base-2 logarithm of a whole number above 0.
double Log2(const BigInt& v) {
  const unsigned long long top = msb(v);
  if (top < 53) return std::log2(v.convert_to<double>());
  const unsigned long long shift = top - 52;
  return std::log2(BigInt(v >> shift).convert_to<double>()) + static_cast<double>(shift);
}

double Log2OfMagnitude(const BigFraction& v) { return Log2(abs(v.numerator)) - Log2(v.denominator); }

BigFloat FloatOf(const BigFraction& v) { return BigFloat(v.numerator) / BigFloat(v.denominator); }

// base^exponent for a whole exponent.
ExactOutcome WholePower(const ExactValue& base, const ExactValue& exponent) {
  const int sign = exponent.Sign();
  if (base.IsZero()) {
    if (sign < 0) return Fault(ComputeFault::DivisionByZero);
    return {ExactValue::Whole(sign == 0 ? 1 : 0), std::nullopt};
  }
  if (IsUnit(base)) return {ExactValue::Whole(base.Sign() < 0 && IsOdd(exponent) ? -1 : 1), std::nullopt};
  if (!Access::IsSmall(exponent)) return Fault(ComputeFault::Overflow);
  const unsigned long long count = Magnitude(Access::Numerator(exponent));

  // The larger of numerator and denominator is at least 2, so the power has at
  // least `count` * its bits: beyond the bound that is known before any work.
  BigFraction fraction = Access::ToBig(base);
  const BigInt magnitude = abs(fraction.numerator);
  const unsigned long long bits = msb(magnitude > fraction.denominator ? magnitude : fraction.denominator);
  if (count > kBoundBits / bits + 1) return Fault(ComputeFault::Overflow);

  ExactValue power;
  bool fits = Access::IsSmall(base);
  if (fits) {
    // By repeated squaring in place, while the parts fit.
    long long n = 1, d = 1;
    long long sn = Access::Numerator(base), sd = Access::Denominator(base);
    for (unsigned long long k = count; fits && k != 0; k >>= 1) {
      if (k & 1) fits = !__builtin_mul_overflow(n, sn, &n) && !__builtin_mul_overflow(d, sd, &d);
      if (k > 1 && fits) fits = !__builtin_mul_overflow(sn, sn, &sn) && !__builtin_mul_overflow(sd, sd, &sd);
    }
    fits = fits && n != LLONG_MIN;
    if (fits) power = Access::Small(n, d);
  }
  if (!fits) {
    // Powers of two numbers without a common factor have none either.
    const unsigned times = static_cast<unsigned>(count);
    // Most of the work is the last squaring, at the size of the power.
    const BigInt& larger = magnitude > fraction.denominator ? magnitude : fraction.denominator;
    const double powerBits = static_cast<double>(count) * Log2(larger);
    if (!Spend(static_cast<unsigned long long>(powerBits) + 1, 2)) return Fault(ComputeFault::Overflow);
    ExactOutcome outcome = Finish({mp::pow(fraction.numerator, times), mp::pow(fraction.denominator, times)}, true);
    if (outcome.fault) return outcome;
    power = outcome.value;
  }
  return {sign < 0 ? Reciprocal(power) : power, std::nullopt};
}

// The whole root of `degree` of v >= 0, where v is that root's power.
bool ExactRoot(const BigInt& v, unsigned long long degree, BigInt& root) {
  if (v <= 1) {
    root = v;
    return true;
  }
  // A whole number of `bits` bits has a root between 1 and 2 from this degree on.
  if (degree > msb(v)) return false;
  // From just above the root, Newton's steps in whole numbers come down to the
  // whole part of the root and stop there, in a few steps.
  if (!Spend(BitsOf(v), 16)) return false;
  const BigFloat estimate = exp(log(BigFloat(v)) / BigFloat(degree));
  BigInt r = BigFloat(estimate * BigFloat("1.0000000000000000000000000000000000000001")).convert_to<BigInt>() + 1;
  const unsigned below = static_cast<unsigned>(degree - 1);
  for (;;) {
    const BigInt next = (below * r + v / mp::pow(r, below)) / degree;
    if (next >= r) break;
    r = next;
  }
  if (mp::pow(r, static_cast<unsigned>(degree)) != v) return false;
  root = r;
  return true;
}

// The nearest fraction to a positive float, all its bits kept.
ExactOutcome FractionOf(const BigFloat& value) {
  int exponent = 0;
  const BigFloat mantissa = frexp(value, &exponent);
  constexpr int kMantissaBits = 192;  // more than the float's own
  BigInt whole = BigFloat(ldexp(mantissa, kMantissaBits)).convert_to<BigInt>();
  long long shift = static_cast<long long>(exponent) - kMantissaBits;
  if (shift >= 0) return Finish({whole << static_cast<unsigned>(shift), 1}, true);
  const unsigned long long twos = lsb(whole);
  const unsigned long long cancel = twos < static_cast<unsigned long long>(-shift) ? twos : static_cast<unsigned long long>(-shift);
  whole >>= cancel;
  shift += static_cast<long long>(cancel);
  return Finish({whole, BigInt(1) << static_cast<unsigned>(-shift)}, true);
}

// base^exponent, for an exponent that is not whole.
ExactOutcome FractionalPower(const ExactValue& base, const ExactValue& exponent) {
  if (base.Sign() < 0) return Fault(ComputeFault::NegativeEvenRoot);
  if (base.IsZero()) {
    if (exponent.Sign() < 0) return Fault(ComputeFault::DivisionByZero);
    return {ExactValue(), std::nullopt};
  }
  if (IsUnit(base)) return {ExactValue::Whole(1), std::nullopt};

  const BigFraction x = Access::ToBig(base);
  const BigFraction y = Access::ToBig(exponent);
  // Exact where both parts of the base are powers of the exponent's denominator.
  if (y.denominator <= kBoundBits) {
    const unsigned long long degree = y.denominator.convert_to<unsigned long long>();
    BigInt numeratorRoot, denominatorRoot;
    if (ExactRoot(x.numerator, degree, numeratorRoot) && ExactRoot(x.denominator, degree, denominatorRoot))
      return WholePower(Access::Of({numeratorRoot, denominatorRoot}), Access::Of({y.numerator, 1}));
  }

  // The size first: a value of more than kBoundBits bits, or one so small that its
  // denominator would have as many, is beyond the bound.
  const double bits = std::fabs(exponent.Approximation() * Log2OfMagnitude(x));
  if (!(bits < kBoundBits + 256.0)) return Fault(ComputeFault::Overflow);
  return FractionOf(exp(FloatOf(y) * log(FloatOf(x))));
}

ExactOutcome Power(const ExactValue& base, const ExactValue& exponent) {
  if (exponent.IsWhole()) return WholePower(base, exponent);
  return FractionalPower(base, exponent);
}

// The root of `degree` of the radicand: the power 1 / degree, and for a negative
// radicand the negative of the root of its magnitude where the degree is odd and
// whole.
ExactOutcome Root(const ExactValue& radicand, const ExactValue& degree) {
  if (degree.IsZero()) return Fault(ComputeFault::ZeroDegreeRoot);
  if (radicand.Sign() < 0) {
    if (!degree.IsWhole() || !IsOdd(degree)) return Fault(ComputeFault::NegativeEvenRoot);
    ExactOutcome root = Power(Negated(radicand), Reciprocal(degree));
    if (!root.fault) root.value = Negated(root.value);
    return root;
  }
  if (radicand.IsZero()) {
    if (degree.Sign() < 0) return Fault(ComputeFault::DivisionByZero);
    return {ExactValue(), std::nullopt};
  }
  return Power(radicand, Reciprocal(degree));
}

// Digits of a whole number, a point `decimals` from the right.
std::string WithPoint(bool negative, std::string digits, int decimals) {
  const size_t places = static_cast<size_t>(decimals);
  if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
  if (places > 0) digits.insert(digits.size() - places, 1, '.');
  if (negative) digits.insert(0, 1, '-');
  return digits;
}

}  // namespace

bool ExactArithmetic::ReadTyped(std::string_view number, ExactValue& value) {
  // The usual number: up to 18 digits, one piece.
  if (number.size() <= 18) {
    long long whole = 0;
    long long scale = 1;
    bool point = false;
    bool plain = true;
    for (char ch : number) {
      const unsigned digit = static_cast<unsigned char>(ch) - unsigned{'0'};
      if (digit < 10) {
        whole = whole * 10 + digit;
        if (point) scale *= 10;
      } else if (ch == '.' && !point) {
        point = true;
      } else {
        plain = false;
        break;
      }
    }
    if (plain) {
      const long long common = Gcd(whole, scale);
      value = Access::Small(whole / common, scale / common);
      return true;
    }
  }
  std::string digits;
  size_t decimals = 0;
  bool point = false;
  for (char ch : number) {
    if (ch >= '0' && ch <= '9') {
      if (ch == '0' && digits.empty()) {
        decimals += point;
        continue;
      }
      digits += ch;
      decimals += point;
    } else if (ch == '.' || ch == ',') {
      point = true;
    }
  }
  // Zeros at the end of the decimals change nothing.
  while (decimals > 0 && !digits.empty() && digits.back() == '0') {
    digits.pop_back();
    --decimals;
  }
  value = ExactValue();
  if (digits.empty()) return true;
  if (digits.size() <= 18 && decimals <= 18) {
    long long whole = 0;
    for (char ch : digits)
      whole = whole * 10 + (ch - '0');
    long long scale = 1;
    for (size_t i = 0; i < decimals; ++i)
      scale *= 10;
    const long long common = Gcd(whole, scale);
    value = Access::Small(whole / common, scale / common);
    return true;
  }
  // Sure to be beyond the bound, and costly to read: a numerator of more digits
  // than the bound, or a denominator of more than 14,306 tens that are not all
  // cancelled (the last digit is not 0, so 5^decimals or 2^decimals stays, and
  // 5^14307 has more than 10,000 digits).
  if (digits.size() > static_cast<size_t>(kMostExactDigits) + decimals || decimals > 14306) return false;
  // Reading the digits costs about as much as a product of that size.
  if (!Spend(digits.size() * 10 / 3, 4)) return false;
  const ExactOutcome read =
      Finish({BigInt(digits), mp::pow(BigInt(10), static_cast<unsigned>(decimals))});
  if (read.fault) return false;
  value = read.value;
  return true;
}

void ExactArithmetic::StartEvaluation() { t_workLeft = kWorkAllowance; }

ExactOutcome ExactArithmetic::Apply(int code, const ExactValue& left, const ExactValue& right) {
  switch (kOperators[code - 1].symbol) {
    case '+': return Sum(left, right);
    case '-': return Sum(left, Negated(right));
    case '*': return Product(left, right);
    case '/':
      if (right.IsZero()) return Fault(ComputeFault::DivisionByZero);
      return Product(left, Reciprocal(right));
    case '%': {
      const ExactOutcome product = Product(left, right);
      if (product.fault) return product;
      return Product(product.value, Access::Small(1, 100));
    }
    case '^': return Power(left, right);
    case '#': return Root(left, right);
    default: return {};
  }
}

std::string ExactValue::Written(int decimals) const {
  if (m_big == nullptr && decimals <= 18) {
    unsigned long long scale = 1;
    for (int i = 0; i < decimals; ++i)
      scale *= 10;
    unsigned long long scaled = 0;
    if (!__builtin_mul_overflow(Magnitude(m_numerator), scale, &scaled)) {
      const unsigned long long denominator = static_cast<unsigned long long>(m_denominator);
      unsigned long long rounded = scaled / denominator;
      const unsigned long long remainder = scaled % denominator;
      // Half away from zero.
      if (remainder >= denominator - remainder) ++rounded;
      return WithPoint(m_numerator < 0, std::to_string(rounded), decimals);
    }
  }
  const BigFraction fraction = Access::ToBig(*this);
  const BigInt scaled = abs(fraction.numerator) * mp::pow(BigInt(10), static_cast<unsigned>(decimals));
  BigInt rounded, remainder;
  divide_qr(scaled, fraction.denominator, rounded, remainder);
  if (remainder * 2 >= fraction.denominator) ++rounded;
  return WithPoint(fraction.numerator < 0, rounded.str(), decimals);
}

double ExactValue::Approximation() const {
  constexpr long long kExactInDouble = 1ll << 53;
  if (m_big == nullptr && m_numerator <= kExactInDouble && m_numerator >= -kExactInDouble &&
      m_denominator <= kExactInDouble)
    return static_cast<double>(m_numerator) / static_cast<double>(m_denominator);
  return FloatOf(Access::ToBig(*this)).convert_to<double>();
}

int ExactValue::Sign() const {
  if (m_big == nullptr) return (m_numerator > 0) - (m_numerator < 0);
  return m_big->numerator.sign();
}

bool ExactValue::IsWhole() const { return m_big == nullptr ? m_denominator == 1 : m_big->denominator == 1; }

bool ShowsOtherDigits(std::string_view classicText, const ExactValue& exact, int decimals) {
  const std::string exactText = exact.Written(decimals);
  // A minus before nothing but zeros is no digit of its own.
  const auto unsigned_zero = [](std::string_view text) {
    if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string_view::npos) text.remove_prefix(1);
    return text;
  };
  return unsigned_zero(classicText) != unsigned_zero(exactText);
}
