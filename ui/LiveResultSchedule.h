// When the live result of an expression being typed is worked out. A quick
// text is evaluated as soon as the keys stop coming, which for a typist is
// at once; a text whose evaluation takes long is evaluated only after a pause
// in typing several times as long as that evaluation, so that keys never wait
// behind work whose answer the next key would make stale. Every change puts
// off the evaluation planned before it.
#pragma once

#include <cstddef>

class LiveResultSchedule {
public:
  struct Plan {
    unsigned delayMs;  // wait this long after the last change, then Due() is true
    bool clearNow;     // the value shown stands for an older text until then
  };

  // Below this the evaluation goes unnoticed between two keys.
  static constexpr double kQuickMs = 8;
  // A slow text waits for a pause this many times its evaluation's length...
  static constexpr unsigned kPauseFactor = 3;
  // ... and at least this long, as between two words, at most this long.
  static constexpr unsigned kShortestPauseMs = 150;
  static constexpr unsigned kLongestPauseMs = 1500;
  // Until one evaluation has been timed: a guess for a slow machine.
  static constexpr double kFirstGuessMsPerChar = 0.0002;

  // The text changed to one of `length` characters.
  Plan Changed(std::size_t length);
  // The planned moment has come: true when an evaluation is owed, once.
  bool Due();
  // Nothing is owed any more: the text was evaluated another way, or the live
  // result was switched off.
  void Cancel() { m_pending = false; }
  // How long the evaluation of a text of `length` characters took, from the
  // reading of the text to the value shown.
  void Measured(std::size_t length, double milliseconds);

private:
  bool m_pending = false;
  double m_msPerChar = kFirstGuessMsPerChar;
};
