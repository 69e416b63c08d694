#include "LiveResultSchedule.h"

#include <algorithm>

LiveResultSchedule::Plan LiveResultSchedule::Changed(std::size_t length) {
  m_pending = true;
  const double expectedMs = static_cast<double>(length) * m_msPerChar;
  if (expectedMs < kQuickMs) return {0, false};
  const double pause = std::clamp(expectedMs * kPauseFactor, static_cast<double>(kShortestPauseMs),
                                  static_cast<double>(kLongestPauseMs));
  return {static_cast<unsigned>(pause), true};
}

bool LiveResultSchedule::Due() {
  const bool due = m_pending;
  m_pending = false;
  return due;
}

// The cost is close to proportional to the length; a short text says little
// of it, so only a text long enough to be timed at all moves the estimate.
void LiveResultSchedule::Measured(std::size_t length, double milliseconds) {
  if (length < 1000 || milliseconds < 0) return;
  m_msPerChar = milliseconds / static_cast<double>(length);
}
