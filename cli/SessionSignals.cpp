#include "SessionSignals.h"

#include <poll.h>

#include <cerrno>
#include <iterator>
#include <type_traits>

namespace {

constexpr int kCaught[] = {SIGINT, SIGHUP, SIGTERM, SIGTSTP, SIGQUIT, SIGWINCH, SIGCONT};
volatile std::sig_atomic_t g_came[std::size(kCaught)];

void Note(int signal) {
  for (size_t i = 0; i < std::size(kCaught); ++i)
    if (kCaught[i] == signal) g_came[i] = 1;
}

}  // namespace

SessionSignals::SessionSignals() {
  static_assert(std::size(kCaught) == std::extent_v<decltype(m_previous)>);
  sigemptyset(&m_held);
  struct sigaction noting {};
  noting.sa_handler = Note;
  sigemptyset(&noting.sa_mask);
  for (size_t i = 0; i < std::size(kCaught); ++i) {
    g_came[i] = 0;
    sigaction(kCaught[i], nullptr, &m_previous[i]);
    if (m_previous[i].sa_handler == SIG_IGN) continue;
    sigaddset(&m_held, kCaught[i]);
    sigaction(kCaught[i], &noting, nullptr);
  }
  sigprocmask(SIG_BLOCK, &m_held, &m_previousMask);
}

SessionSignals::~SessionSignals() {
  for (size_t i = 0; i < std::size(kCaught); ++i)
    if (sigismember(&m_held, kCaught[i])) sigaction(kCaught[i], &m_previous[i], nullptr);
  sigprocmask(SIG_SETMASK, &m_previousMask, nullptr);
}

SessionSignals::Wait SessionSignals::WaitForInput(int fd, int milliseconds) {
  pollfd input{fd, POLLIN, 0};
  timespec limit{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  // The held signals come in here and only here, so none is lost between a
  // look at the flags and the wait.
  const int ready = ppoll(&input, 1, milliseconds < 0 ? nullptr : &limit, &m_previousMask);
  if (ready > 0) return Ready;
  if (ready == 0) return TimedOut;
  return errno == EINTR ? SignalCame : Ready;  // a failing poll lets the read report it
}

int SessionSignals::Take() {
  for (size_t i = 0; i < std::size(kCaught); ++i) {
    if (g_came[i]) {
      g_came[i] = 0;
      return kCaught[i];
    }
  }
  return 0;
}

void SessionSignals::ActAsDefault(int signal) {
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  struct sigaction ours {};
  sigaction(signal, &byDefault, &ours);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  raise(signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  sigprocmask(SIG_BLOCK, &only, nullptr);
  sigaction(signal, &ours, nullptr);
  if (signal == SIGTSTP) TakeContinue();
}

// The continue that ended a stop of our own is no news: the caller puts the
// terminal back and redraws the line itself, and a second redraw would write
// the prompt and the line once more after the first.
void SessionSignals::TakeContinue() {
  if (!sigismember(&m_held, SIGCONT)) return;
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, SIGCONT);
  const timespec now{0, 0};
  while (sigtimedwait(&only, nullptr, &now) == SIGCONT) {
  }
  for (size_t i = 0; i < std::size(kCaught); ++i)
    if (kCaught[i] == SIGCONT) g_came[i] = 0;
}
