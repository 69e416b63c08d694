// The signals a terminal session answers itself. While it runs they are held
// back except while it waits for a key, so each is met where the session can act
// on it whole: Ctrl+C drops the line being typed; a hang-up or a termination ends
// the session as Ctrl+D does, and the program then ends by that signal; Ctrl+Z
// and Ctrl+\ give the terminal back and then stop or quit the program as in any
// other; a resize redraws the line. A signal that was ignored when the session
// began stays ignored.
#pragma once

#include <csignal>

class SessionSignals {
public:
  SessionSignals();
  ~SessionSignals();
  SessionSignals(const SessionSignals&) = delete;
  SessionSignals& operator=(const SessionSignals&) = delete;

  enum Wait { Ready, TimedOut, SignalCame };
  // Waits until `fd` has something to read, a signal comes, or `milliseconds`
  // pass (-1: no limit).
  Wait WaitForInput(int fd, int milliseconds);

  // A signal that has come and not yet been taken, 0 when there is none.
  int Take();

  // What the signal does to a program that does not catch it: for Ctrl+Z a
  // stop, after which this returns once the program is continued.
  void ActAsDefault(int signal);

private:
  void TakeContinue();

  sigset_t m_held;
  sigset_t m_previousMask;
  struct sigaction m_previous[7];  // one for each signal caught
};
