// Values as whole numbers of millionths. Every intermediate value is written with
// six decimals and read back, and typed numbers seldom have more decimals, so most
// values the evaluation meets are a count of millionths of modest size. For
// those, + - * / %, and a square, are done on the counts in integers: the count
// that comes out is the one the work in doubles would write, and the double it
// stands for is the one that would be read back, without the trip through the
// text or the long chain of rounding steps that each result would otherwise wait
// for.
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

// l + r, l - r, l * r, l / r and l % r of two counts as the work in doubles rounds
// them; false where that is not certain to be a count: a result too large, and a
// product or quotient that lies near a tie between two millionths or rounds to
// zero (whose sign only the doubles tell).
inline bool TrySumOfMillionths(long long l, long long r, long long& result) {
  result = l + r;  // both at most 2^48 in size: no overflow
  return result >= -kMostMillionths && result <= kMostMillionths;
}

namespace millionths_detail {
inline unsigned long long Magnitude(long long count) {
  return count < 0 ? 0ull - static_cast<unsigned long long>(count) : static_cast<unsigned long long>(count);
}

// The exact value numerator / denominator, in millionths, rounded as the work in
// doubles rounds it, given the sign the result takes. The doubles write their
// result from its 17 significant digits; before that it met three roundings of at
// most 2^-53 of its size each (the two operands read from their counts and the
// operation), and the 17 digits move it by at most 5e-17 of its size more: less
// than 4e-16 of it in all. Where the exact product or quotient of two counts is
// below 2^63 / 10^6 millionths, that is less than 0.004 of a millionth: only a
// remainder within 0.01 of the half may round otherwise than the exact value
// (the written text is then cut at six decimals and rounded by the first digit
// cut off, as the count is), and a result that rounds to zero takes a sign only
// the doubles know.
inline bool TryRounded(unsigned long long numerator, unsigned long long denominator, bool negative,
                       long long& result) {
  // The denominator is 10^6, 10^8 or a count, at most 2^48: a hundred times
  // the remainder fits.
  const unsigned long long whole = numerator / denominator;
  const unsigned long long remainder = numerator % denominator;
  if (remainder * 100 > denominator * 49 && remainder * 100 < denominator * 51) return false;
  const unsigned long long rounded = whole + (remainder * 2 > denominator ? 1 : 0);
  if (rounded == 0 || rounded > static_cast<unsigned long long>(kMostMillionths)) return false;
  result = negative ? -static_cast<long long>(rounded) : static_cast<long long>(rounded);
  return true;
}
}  // namespace millionths_detail

inline bool TryProductOfMillionths(long long l, long long r, long long& result) {
  // The product of the counts is in millionths of millionths.
  long long product = 0;
  if (__builtin_mul_overflow(l, r, &product)) return false;
  return millionths_detail::TryRounded(millionths_detail::Magnitude(product), 1'000'000, product < 0, result);
}

// l % r, the per cent (l * 0.01) * r, where the product of the counts stays
// below 2^63. The result is then below 2^63 / 10^8 millionths, so the two more
// roundings the doubles make (0.01 and the second product) keep its error far
// below the margin.
inline bool TryPerCentOfMillionths(long long l, long long r, long long& result) {
  long long product = 0;
  if (__builtin_mul_overflow(l, r, &product)) return false;
  return millionths_detail::TryRounded(millionths_detail::Magnitude(product), 100'000'000, product < 0, result);
}

// l / r, where the quotient of the counts times 10^6 stays below 2^63, the same
// bound the product keeps. A divisor of zero is the doubles' to report.
inline bool TryQuotientOfMillionths(long long l, long long r, long long& result) {
  if (r == 0) return false;
  const unsigned long long dividend = millionths_detail::Magnitude(l);
  const unsigned long long divisor = millionths_detail::Magnitude(r);
  constexpr unsigned long long kBelowTwoTo63 = 1ull << 63;
  if (dividend >= kBelowTwoTo63 / 1'000'000) return false;
  const unsigned long long scaled = dividend * 1'000'000;
  if (scaled / divisor >= kBelowTwoTo63 / 1'000'000) return false;
  return millionths_detail::TryRounded(scaled, divisor, (l < 0) != (r < 0), result);
}
