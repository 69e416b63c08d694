#include "Calculation.h"

#include <utility>

namespace two_path {

namespace {

void TakeEvaluation(Calculation& calculation, Evaluation evaluation) {
  calculation.result = std::move(evaluation.result);
  calculation.faults = std::move(evaluation.faults);
}

}  // namespace

Calculation Calculate(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  Calculation calculation;
  if (PassesAtOnce(text)) {
    TakeEvaluation(calculation, EvaluateAsItStands(text, numberFormat, stacks));
    return calculation;
  }
  calculation.check = CheckEachRule(text);
  if (calculation.check.passed) TakeEvaluation(calculation, EvaluateExpression(text, numberFormat, stacks));
  return calculation;
}

}  // namespace two_path
