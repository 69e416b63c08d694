#include "ParenthesisSpot.h"

#include <cstddef>
#include <optional>

#include "TypedText.h"

namespace {

// The same units the checker counts, so a parenthesis inside a number written
// in pieces or after a dropped line break is found where it was typed.
std::optional<size_t> FirstUnopenedClose(std::string_view expression) {
  TypedTextReader reader(expression);
  unsigned long long open = 0;
  Unit unit{};
  while (reader.Next(unit)) {
    if (unit.kind == kOpen) {
      ++open;
    } else if (unit.kind == kClose) {
      if (open == 0) return unit.at;
      --open;
    }
  }
  return std::nullopt;
}

}  // namespace

CheckOutcome WithParenthesisSpot(CheckOutcome outcome, std::string_view expression) {
  if (outcome.passed || outcome.mark) return outcome;
  if (outcome.prompt == Prompt::MissingOpen || outcome.prompt == Prompt::MissingBoth) {
    if (const std::optional<size_t> close = FirstUnopenedClose(expression)) {
      const auto at = static_cast<std::ptrdiff_t>(*close);
      outcome.mark = FieldSelection{at, at + 1};
    }
  } else if (outcome.prompt == Prompt::MissingClose) {
    const size_t last = expression.find_last_not_of(' ');
    const auto end = static_cast<std::ptrdiff_t>(last == std::string_view::npos ? 0 : last + 1);
    outcome.mark = FieldSelection{end, end};
  }
  return outcome;
}
