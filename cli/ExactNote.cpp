#include "ExactNote.h"

namespace {

// A Windows console shows escape sequences only once asked to, which the tool
// does not do: there the note goes plain.
#ifdef _WIN32
constexpr const char* kDim = "";
constexpr const char* kPlain = "";
#else
constexpr const char* kDim = "\x1b[2m";
constexpr const char* kPlain = "\x1b[0m";
#endif

}  // namespace

std::string ExactNoteLine(const ExactValue& exact, int decimals) {
  return std::string(kDim) + "exact: " + exact.Written(decimals) + kPlain;
}
