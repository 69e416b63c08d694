#include "Calculation.h"

#include <utility>

#include "TypedText.h"

namespace {

struct Outcome {
  CheckOutcome check;
  Evaluation evaluation;
};

// The one pass.
Outcome Read(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  TypedTextReader reader(text);
  CheckRules rules;
  Reduction reduction(stacks);
  Unit unit;
  while (reader.Next(unit)) {
    rules.Take(unit);
    reduction.Take(unit);
  }
  return {rules.Verdict(), reduction.Finish(numberFormat)};
}

}  // namespace

Calculation Calculate(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  Outcome outcome = Read(text, numberFormat, stacks);
  Calculation calculation;
  calculation.check = std::move(outcome.check);
  // A text that fails the check shows its prompt and nothing of the evaluation.
  if (calculation.check.passed) {
    calculation.result = std::move(outcome.evaluation.result);
    calculation.faults = std::move(outcome.evaluation.faults);
  }
  return calculation;
}

CheckOutcome CheckExpressionText(std::string_view text) {
  EvaluationStacks stacks;
  return Read(text, "%0.0f", stacks).check;
}

Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat, EvaluationStacks& stacks) {
  return Read(text, numberFormat, stacks).evaluation;
}

Evaluation EvaluateExpression(std::string_view text, std::string_view numberFormat) {
  EvaluationStacks stacks;
  return EvaluateExpression(text, numberFormat, stacks);
}
