// Values as whole numbers of millionths. Every intermediate value is written with
// six decimals and read back, and typed numbers seldom have more decimals, so most
// values the evaluation meets are a count of millionths of modest size. For those,
// + - and * are done on the counts in integers: the count that comes out is the
// one the work in doubles would write, and the double it stands for is the one
// that would be read back, without the trip through the text or the long chain of
// rounding steps that each result would otherwise wait for.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The counts stay at most 2^48 millionths (about 2.8e8) in size. There a double
// is within 2^-25 of every millionth, so a sum of two, rounded as the doubles
// round it, still lies within 0.1 of a millionth of the true sum: its six
// decimals are the sum of the counts.
inline constexpr long long kMostMillionths = 1ll << 48;
// What a value that is no such count holds in place of one.
inline constexpr long long kNotMillionths = std::numeric_limits<long long>::min();

// The double that a count of millionths stands for: the one read back from its
// text, the correctly rounded quotient, since both the count and 10^6 are exact.
inline double MillionthsValue(long long millionths) { return static_cast<double>(millionths) / 1e6; }

// The count of a value that the evaluation has already rounded to six decimals,
// or kNotMillionths. A negative zero is a value of its own that a count cannot
// keep apart from zero, so it is no count.
inline long long CountOfRounded(double rounded, unsigned long long magnitudeInMillionths) {
  if (magnitudeInMillionths > static_cast<unsigned long long>(kMostMillionths) ||
      (magnitudeInMillionths == 0 && std::signbit(rounded)))
    return kNotMillionths;
  const long long count = static_cast<long long>(magnitudeInMillionths);
  return std::signbit(rounded) ? -count : count;
}

// l + r, l - r and l * r of two counts as the work in doubles rounds them; false
// where that is not certain to be a count: a result too large, and a product
// that lies near a tie between two millionths or rounds to zero (whose sign
// only the doubles tell).
inline bool TrySumOfMillionths(long long l, long long r, long long& result) {
  result = l + r;  // both at most 2^48 in size: no overflow
  return result >= -kMostMillionths && result <= kMostMillionths;
}

inline bool TryProductOfMillionths(long long l, long long r, long long& result) {
  // The product of the counts is in millionths of millionths.
  long long product = 0;
  if (__builtin_mul_overflow(l, r, &product)) return false;
  const unsigned long long magnitude = product < 0 ? 0ull - static_cast<unsigned long long>(product)
                                                   : static_cast<unsigned long long>(product);
  // Below 2^63 millionths of millionths the doubles' product of the two values
  // is off by less than 0.004 of a millionth (three roundings of 2^-53 each, and
  // the 17 digits it is written with): only a remainder within 0.01 of the half
  // may round otherwise than the exact one.
  const unsigned long long whole = magnitude / 1'000'000;
  const unsigned long long remainder = magnitude % 1'000'000;
  if (remainder > 490'000 && remainder < 510'000) return false;
  const unsigned long long rounded = whole + (remainder >= 500'000 ? 1 : 0);
  if (rounded == 0 || rounded > static_cast<unsigned long long>(kMostMillionths)) return false;
  result = product < 0 ? -static_cast<long long>(rounded) : static_cast<long long>(rounded);
  return true;
}
