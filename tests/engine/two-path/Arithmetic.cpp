#include "Arithmetic.h"

#include <climits>
#include <cmath>
#include <limits>

namespace two_path {

namespace {

// Up to this exponent the factors are multiplied one by one, which is what the
// calculator has always done and gives the same bits; beyond it the product is
// built by repeated squaring, so a huge exponent answers at once.
constexpr int kLongestPlainProduct = 64;

double PositivePower(double x, unsigned n) {
  double product = 1;
  if (n <= kLongestPlainProduct) {
    for (unsigned i = 0; i < n; ++i)
      product *= x;
    return product;
  }
  for (double square = x; n != 0; n >>= 1, square *= square) {
    if (n & 1) product *= square;
  }
  return product;
}

// The decimal search for the n-th root (n >= 1) of x >= 0: one digit position at a
// time, from the largest power of ten not above x down to a step of 1e-10.
double SearchRoot(double x, int n) {
  if (std::isinf(x)) return x;

  double r = 0;
  double s = 1;
  if (x >= 10) {
    s = 10;
    while (x / s >= 10)
      s *= 10;
  }

  for (;;) {
    const double p = Power(r, n);
    if (p < x) {
      const double next = r + s;
      // Once the step is below the spacing of doubles near r, the estimate cannot
      // move any more: r is as close as a double gets from below.
      if (next == r) return r;
      // A first-degree root of a radicand near the largest double would step past
      // it; such a step is simply too large.
      if (std::isinf(next)) {
        s *= 0.1;
        if (s < 1e-10) return r;
        continue;
      }
      r = next;
      continue;
    }
    if (p == x) return r;
    const double below = r - s;
    s *= 0.1;
    if (s < 1e-10) return (r + below) * 0.5;
    r = below;
  }
}

}  // namespace

double Power(double x, int n) {
  if (n >= 0) return PositivePower(x, static_cast<unsigned>(n));
  // -n does not exist for the smallest int; 0u - n does.
  return 1.0 / PositivePower(x, 0u - static_cast<unsigned>(n));
}

double Root(double x, int n) {
  if (n == 0 || std::isnan(x)) return std::numeric_limits<double>::quiet_NaN();
  if (n < 0) {
    // For the smallest int the positive degree 2^31 does not fit; its odd
    // neighbour gives the same root to well beyond the search's resolution, but
    // the degree stays even for the sign rule.
    const int degree = n == INT_MIN ? INT_MAX : -n;
    if (x < 0 && n == INT_MIN) return std::numeric_limits<double>::quiet_NaN();
    return 1.0 / Root(x, degree);
  }
  if (x < 0) {
    if (n % 2 == 0) return std::numeric_limits<double>::quiet_NaN();
    return -SearchRoot(-x, n);
  }
  return SearchRoot(x, n);
}

int TruncateToInt32(double r) {
  if (std::isnan(r)) return 0;
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);  // truncates toward zero
}

}  // namespace two_path
