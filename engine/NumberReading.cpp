#include "NumberReading.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

// 10^0 to 10^15, each an exact double.
constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// For a number that does not fit a double: whether its magnitude is too large
// (rather than too small), judged from its leading digit and exponent.
bool IsBeyondLargest(std::string_view number) {
  size_t i = 0;
  long long leadingPower = 0;
  bool found = false;
  long long integerDigits = 0;
  while (i < number.size() && IsDigit(number[i])) {
    if (found || number[i] != '0') {
      found = true;
      ++integerDigits;
    }
    ++i;
  }
  if (found) {
    leadingPower = integerDigits - 1;
  } else if (i < number.size() && number[i] == '.') {
    ++i;
    long long zeros = 0;
    while (i < number.size() && number[i] == '0') {
      ++zeros;
      ++i;
    }
    leadingPower = -(zeros + 1);
  }
  while (i < number.size() && (IsDigit(number[i]) || number[i] == '.'))
    ++i;
  long long exponent = 0;
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    while (i < number.size() && IsDigit(number[i])) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
      ++i;
    }
    if (negative) exponent = -exponent;
  }
  return leadingPower + exponent > 0;
}


// The usual operand, a few digits with at most one point, at the front of the
// text: read without the general conversion. With at most 15 digits both the
// digits as an integer and the power of ten are exact doubles, so their quotient
// is the correctly rounded value, exactly what the general reading gives. False
// when there is no digit, more than 15, or a second point.
bool TryReadShortDecimal(std::string_view text, double& value, size_t& length) {
  constexpr size_t kMostExactDigits = 15;
  uint64_t digits = 0;
  size_t digitCount = 0;
  size_t decimals = 0;
  bool afterPoint = false;
  size_t i = 0;
  for (; i < text.size(); ++i) {
    const char ch = text[i];
    if (IsDigit(ch)) {
      digits = digits * 10 + static_cast<uint64_t>(ch - '0');
      ++digitCount;
      decimals += afterPoint;
    } else if (ch == '.' && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  if (digitCount == 0 || digitCount > kMostExactDigits || (i < text.size() && text[i] == '.')) return false;
  // A whole number, the usual operand, needs no division.
  value = decimals == 0 ? static_cast<double>(digits) : static_cast<double>(digits) / kExactPowersOfTen[decimals];
  length = i;
  return true;
}

}  // namespace

double ReadLeadingNumber(std::string_view text, size_t& length) {
  if (double value = 0; TryReadShortDecimal(text, value, length)) return value;
  length = 0;
  while (length < text.size() && (IsDigit(text[length]) || text[length] == '.'))
    ++length;
  return ReadNumber(text.substr(0, length));
}

double ReadNumber(std::string_view text) {
  double shortDecimal = 0;
  if (size_t length = 0; TryReadShortDecimal(text, shortDecimal, length) && length == text.size()) return shortDecimal;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // from_chars would take a second sign itself; atof does not.
  if (i >= text.size() || text[i] == '+' || text[i] == '-') return 0.0;

  const std::string_view number = text.substr(i);
  double value = 0;
  const auto [end, error] =
      std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
  if (error == std::errc::result_out_of_range)
    value = IsBeyondLargest(number) ? std::numeric_limits<double>::infinity() : 0.0;
  else if (error != std::errc())
    return 0.0;  // nothing to convert: atof gives a plain zero, whatever the sign
  return negative ? -value : value;
}

