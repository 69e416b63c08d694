// The evaluation of a checked expression in exact arithmetic (ExactArithmetic.h).
// It reads the same units with the same reader and takes the operators in the same
// order (deepest first, then the strongest, then the leftmost), so the faults come
// at the same operators and in the same order as in the classic evaluation; only
// the values differ. It is kept apart from the classic one pass, whose speed rests
// on values of one machine word.
#pragma once

#include <string_view>
#include <vector>

#include "Evaluator.h"
#include "ExactValue.h"

struct ExactEvaluation {
  ExactValue value;              // 0 for the parts that met a fault
  std::vector<FaultMet> faults;  // in the order of the passes
};

// A text the checker has passed. Any other text still ends: one whose operands and
// operators do not alternate gives 0 and no faults. The exact stacks of `stacks`
// are used, and made at the first evaluation.
ExactEvaluation EvaluateExactly(std::string_view text, EvaluationStacks& stacks);
