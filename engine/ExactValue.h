// A value of exact arithmetic: a fraction of two whole numbers in lowest terms.
// Most values the calculator meets have a numerator and a denominator of at most
// 63 bits, held in place; the rest share one big number, so a copy costs little.
// A power with a fractional exponent or a root that has no exact value is held as
// the fraction nearest to it at 50 significant digits (ExactArithmetic.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct BigFraction;  // the big numbers' fraction, known to ExactArithmetic.cpp alone

class ExactValue {
public:
  ExactValue() = default;  // 0
  static ExactValue Whole(long long number) { return ExactValue(number, 1); }

  // Written with `decimals` decimals, rounded half away from zero, as FormatNumber
  // writes its text: a minus for a negative value (also one that rounds to zero),
  // all the integer digits, a point unless `decimals` is 0.
  std::string Written(int decimals) const;

  // The nearest double, or an infinity beyond the doubles' range.
  double Approximation() const;

  int Sign() const;
  bool IsZero() const { return Sign() == 0; }
  bool IsWhole() const;

private:
  friend struct ExactValueAccess;  // the arithmetic, in ExactArithmetic.cpp
  ExactValue(long long numerator, long long denominator) : m_numerator(numerator), m_denominator(denominator) {}

  // Held in place when m_big is null: denominator > 0, the two without a common
  // factor, neither the smallest long long.
  long long m_numerator = 0;
  long long m_denominator = 1;
  std::shared_ptr<const BigFraction> m_big;
};

// Whether a classic result text shows other digits than the exact value written
// with the same decimals. A minus that only stands before zeros ("-0.000") is no
// digit: it is no difference.
bool ShowsOtherDigits(std::string_view classicText, const ExactValue& exact, int decimals);
