// The engine's ways in. Each reads the text once, in one pass that checks it and
// reduces it together: every unit goes to the checker's rules and to the reduction
// as the reader yields it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Checker.h"
#include "Evaluator.h"
#include "ExactValue.h"

// How the operators compute. Classic: the calculator's own rules (six-decimal
// intermediate values, whole exponents and degrees, doubles). Exact: the same
// texts, checks, order of work and faults, with no value rounded on the way
// (ExactArithmetic.h).
enum class Arithmetic { kClassic, kExact };

// The work of one press of Enter: the check and, when it passes, the evaluation.
struct Calculation {
  CheckOutcome check;
  std::string result;            // empty when the check failed
  double value = 0;              // what `result` writes, before the number format rounds it
  std::vector<FaultMet> faults;  // met by the evaluation, in the order of its passes; none when the check failed
  // Exact arithmetic: the value `result` writes, none when the check failed or a
  // fault was met. Classic arithmetic asked to compare: the exact value of the
  // same text (none when the check failed or the exact work met a fault), so the
  // caller can tell whether the classic digits differ from it (ShowsOtherDigits).
  std::optional<ExactValue> exact;
};

// In exact arithmetic `result` and `faults` come from the exact work, and `value`
// is the double nearest to the exact value.
Calculation Calculate(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks,
                      Arithmetic arithmetic = Arithmetic::kClassic, bool compareExactly = false);

// The check alone: the text as typed in the expression field; indices of the mark refer to it.
CheckOutcome CheckExpressionText(std::string_view text);

// The evaluation alone, of a text the checker has passed, with the value written
// with the number format. Any other text still ends and gives a text: one whose
// operands and operators do not alternate gives 0 and no faults.
Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks);
Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat);
