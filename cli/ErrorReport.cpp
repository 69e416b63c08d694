#include "ErrorReport.h"

#include <cstring>
#include <string>

#include "StandardStreams.h"

void ReportSystemError(std::string_view what, int error) {
  std::string text = "tallywise-eval: ";
  text += what;
  text += ": ";
  text += std::strerror(error);
  text += kLineEnd;
  // Straight to the descriptor: the message channel may be what failed.
  WriteAll(kStandardError, text);
}
