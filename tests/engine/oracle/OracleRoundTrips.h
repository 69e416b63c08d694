// A number written as text and read back, the slow and obvious way, to hold the
// engine's shortcuts against. The program itself never takes these roads: the
// evaluation rounds its intermediate values without text where it can
// (Evaluator.h), and the window rewrites a shown result from its value.
#pragma once

#include <string>
#include <string_view>

#include "NumberReading.h"
#include "NumberWriting.h"

// An intermediate value as the evaluation keeps it: written with six decimals
// and read back.
inline double RoundTripSixDecimals(double x) { return ReadNumber(FormatNumber(kIntermediateFormat, x)); }

// A shown result rewritten with another number format from the text as shown,
// so decimals cut away earlier do not come back.
inline std::string ReformatResultText(std::string_view text, std::string_view format) {
  return FormatNumber(format, ReadNumber(text));
}
