// The tool's one way to report what the system refused, from wherever it is met.
#pragma once

#include <string_view>

// "tallywise-eval: <what>: <the system's reason>" on stderr, written at once.
void ReportSystemError(std::string_view what, int error);
