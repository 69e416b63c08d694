#include "TerminalSession.h"

#ifdef TALLYWISE_HAVE_LIBEDIT

#include <histedit.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <memory>
#include <string>

#include "StandardStreams.h"
#include "VisibleText.h"

namespace {

constexpr const char* kPromptString = "> ";
constexpr int kHistorySize = 1000;
// The key the session presses itself to have a rejected line put back; a user
// who presses it gets nothing.
constexpr char kRefillKey[] = "^]";
constexpr char kRefillCode[] = "\x1d";

struct EditLineEnd {
  void operator()(EditLine* editor) const { el_end(editor); }
};
struct HistoryEnd {
  void operator()(History* history) const { history_end(history); }
};

// What the key functions work on, reached through the editor's client data.
struct LineState {
  std::string refill;           // a rejected line to put back, if any
  int charactersAfterSpot = 0;  // how far the cursor goes back from its end
  bool dropped = false;         // Ctrl+C: the line is not evaluated
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
  el_insertstr(editor, state.refill.c_str());
  el_cursor(editor, -state.charactersAfterSpot);
  state.refill.clear();
  return CC_REFRESH;
}

// The line stays on the screen as typed and ends as with Enter, which moves to
// the next line; it is only not evaluated.
unsigned char DropLine(EditLine* editor, int) {
  StateOf(editor).dropped = true;
  el_push(editor, "\r");
  return CC_NORM;
}

int CharactersIn(std::string_view text) {
  int count = 0;
  for (size_t i = 0; i < text.size(); i += CharacterLength(text, i))
    ++count;
  return count;
}

}  // namespace

bool CanEditLines() { return true; }

void RunTerminalSession(EvaluationRun& run) {
  // The editor reads characters of the terminal's encoding; numbers are read
  // and written by the engine alone, which no locale touches.
  std::setlocale(LC_CTYPE, "");
  LineState state;
  const std::unique_ptr<EditLine, EditLineEnd> editor(el_init("tallywise-eval", stdin, stdout, stderr));
  const std::unique_ptr<History, HistoryEnd> session(history_init());
  HistEvent event;
  history(session.get(), &event, H_SETSIZE, kHistorySize);
  el_set(editor.get(), EL_CLIENTDATA, &state);
  el_set(editor.get(), EL_EDITOR, "emacs");
  el_set(editor.get(), EL_SIGNAL, 1);
  el_set(editor.get(), EL_PROMPT, PromptString);
  el_set(editor.get(), EL_HIST, history, session.get());
  // Ctrl+C reaches the editor as a key while a line is edited, and drops it.
  const char* setty[] = {"setty", "-d", "-isig", nullptr};
  el_parse(editor.get(), 3, setty);
  el_set(editor.get(), EL_ADDFN, "tallywise-drop-line", "Drops the line being typed", DropLine);
  el_set(editor.get(), EL_BIND, "^C", "tallywise-drop-line", nullptr);
  el_set(editor.get(), EL_ADDFN, "tallywise-refill", "Puts a rejected line back", PutBackRejectedLine);
  el_set(editor.get(), EL_BIND, kRefillKey, "tallywise-refill", nullptr);
  el_source(editor.get(), nullptr);

  for (;;) {
    run.FlushAll();
    state.dropped = false;
    if (!state.refill.empty()) el_push(editor.get(), kRefillCode);
    int count = 0;
    const char* typed = el_gets(editor.get(), &count);
    if (typed == nullptr || count <= 0) break;
    std::string_view line(typed, static_cast<size_t>(count));
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (state.dropped) {
      state.refill.clear();
      continue;
    }
    const std::string kept(line);
    if (kept.find_first_not_of(" \t") != std::string::npos) history(session.get(), &event, H_ENTER, kept.c_str());
    if (!run.EvaluateLine(kept, nullptr)) break;
    if (const auto spot = run.lastRejectedSpot()) {
      state.refill = kept;
      state.charactersAfterSpot = CharactersIn(std::string_view(kept).substr(std::min(*spot, kept.size())));
    }
  }
  // Ctrl+D leaves the cursor after the prompt; the shell's prompt starts afresh.
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

#else

bool CanEditLines() { return false; }

void RunTerminalSession(EvaluationRun&) {}

#endif
