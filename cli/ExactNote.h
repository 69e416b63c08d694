// The line that tells a person at a terminal that exact arithmetic would show
// other digits than the calculator's classic rules did.
#pragma once

#include <string>

#include "ExactValue.h"

// "exact: VALUE", dimmed where the terminal takes escape sequences, without a
// line end.
std::string ExactNoteLine(const ExactValue& exact, int decimals);
