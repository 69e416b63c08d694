// The evaluation exactly as the calculator's users know it, written the plain way:
// tokens with parenthesis depths, one operator per pass, chosen afresh each time.
// Quadratic, kept only to judge the product's evaluator against.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Evaluator.h"

// Blanks removed, commas to points, CR LF pairs removed, each pass finding the
// first occurrence and searching again from the start.
void NormalizeByRescanning(std::string& text);

std::string LiteralEvaluate(std::string text, std::string_view numberFormat, std::vector<ComputeFault>& faults);
