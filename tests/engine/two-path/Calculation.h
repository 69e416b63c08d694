// The work of one press of Enter: the check and, when it passes, the evaluation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Checker.h"
#include "Evaluator.h"

namespace two_path {

struct Calculation {
  CheckOutcome check;
  std::string result;            // empty when the check failed
  std::vector<FaultMet> faults;  // met by the evaluation, in the order of its passes
};

// What CheckExpressionText and then EvaluateExpression give, with the text
// scanned as few times as they allow: a complete text with nothing to normalise,
// as most are, is checked in one pass and evaluated as it stands.
Calculation Calculate(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks);

}  // namespace two_path
