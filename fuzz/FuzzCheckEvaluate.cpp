// Any bytes typed or pasted into the expression field: the checker must answer
// with a mark inside the text, and the evaluator must end with a finite result.
// The one pass must give the answers of the rules taken one by one, and the
// evaluator the values and faults of the passes taken one at a time (both
// kept in tests/engine/oracle).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Calculation.h"
#include "CharClasses.h"
#include "Checker.h"
#include "Evaluator.h"
#include "LiteralEvaluator.h"
#include "NumberReading.h"
#include "NumberWriting.h"
#include "Prompts.h"
#include "RuleByRuleCheck.h"

namespace {

// The passes one at a time take time quadratic in the length; longer texts are
// left to the one-pass checks, which the differential tests hold to them.
constexpr size_t kLongestComparedWithThePasses = 4096;

bool SameOutcome(const CheckOutcome& a, const CheckOutcome& b) {
  return a.passed == b.passed && a.prompt == b.prompt && a.named == b.named && a.mark == b.mark;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const CheckOutcome outcome = CheckExpressionText(text);
  if (outcome.passed != RenderPrompt(outcome).empty()) std::abort();
  if (outcome.mark && !(outcome.mark->start == 0 && outcome.mark->end == -1)) {
    if (outcome.mark->start < 0 || outcome.mark->start > outcome.mark->end ||
        outcome.mark->end > static_cast<std::ptrdiff_t>(size))
      std::abort();
  }

  // The evaluator also meets texts the checker rejects: it must still end.
  const int decimals = size > 0 ? data[0] % 10 : 3;
  const Evaluation evaluation = EvaluateExpression(text, MakeNumberFormat(decimals));
  if (outcome.passed && !std::isfinite(ReadNumber(evaluation.result))) std::abort();
  if (outcome.passed && size <= kLongestComparedWithThePasses) {
    std::vector<FaultMet> faults;
    if (LiteralEvaluate(text, MakeNumberFormat(decimals), faults) != evaluation.result) std::abort();
    if (faults != evaluation.faults) std::abort();
  }

  // The check alone and the check with evaluation, as the tool makes it, answer
  // as the rules one by one and the evaluator alone do.
  const CheckOutcome byRules = CheckEachRule(text);
  EvaluationStacks stacks;
  const Calculation calculation = Calculate(text, MakeNumberFormat(decimals), stacks);
  if (!SameOutcome(outcome, byRules) || !SameOutcome(calculation.check, byRules)) std::abort();
  if (outcome.passed && (calculation.result != evaluation.result || calculation.faults != evaluation.faults))
    std::abort();
  return 0;
}
