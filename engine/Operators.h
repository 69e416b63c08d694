// The calculator's seven operators, one row each: all that the reader, the
// checker's rules and the evaluation know of an operator is in its row, so a new
// operator, or a change to one, is a change to one row. The character classes,
// the operator codes, the units' kinds and the width of a rank follow from the
// table; the evaluation calls the rows' work through WithOperatorRow, which the
// compiler turns into direct calls it can inline.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <utility>

#include "Arithmetic.h"
#include "Millionths.h"

// What the rules tell apart in a unit.
enum UnitKind : unsigned char { kNumber, kOpen, kClose, kSign, kBinary, kUnknown, kUnitKinds };

enum class ComputeFault {
  DivisionByZero,    // a divisor that reads as zero, or zero to a negative power
  Overflow,          // a value beyond the range of doubles
  NegativeEvenRoot,  // an even root of a negative number
  ZeroDegreeRoot,    // a root of degree 0
};

struct OperatorRow {
  char symbol;
  // Binds tighter than every operator of a lower strength; among equals the
  // leftmost is taken first.
  int strength;
  // kSign: may also stand where an operand is expected (at the start, after '(');
  // kBinary: only between two operands.
  UnitKind kind;
  // The fault the work meets on two finite operands, if any; the value then
  // counts as 0. Null where the work meets none (an infinity it gives is met
  // apart, as an overflow).
  std::optional<ComputeFault> (*faultOf)(double left, double right);
  // The work in doubles, on two finite operands that meet no fault.
  double (*onDoubles)(double left, double right);
  // The same work on two counts of millionths (Millionths.h): false where the
  // result is not certain to be the count the work in doubles would round to.
  // Null where the work is never done on counts.
  bool (*onMillionths)(long long left, long long right, long long& result);
};

// Weakest first: the rows' places are the operators' codes (counted from 1,
// 0 being no operator), and so their strengths too.
inline constexpr OperatorRow kOperators[] = {
    {'+', 1, kSign, nullptr, [](double l, double r) { return l + r; }, TrySumOfMillionths},
    {'-', 2, kSign, nullptr, [](double l, double r) { return l - r; },
     [](long long l, long long r, long long& result) { return TrySumOfMillionths(l, -r, result); }},
    {'*', 3, kBinary, nullptr, [](double l, double r) { return l * r; }, TryProductOfMillionths},
    {'/', 4, kBinary,
     [](double, double r) { return r == 0 ? std::optional(ComputeFault::DivisionByZero) : std::nullopt; },
     [](double l, double r) { return l / r; }, TryQuotientOfMillionths},
    {'%', 5, kBinary, nullptr, [](double l, double r) { return (l * 0.01) * r; }, TryPerCentOfMillionths},
    // The exponent is taken whole: from 2 to just below 3 the power is the one
    // product x * x.
    {'^', 6, kBinary,
     [](double l, double r) {
       return l == 0 && TruncateToInt32(r) < 0 ? std::optional(ComputeFault::DivisionByZero) : std::nullopt;
     },
     [](double l, double r) { return Power(l, TruncateToInt32(r)); },
     [](long long l, long long r, long long& result) {
       return r >= 2'000'000 && r < 3'000'000 && TryProductOfMillionths(l, l, result);
     }},
    {'#', 7, kBinary,
     [](double l, double r) -> std::optional<ComputeFault> {
       const int n = TruncateToInt32(r);
       if (n == 0) return ComputeFault::ZeroDegreeRoot;
       if (l < 0 && n % 2 == 0) return ComputeFault::NegativeEvenRoot;
       if (l == 0 && n < 0) return ComputeFault::DivisionByZero;
       return std::nullopt;
     },
     [](double l, double r) { return Root(l, TruncateToInt32(r)); }, nullptr},
};

inline constexpr int kOperatorCount = static_cast<int>(std::size(kOperators));

namespace operators_detail {
constexpr bool EachRowIsSound() {
  for (int code = 1; code <= kOperatorCount; ++code) {
    const OperatorRow& row = kOperators[code - 1];
    if (row.strength != code || row.onDoubles == nullptr || (row.kind != kSign && row.kind != kBinary)) return false;
    if (row.symbol == '(' || row.symbol == ')' || row.symbol == '.' || (row.symbol >= '0' && row.symbol <= '9'))
      return false;
    for (int other = 1; other < code; ++other)
      if (kOperators[other - 1].symbol == row.symbol) return false;
  }
  return true;
}
}  // namespace operators_detail
static_assert(operators_detail::EachRowIsSound(),
              "each row an operator of its own symbol, in order of strength, with its work in doubles");

inline constexpr int kStrongestOperator = kOperatorCount;

// Operators of one parenthesis depth bind tighter than every operator outside it:
// a rank is depth * kStrengthsPerDepth + strength, so the width must exceed every
// strength. A power of two keeps the product a shift.
inline constexpr long long kStrengthsPerDepth = std::bit_ceil(static_cast<unsigned>(kStrongestOperator) + 1);
static_assert(kStrengthsPerDepth > kStrongestOperator);
// An operator's code is its strength.
constexpr long long OperatorRank(long long depth, int code) { return depth * kStrengthsPerDepth + code; }

// The row of `code`, 1 to kOperatorCount, as a constant: visit(row) is called
// with a std::integral_constant holding the row's place, so that the row's work
// is a known function where it is called.
template <typename Visit>
[[gnu::always_inline]] inline auto WithOperatorRow(int code, Visit&& visit) {
  return [&]<size_t... Place>(std::index_sequence<Place...>) {
    using Result = decltype(visit(std::integral_constant<size_t, 0>{}));
    Result result{};
    (void)((code == static_cast<int>(Place) + 1 && (result = visit(std::integral_constant<size_t, Place>{}), true)) ||
           ...);
    return result;
  }(std::make_index_sequence<kOperatorCount>{});
}
