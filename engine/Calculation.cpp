#include "Calculation.h"

Calculation Calculate(std::string_view text, std::string_view numberFormat, const ComputeFaultHandler& onFault,
                      EvaluationStacks& stacks) {
  Calculation calculation;
  if (PassesAtOnce(text)) {
    calculation.result = EvaluateAsItStands(text, numberFormat, onFault, stacks);
    return calculation;
  }
  calculation.check = CheckEachRule(text);
  if (calculation.check.passed) calculation.result = EvaluateExpression(text, numberFormat, onFault, stacks);
  return calculation;
}
