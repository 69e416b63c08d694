// Writing numbers as text, the same on every platform and in every locale: the
// point is always ".". Reading them back is NumberReading.h.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// "%0.Nf" for N decimal places (0 to 9).
std::string MakeNumberFormat(int decimals);

// N of a number format: the character at index 3 read as a decimal number;
// anything that is not a digit there gives 0.
int GetDecimalCount(std::string_view format);

// The format the evaluator writes its intermediate values with: six decimals.
inline constexpr std::string_view kIntermediateFormat = "%f";

// Writes x in fixed notation with the decimals of the format ("%f" means six).
// The value is first expanded to 17 significant digits (ties away from zero),
// then cut after the last decimal and rounded half away from zero by the first
// digit cut off. Negative values, negative zero included, keep their sign.
std::string FormatNumber(std::string_view format, double x);
std::string FormatFixed(double x, int decimals);

// The same text for a value held as a whole count of millionths, at most 2^48
// in size (Millionths.h): what FormatNumber writes for the double the count
// stands for.
std::string FormatMillionths(std::string_view format, long long millionths);

// What becomes of an intermediate value: written with six decimals and read back,
// for any value; the evaluation tries TryNearestMillionths below first.
// Where the count of millionths R that the text would hold is certain without the
// text (the value below 2^51 millionths and well away from a tie once scaled, or
// from 2e-6 up to 9e9, where its exact 17 digits give R), the value read back is
// R / 1e6, the correctly rounded quotient, both being exact doubles. The rest
// (a value near a tie below 2e-6, any value of 9e9 or more, an infinity, a NaN)
// is written out and read back.
double RoundTripSixDecimalsInFull(double x);

// The whole number nearest to a non-negative value scaled by a power of ten,
// where it is certainly the number that the value written with that many
// decimals holds: below 2^51 and well away from a tie. False for the rest.
inline bool TryNearestWhole(double scaled, uint64_t& whole) {
  if (!(scaled < 0x1p51)) return false;
  // Where scaled + 1/2 lies between two whole numbers: the lower one is the
  // rounded value unless the exact value may lie on the other side of either.
  const double shifted = scaled + 0.5;
  const long long lower = static_cast<long long>(shifted);
  const double above = shifted - static_cast<double>(lower);
  // The scaling and the sum are each off by at most 2^-53 of their size, and
  // the 17-digit expansion of the written text moves the value by at most
  // 0.5e-16 of it.
  const double reach = (scaled + 1) * 4e-16;
  if (!(above > reach && above < 1 - reach)) return false;
  whole = static_cast<uint64_t>(lower);
  return true;
}

// The whole count of millionths nearest to a magnitude, as the text written
// with six decimals holds it, where that is certain.
inline bool TryNearestMillionths(double magnitude, uint64_t& millionths) {
  return TryNearestWhole(magnitude * 1e6, millionths);
}

// True for a text that FormatNumber can have written: an optional minus, digits,
// and an optional point with decimals. A prompt of the checker is not one.
bool IsFormattedNumber(std::string_view text);
