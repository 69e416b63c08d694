// What the tool's exit status says. Where several apply, the most serious stands,
// and that is the highest number.
#pragma once

enum ExitStatus : int {
  kAllAccepted = 0,
  kSomeRejected = 1,
  kBadUsage = 2,
  kSomeFaulted = 3,
  kInputOutputError = 4,
};
