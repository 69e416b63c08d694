// Any bytes typed or pasted into the expression field: the checker must answer
// with a mark inside the text, and the evaluator must end with a finite result.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Checker.h"
#include "Evaluator.h"
#include "NumberText.h"
#include "Prompts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const CheckOutcome outcome = CheckExpressionText(text);
  if (outcome.passed != RenderPrompt(outcome).empty()) std::abort();
  if (outcome.mark && !(outcome.mark->start == 0 && outcome.mark->end == -1)) {
    if (outcome.mark->start < 0 || outcome.mark->start > outcome.mark->end ||
        outcome.mark->end > static_cast<int>(size))
      std::abort();
  }

  // The evaluator also meets texts the checker rejects: it must still end.
  const int decimals = size > 0 ? data[0] % 10 : 3;
  const std::string result = EvaluateExpression(text, MakeNumberFormat(decimals));
  if (outcome.passed && !std::isfinite(ReadNumber(result))) std::abort();
  return 0;
}
