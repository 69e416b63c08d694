// The operators' work in exact arithmetic. Typed numbers are exact decimals;
// + - * / % and powers with a whole exponent give the exact fraction. A power with
// a fractional exponent and a root of any degree give the exact value where there
// is one among the fractions (27#3, 4^0.5, 8^(1/3)), otherwise the power worked
// out with binary floating point of 50 significant digits, which is right to well
// beyond 40 of them.
//
// Bounds: a value whose numerator or denominator, in lowest terms, would have more
// than kMostExactDigits digits is "too large" (ComputeFault::Overflow), whether it
// is typed, the result of an operator, a power's or a root's. The size of a power
// is estimated from the sizes of its base and exponent before anything is worked
// out, so 2^(2^40), 10^100000 or (1/3)^100000 meets the fault at once; a whole
// power beyond the bound costs no more than a product. Within the bound, one
// operation on the largest numbers takes some milliseconds, and a long text of
// them would add up: the work of one evaluation on big numbers is counted (in
// products of two of the library's words, kWorkAllowance of them, well under a
// second), and once it is spent every further operation that needs big numbers
// is "too large" as well. Work on values of 64 bits costs nothing of it.
#pragma once

#include <optional>
#include <string_view>

#include "ExactValue.h"
#include "Operators.h"

inline constexpr int kMostExactDigits = 10000;
inline constexpr unsigned long long kWorkAllowance = 400'000'000;

struct ExactOutcome {
  ExactValue value;                    // 0 where the work met a fault
  std::optional<ComputeFault> fault;
};

class ExactArithmetic {
public:
  // A number as typed: digits with at most one point (a comma counts as one), any
  // other byte passed over. False, for a number beyond the bound, with `value` 0.
  static bool ReadTyped(std::string_view number, ExactValue& value);

  // The work of the operator with `code` (Operators.h) on two values.
  static ExactOutcome Apply(int code, const ExactValue& left, const ExactValue& right);

  // A fresh allowance of work on big numbers, for the evaluation that starts on
  // this thread.
  static void StartEvaluation();
};
