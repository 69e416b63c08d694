// Writing numbers as text and reading them back, the same on every platform and
// in every locale: the point is always ".".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace two_path {

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

// What becomes of an intermediate value: written with six decimals and read back.
double RoundTripSixDecimals(double x);

// Reads a number the way atof does: leading white space, optional sign, digits,
// optional point and decimals, optional exponent; stops at the first character
// that does not fit; no digits reads as 0. Too large a magnitude reads as an
// infinity, too small as zero.
double ReadNumber(std::string_view text);

// Reads the run of digits and points that the text starts with, as ReadNumber
// reads that run alone, and gives the run's length.
double ReadLeadingNumber(std::string_view text, size_t& length);

// True for a text that FormatNumber can have written: an optional minus, digits,
// and an optional point with decimals. A prompt of the checker is not one.
bool IsFormattedNumber(std::string_view text);

// Re-writes a shown result with another number format, from the text as shown.
std::string ReformatResultText(std::string_view text, std::string_view format);

}  // namespace two_path
