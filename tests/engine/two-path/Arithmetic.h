// The two operators of the calculator's own: power with a whole exponent and
// root of a whole degree.
#pragma once

namespace two_path {

// x to the power n. For 1 <= n <= 64 the product of n factors x, multiplied from
// the left; beyond that by repeated squaring. x^0 is 1 and x^(-n) is 1 / x^n, so
// the result may be an infinity (the caller reports it).
double Power(double x, int n);

// The n-th root of x by a decimal search, one digit position at a time.
// An odd root of a negative radicand is the negative real root, a negative degree
// gives 1 / root. An even root of a negative radicand and a root of degree 0 have
// no value: the result is NaN (the caller reports it).
double Root(double x, int n);

// What an exponent or a degree is made of: the operand truncated toward zero and
// saturated to the signed 32-bit range.
int TruncateToInt32(double r);

}  // namespace two_path
