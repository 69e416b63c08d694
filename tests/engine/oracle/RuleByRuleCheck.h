// The checker's rules taken one by one, each over the whole normalised text,
// in the order the user hears them: the plain reading of the rules, to hold
// the one pass of Calculation.cpp against.
#pragma once

#include <string_view>

#include "Checker.h"

CheckOutcome CheckEachRule(std::string_view text);
