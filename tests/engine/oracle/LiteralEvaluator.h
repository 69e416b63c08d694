// The evaluation exactly as the calculator's users know it, written the plain way:
// tokens with parenthesis depths, one operator per pass, chosen afresh each time.
// Quadratic, kept only to judge the product's evaluator against.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Evaluator.h"

// Blanks removed, commas to points, CR LF pairs removed, each pass finding the
// first occurrence and searching again from the start.
void NormalizeByRescanning(std::string& text);

// Each fault as the passes meet it, at the operator of the pass (or at a lone
// number), counted in the text as given.
std::string LiteralEvaluate(std::string text, std::string_view numberFormat, std::vector<FaultMet>& faults);

// For test failures: the message and where its operator stands.
inline void PrintTo(const FaultMet& fault, std::ostream* out) {
  *out << '"' << ComputeFaultMessage(fault.kind) << "\" at " << fault.position;
}
