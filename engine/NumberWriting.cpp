#include "NumberWriting.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <limits>

#include "Millionths.h"
#include "NumberReading.h"

namespace {

constexpr int kSignificantDigits = 17;

// 10^0 to 10^15, each an exact double.
constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Sign, 309 integer digits of the largest double, a carry, the point and the
// decimals, with room to spare.
constexpr int kLongestFixedText = 352;

// The decimal expansion of a non-negative finite value to 17 significant digits:
// value ~= 0.d[0]d[1]...d[16] * 10^(exponent + 1), that is d[0] stands at 10^exponent.
struct SignificantDigits {
  char d[kSignificantDigits];
  int exponent;
};

// True when |x| lies exactly halfway between the 17-digit number `digits` * 10^k
// and the next one up; the platform's conversion then rounds to even, where the
// calculator rounds away from zero.
bool IsTieAbove(double magnitude, uint64_t digits, int k) {
  // magnitude = m * 2^e exactly, with m a 53-bit integer.
  int binaryExponent = 0;
  const double fraction = std::frexp(magnitude, &binaryExponent);
  const uint64_t m = static_cast<uint64_t>(std::ldexp(fraction, 53));
  const int e = binaryExponent - 53;

  // A tie needs 2 * magnitude * 10^j = 2 * digits + 1 (odd) with j = -k. For k >= 0
  // the odd part of a tie would have 18 digits, more than a double can carry; and
  // 5^j must divide a number below 2e17, so j stays below 25.
  const int j = -k;
  if (j <= 0 || j > 24) return false;
  // Quick exit for the usual case: a tie has at most j + 1 binary digits after the
  // point, while a value such as 0.333333 carries fifty.
  const int fractionBits = -e - std::countr_zero(m);
  if (fractionBits > j + 1) return false;
  uint64_t powerOfFive = 1;
  for (int i = 0; i < j; ++i)
    powerOfFive *= 5;
  const uint64_t odd = 2 * digits + 1;
  if (odd % powerOfFive != 0) return false;
  const uint64_t t = odd / powerOfFive;  // must equal m * 2^(e + 1 + j)
  const int shift = e + 1 + j;
  if (shift >= 0) return shift < 11 && (m << shift) == t;
  const int right = -shift;
  return right < 64 && (m & ((uint64_t{1} << right) - 1)) == 0 && (m >> right) == t;
}

// Just enough of a 128-bit unsigned integer for the exact digits below; the
// 32-bit Windows build has no native one.
struct UInt128 {
  uint64_t hi;
  uint64_t lo;

  static UInt128 Product(uint64_t a, uint64_t b) {
    const uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32;
    const uint64_t bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
    const uint64_t p0 = aLo * bLo, p1 = aLo * bHi, p2 = aHi * bLo, p3 = aHi * bHi;
    const uint64_t middle = (p0 >> 32) + (p1 & 0xFFFFFFFFu) + (p2 & 0xFFFFFFFFu);
    return {p3 + (p1 >> 32) + (p2 >> 32) + (middle >> 32), (p0 & 0xFFFFFFFFu) | (middle << 32)};
  }

  // The product must fit in 128 bits.
  UInt128 Times(uint64_t b) const {
    UInt128 w = Product(lo, b);
    w.hi += hi * b;
    return w;
  }

  // Bits shift and above; the result must fit in 64 bits.
  uint64_t ShiftedRight(int shift) const {
    if (shift >= 64) return hi >> (shift - 64);
    return (lo >> shift) | (hi << (64 - shift));
  }

  bool Bit(int index) const { return ((index >= 64 ? hi >> (index - 64) : lo >> index) & 1) != 0; }
};

constexpr uint64_t kPowersOfTen[] = {1ull,
                                     10ull,
                                     100ull,
                                     1000ull,
                                     10000ull,
                                     100000ull,
                                     1000000ull,
                                     10000000ull,
                                     100000000ull,
                                     1000000000ull,
                                     10000000000ull,
                                     100000000000ull,
                                     1000000000000ull,
                                     10000000000000ull,
                                     100000000000000ull,
                                     1000000000000000ull,
                                     10000000000000000ull,
                                     100000000000000000ull,
                                     1000000000000000000ull,
                                     10000000000000000000ull};

// A magnitude's 17 significant digits as one integer, rounded half up (ties away
// from zero), and the power of ten of the first: digits ~= magnitude * 10^(16 - exponent).
struct Significand {
  uint64_t digits;
  int exponent;
};

// The significand from exact integer arithmetic on the double's bits, for the
// magnitudes most values have, 1e-6 up to 2^52; false outside. The platform's
// conversion gives the same digits, more slowly and with ties to even.
bool TryExactSignificand(double magnitude, Significand& out) {
  if (!(magnitude >= 1e-6 && magnitude < 0x1p52)) return false;
  const uint64_t bits = std::bit_cast<uint64_t>(magnitude);
  const int biasedExponent = static_cast<int>(bits >> 52);  // the sign bit is clear
  const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  const int fractionBits = 1075 - biasedExponent;  // magnitude = m / 2^fractionBits, 1 to 72 here

  // floor(log10(2^p)) for the magnitude's 2^p: its decimal exponent or one below;
  // the 17-digit check settles it.
  int exponent = ((biasedExponent - 1023) * 78913) >> 18;
  for (int attempt = 0; attempt < 3; ++attempt) {
    // magnitude * 10^scale as an integer, for 17 digits before the point.
    const int scale = 16 - exponent;
    if (scale < 0 || scale > 22)  // m * 10^scale must fit in 128 bits
      return false;
    const UInt128 scaled = scale <= 19 ? UInt128::Product(m, kPowersOfTen[scale])
                                       : UInt128::Product(m, kPowersOfTen[19]).Times(kPowersOfTen[scale - 19]);
    const uint64_t digits = scaled.ShiftedRight(fractionBits);
    if (digits < kPowersOfTen[16]) {
      --exponent;
      continue;
    }
    if (digits >= kPowersOfTen[17]) {
      ++exponent;
      continue;
    }
    // Half or more of the last place rounds up.
    out.digits = digits + (scaled.Bit(fractionBits - 1) ? 1 : 0);
    out.exponent = exponent;
    if (out.digits == kPowersOfTen[17]) {
      out.digits = kPowersOfTen[16];
      ++out.exponent;
    }
    return true;
  }
  return false;
}

SignificantDigits ExpandSignificant(double magnitude) {
  SignificantDigits out{};
  if (magnitude == 0) {
    for (char& c : out.d)
      c = '0';
    out.exponent = 0;
    return out;
  }

  // "d.dddddddddddddddde+XXX": correctly rounded, ties to even.
  char buf[40];
  const auto end =
      std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, kSignificantDigits - 1).ptr;
  out.d[0] = buf[0];
  for (int i = 1; i < kSignificantDigits; ++i)
    out.d[i] = buf[i + 1];
  const char* expText = buf + kSignificantDigits + 2;  // after "e"
  std::from_chars(expText[0] == '+' ? expText + 1 : expText, end, out.exponent);

  uint64_t digits = 0;
  for (char c : out.d)
    digits = digits * 10 + static_cast<uint64_t>(c - '0');
  if (IsTieAbove(magnitude, digits, out.exponent - (kSignificantDigits - 1))) {
    int i = kSignificantDigits - 1;
    while (i >= 0 && out.d[i] == '9')
      out.d[i--] = '0';
    if (i >= 0) {
      ++out.d[i];
    } else {
      out.d[0] = '1';
      ++out.exponent;
    }
  }
  return out;
}

}  // namespace

std::string MakeNumberFormat(int decimals) { return "%0." + std::to_string(decimals) + "f"; }

int GetDecimalCount(std::string_view format) {
  if (format.size() > 3 && format[3] >= '0' && format[3] <= '9') return format[3] - '0';
  return 0;
}

namespace {

// The value times 10^decimals, cut after the last decimal and rounded by the
// first digit cut off, as WriteFixed does, from the exact significand: for the
// usual results, whose every digit down to the last decimal fits in 64 bits.
// False for the others.
bool TryScaleExactly(double magnitude, int decimals, uint64_t& scaled) {
  Significand exact{};
  if (!TryExactSignificand(magnitude, exact) || exact.exponent + decimals > 18) return false;
  const int cut = kSignificantDigits - 1 - exact.exponent - decimals;  // how many digits are cut off
  if (cut <= 0) {
    scaled = exact.digits * kPowersOfTen[-cut];
    return true;
  }
  const uint64_t withFirstCut = cut - 1 < kSignificantDigits ? exact.digits / kPowersOfTen[cut - 1] : 0;
  scaled = withFirstCut / 10 + (withFirstCut % 10 >= 5 ? 1 : 0);
  return true;
}

// The same in double arithmetic, for the usual value: its scaled value stays below
// 2^51 and lies farther from a tie than the 17-digit expansion and the roundings
// of this very computation can move it. False for the others, which are rare.
bool TryScaleAwayFromTies(double magnitude, int decimals, uint64_t& scaled) {
  return decimals >= 0 && decimals <= 9 && TryNearestWhole(magnitude * kExactPowersOfTen[decimals], scaled);
}

// Writes scaled / 10^decimals with every decimal and at least one integer digit.
size_t WriteScaled(char* out, bool negative, uint64_t scaled, int decimals) {
  const uint64_t tenToDecimals = kPowersOfTen[decimals];  // decimals is 0 to 9
  char* p = out;
  if (negative) *p++ = '-';
  p = std::to_chars(p, p + 24, scaled / tenToDecimals).ptr;
  if (decimals > 0) {
    *p++ = '.';
    // The decimals from the last one back, with the zeros in front of them.
    uint64_t fraction = scaled % tenToDecimals;
    for (int i = decimals; i > 0; --i, fraction /= 10)
      p[i - 1] = static_cast<char>('0' + fraction % 10);
    p += decimals;
  }
  return static_cast<size_t>(p - out);
}

// Writes into `out`, which holds kLongestFixedText characters, and returns the length.
size_t WriteFixed(char* out, double x, int decimals) {
  char* p = out;
  if (std::isnan(x) || std::isinf(x)) {
    const char* word = std::isnan(x) ? "nan" : x < 0 ? "-inf" : "inf";
    while (*word)
      *p++ = *word++;
    return static_cast<size_t>(p - out);
  }
  if (uint64_t scaled = 0;
      TryScaleAwayFromTies(std::fabs(x), decimals, scaled) || TryScaleExactly(std::fabs(x), decimals, scaled))
    return WriteScaled(out, std::signbit(x), scaled, decimals);

  const SignificantDigits sig = ExpandSignificant(std::fabs(x));

  // Keep every digit down to 10^-decimals; positions past the 17th significant
  // digit are zeros. The first digit cut off decides the rounding alone.
  const int kept = sig.exponent + decimals + 1;
  auto digitAt = [&](int i) { return i >= 0 && i < kSignificantDigits ? sig.d[i] : '0'; };

  // The value times 10^decimals as an integer, with one spare place in front for
  // a carry and enough leading zeros for "0.xxx".
  char scaled[kLongestFixedText];
  const int width = std::max(kept, decimals + 1) + 1;
  const int zeros = width - std::max(kept, 0);
  for (int i = 0; i < zeros; ++i)
    scaled[i] = '0';
  for (int i = 0; i < kept; ++i)
    scaled[zeros + i] = digitAt(i);
  if (digitAt(kept) >= '5') {
    int i = width - 1;
    while (scaled[i] == '9')
      scaled[i--] = '0';
    ++scaled[i];
  }

  if (std::signbit(x)) *p++ = '-';
  const int integerEnd = width - decimals;
  int from = 0;
  while (from < integerEnd - 1 && scaled[from] == '0')
    ++from;
  for (int i = from; i < integerEnd; ++i)
    *p++ = scaled[i];
  if (decimals > 0) {
    *p++ = '.';
    for (int i = integerEnd; i < width; ++i)
      *p++ = scaled[i];
  }
  return static_cast<size_t>(p - out);
}

}  // namespace

std::string FormatFixed(double x, int decimals) {
  char text[kLongestFixedText];
  return std::string(text, WriteFixed(text, x, decimals));
}

namespace {

// The same six-decimal round trip without text, for the values most values are:
// away from ties, or from 2e-6 up to where the result times 10^6 still fits a
// double's 53 bits. Reading "R/10^6" back is the correctly rounded quotient
// R / 1e6, since both R and 1e6 are exact doubles.
bool TryRoundTripSixDecimals(double x, double& result) {
  const double magnitude = std::fabs(x);
  uint64_t micros = 0;
  if (!TryScaleAwayFromTies(magnitude, 6, micros) &&
      !(magnitude >= 2e-6 && magnitude < 9e9 && TryScaleExactly(magnitude, 6, micros)))
    return false;
  result = static_cast<double>(micros) / 1e6;
  if (std::signbit(x)) result = -result;
  return true;
}

}  // namespace

double RoundTripSixDecimalsInFull(double x) {
  double result = 0;
  if (TryRoundTripSixDecimals(x, result)) return result;
  char text[kLongestFixedText];
  return ReadNumber(std::string_view(text, WriteFixed(text, x, 6)));
}

std::string FormatNumber(std::string_view format, double x) {
  const int decimals = format == kIntermediateFormat ? 6 : GetDecimalCount(format);
  return FormatFixed(x, decimals);
}

// The count's digits are the value's first 15 significant digits or fewer, and
// the double it stands for differs from them only from the 16th on. Up to six
// decimals those later digits can change nothing but an exact half, where the
// first digit cut off is a 5 with only zeros after it: the double's own digits
// decide that one.
std::string FormatMillionths(std::string_view format, long long millionths) {
  const int decimals = format == kIntermediateFormat ? 6 : GetDecimalCount(format);
  const uint64_t magnitude = millionths < 0 ? 0ull - static_cast<uint64_t>(millionths) : static_cast<uint64_t>(millionths);
  if (decimals <= 6) {
    const uint64_t cutOff = kPowersOfTen[6 - decimals];
    const uint64_t remainder = magnitude % cutOff;
    if (remainder * 2 != cutOff) {
      char text[kLongestFixedText];
      const uint64_t scaled = magnitude / cutOff + (remainder * 2 > cutOff ? 1 : 0);
      return std::string(text, WriteScaled(text, millionths < 0, scaled, decimals));
    }
  }
  return FormatFixed(MillionthsValue(millionths), decimals);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsFormattedNumber(std::string_view text) {
  size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  const size_t integerStart = i;
  while (i < text.size() && IsDigit(text[i]))
    ++i;
  if (i == integerStart) return false;
  if (i == text.size()) return true;
  if (text[i] != '.' || i + 1 == text.size()) return false;
  for (++i; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}
