// The rules taken one by one, each over the whole normalised text, as the
// engine with two paths (kept in two-path/) takes them, in the engine's own
// terms, so that its answer can be held against the one pass.
#pragma once

#include <string>

#include "Checker.h"
#include "two-path/Checker.h"

inline CheckOutcome CheckEachRule(const std::string& text) {
  const two_path::CheckOutcome byRules = two_path::CheckEachRule(text);
  CheckOutcome outcome;
  outcome.passed = byRules.passed;
  outcome.prompt = static_cast<Prompt>(byRules.prompt);
  outcome.named = byRules.named;
  if (byRules.mark) outcome.mark = FieldSelection{byRules.mark->start, byRules.mark->end};
  return outcome;
}
