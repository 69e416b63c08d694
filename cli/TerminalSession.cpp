#include "TerminalSession.h"

#ifdef TALLYWISE_HAVE_LIBEDIT

#include <histedit.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "CharacterWidth.h"
#include "TerminalHistoryFile.h"
#include "SessionSignals.h"
#include "StandardStreams.h"
#include "TerminalText.h"
#include "VisibleText.h"

namespace {

constexpr const char* kPromptString = "> ";
// The key the session presses itself to have a rejected line put back; a user
// who presses it gets nothing.
constexpr char kRefillKey[] = "^]";
constexpr char kRefillCode[] = "\x1d";
// What a terminal sends around pasted text once asked to.
constexpr char kPasteBegins[] = "\\e[200~";
constexpr char kPasteEnds[] = "\\e[201~";
// A terminal sends the bytes of one character together; one that never sends
// the rest (another encoding than UTF-8) gets its byte shown alone after this.
constexpr int kRestOfCharacterMilliseconds = 50;

struct EditLineEnd {
  void operator()(EditLine* editor) const { el_end(editor); }
};
struct HistoryEnd {
  void operator()(HistoryW* history) const { history_wend(history); }
};

// What the key functions and the key reader work on, reached through the
// editor's client data.
struct LineState {
  explicit LineState(SessionSignals& caught) : signals(caught) {}
  SessionSignals& signals;
  std::wstring refill;          // a rejected line to put back, if any
  int charactersAfterSpot = 0;  // how far the cursor goes back from its end
  bool pasting = false;         // between the terminal's paste brackets
  std::string bytes;            // read from the terminal, not yet given to the editor
  bool interrupted = false;     // Ctrl+C: the line is dropped
  int endingSignal = 0;         // a hang-up or termination ended the session
};

LineState& StateOf(EditLine* editor) {
  void* data = nullptr;
  el_get(editor, EL_CLIENTDATA, &data);
  return *static_cast<LineState*>(data);
}

char* PromptString(EditLine*) { return const_cast<char*>(kPromptString); }

unsigned char PutBackRejectedLine(EditLine* editor, int) {
  LineState& state = StateOf(editor);
  if (state.refill.empty()) return CC_NORM;
  el_winsertstr(editor, state.refill.c_str());
  el_cursor(editor, -state.charactersAfterSpot);
  state.refill.clear();
  return CC_REFRESH;
}

// Ctrl+C as a key, where the terminal sends it as one instead of interrupting:
// the line ends as with Enter, and is dropped like an interrupted one.
unsigned char DropLine(EditLine* editor, int) {
  StateOf(editor).interrupted = true;
  el_push(editor, "\r");
  return CC_NORM;
}

unsigned char BeginPaste(EditLine* editor, int) {
  StateOf(editor).pasting = true;
  return CC_NORM;
}

unsigned char EndPaste(EditLine* editor, int) {
  StateOf(editor).pasting = false;
  return CC_NORM;
}

// Asks the terminal to bracket what is pasted, so the session knows more is
// coming even before it has arrived; a terminal that cannot ignores the request.
class BracketedPaste {
public:
  BracketedPaste() : m_on(UsefulHere()) { Switch(true); }
  ~BracketedPaste() { Switch(false); }
  BracketedPaste(const BracketedPaste&) = delete;
  BracketedPaste& operator=(const BracketedPaste&) = delete;
  void Switch(bool on) const {
    if (!m_on) return;
    std::fputs(on ? "\x1b[?2004h" : "\x1b[?2004l", stdout);
    std::fflush(stdout);
  }

private:
  static bool UsefulHere() {
    const char* term = std::getenv("TERM");
    return term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
  }
  bool m_on;
};

// The terminal goes back to its own settings before a stop or a quit, and to the
// editor's when the program continues.
void StopOrQuit(EditLine* editor, LineState& state, int signal) {
  el_set(editor, EL_PREP_TERM, 0);
  std::fputs("\x1b[?2004l", stdout);
  std::fflush(stdout);
  state.signals.ActAsDefault(signal);
  std::fputs("\x1b[?2004h", stdout);
  el_set(editor, EL_PREP_TERM, 1);
  el_set(editor, EL_REFRESH);
}

// One byte more from the terminal into state.bytes: 1, or 0 at the end of the
// input or when `milliseconds` passed, or -1 on an error or when a signal ends
// the line. Signals are met here, while the editor waits.
int ReadByte(EditLine* editor, LineState& state, int milliseconds) {
  for (;;) {
    switch (const int signal = state.signals.Take()) {
      case 0: break;
      case SIGINT:
        state.interrupted = true;
        errno = EINTR;
        return -1;
      case SIGHUP:
      case SIGTERM:
        state.endingSignal = signal;
        errno = EINTR;
        return -1;
      case SIGTSTP:
      case SIGQUIT: StopOrQuit(editor, state, signal); continue;
      case SIGWINCH:
        el_resize(editor);
        el_set(editor, EL_REFRESH);
        continue;
      default:  // SIGCONT after a stop the session did not see coming
        el_set(editor, EL_PREP_TERM, 0);
        el_set(editor, EL_PREP_TERM, 1);
        el_set(editor, EL_REFRESH);
        continue;
    }
    const SessionSignals::Wait wait = state.signals.WaitForInput(kStandardInput, milliseconds);
    if (wait == SessionSignals::TimedOut) return 0;
    if (wait == SessionSignals::SignalCame) continue;
    char byte = 0;
    const long count = ReadSome(kStandardInput, &byte, 1);
    if (count == 1) {
      state.bytes += byte;
      return 1;
    }
    if (count == 0) return 0;
    if (errno != EAGAIN) return -1;
  }
}

// The editor's key reader: whole UTF-8 characters, and every byte that starts
// none as a character of its own (see TerminalText.h), whatever the locale.
int ReadKey(EditLine* editor, wchar_t* key) {
  LineState& state = StateOf(editor);
  if (state.bytes.empty()) {
    const int read = ReadByte(editor, state, -1);
    if (read <= 0) return read;
  }
  const auto lead = static_cast<unsigned char>(state.bytes[0]);
  const size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  while (state.bytes.size() < wanted && ReadByte(editor, state, kRestOfCharacterMilliseconds) == 1) {
  }
  if (state.interrupted || state.endingSignal != 0) return -1;
  const WideCharacter character = WideCharacterAt(state.bytes);
  state.bytes.erase(0, character.length);
  *key = character.code;
  return 1;
}

// More is waiting when the terminal holds unread input, the key reader holds
// bytes, or a paste has not ended.
bool InputWaiting(const LineState& state) {
  int waiting = 0;
  if (ioctl(kStandardInput, FIONREAD, &waiting) != 0) waiting = 0;
  return waiting > 0 || !state.bytes.empty() || state.pasting;
}

// "quit" or "exit" alone on a line ends the session, as in bc.
bool EndsSession(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  line = line.substr(first, line.find_last_not_of(" \t") + 1 - first);
  return line == "quit" || line == "exit";
}

int CharactersIn(std::string_view text) {
  int count = 0;
  for (size_t i = 0; i < text.size(); i += CharacterLength(text, i))
    ++count;
  return count;
}

// Reads and evaluates lines until the session ends; the signal that ended it, if any.
int EditLines(EvaluationRun& run) {
  SessionSignals signals;
  LineState state(signals);
  TerminalHistoryFile kept = TerminalHistoryFile::FromEnvironment();
  // The history outlives the editor that refers to it.
  const std::unique_ptr<HistoryW, HistoryEnd> history(history_winit());
  const std::unique_ptr<EditLine, EditLineEnd> editor(el_init("tallywise-eval", stdin, stdout, stderr));
  HistEventW event;
  history_w(history.get(), &event, H_SETSIZE, static_cast<int>(kTerminalHistoryLength));
  for (const std::string& line : kept.Load())
    history_w(history.get(), &event, H_ENTER, WideOf(line).c_str());
  el_wset(editor.get(), EL_CLIENTDATA, &state);
  el_wset(editor.get(), EL_GETCFN, ReadKey);
  el_set(editor.get(), EL_EDITOR, "emacs");
  el_set(editor.get(), EL_PROMPT, PromptString);
  el_wset(editor.get(), EL_HIST, history_w, history.get());
  // Named in wide characters: the narrow EL_ADDFN keeps converted copies of the
  // names that the editor never frees.
  el_wset(editor.get(), EL_ADDFN, L"tallywise-refill", L"Puts a rejected line back", PutBackRejectedLine);
  el_set(editor.get(), EL_BIND, kRefillKey, "tallywise-refill", nullptr);
  el_wset(editor.get(), EL_ADDFN, L"tallywise-drop-line", L"Drops the line being typed", DropLine);
  el_set(editor.get(), EL_BIND, "^C", "tallywise-drop-line", nullptr);
  el_wset(editor.get(), EL_ADDFN, L"tallywise-paste-begins", L"A paste begins", BeginPaste);
  el_set(editor.get(), EL_BIND, kPasteBegins, "tallywise-paste-begins", nullptr);
  el_wset(editor.get(), EL_ADDFN, L"tallywise-paste-ends", L"A paste ends", EndPaste);
  el_set(editor.get(), EL_BIND, kPasteEnds, "tallywise-paste-ends", nullptr);
  el_source(editor.get(), nullptr);
  const BracketedPaste paste;

  for (;;) {
    run.FlushAll();
    // Put back only when nothing else is on its way: pasted or typed-ahead
    // lines are each answered on their own.
    if (!state.refill.empty() && InputWaiting(state)) state.refill.clear();
    if (!state.refill.empty()) el_push(editor.get(), kRefillCode);
    state.interrupted = false;
    int count = 0;
    const wchar_t* typed = el_wgets(editor.get(), &count);
    if (state.interrupted) {
      // The line stays on the screen as typed and is not evaluated.
      if (typed == nullptr) std::fputs("\n", stdout);
      std::fflush(stdout);
      state.refill.clear();
      continue;
    }
    if (typed == nullptr || count <= 0) break;
    std::wstring_view wide(typed, static_cast<size_t>(count));
    if (wide.ends_with(L'\n')) wide.remove_suffix(1);
    const std::string line = BytesOf(wide);
    if (EndsSession(line)) break;
    if (!IsBlankLine(line)) {
      history_w(history.get(), &event, H_ENTER, std::wstring(wide).c_str());
      kept.Add(line);
    }
    if (!run.EvaluateLine(line, nullptr)) break;
    if (const auto spot = run.lastRejectedSpot()) {
      state.refill = wide;
      state.charactersAfterSpot = CharactersIn(std::string_view(line).substr(std::min(*spot, line.size())));
    }
  }
  // Ctrl+D leaves the cursor after the prompt; the shell's prompt starts afresh.
  std::fputs("\n", stdout);
  std::fflush(stdout);
  kept.Save();
  return state.endingSignal;
}

}  // namespace

bool CanEditLines() { return UseUtf8CharacterSet(); }

void RunTerminalSession(EvaluationRun& run) {
  // Ended by a hang-up or a termination, the program ends by it too, once the
  // history is written and the terminal has its own settings back.
  if (const int signal = EditLines(run)) {
    run.Finish();
    std::raise(signal);
  }
}

#else

bool CanEditLines() { return false; }

void RunTerminalSession(EvaluationRun&) {}

#endif
