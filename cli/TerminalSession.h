// Expressions typed at a terminal, with a prompt string, line editing and a
// history of the session. A rejected line comes back for editing, the cursor on
// the spot the checker marked.
#pragma once

#include "EvaluationRun.h"

// Whether lines can be edited at the terminal: in a build with the line editor,
// with a UTF-8 character set for it to show every character, switched to (C.UTF-8)
// when the environment names another. Without one, lines are read plainly.
bool CanEditLines();

// Reads and evaluates lines until Ctrl+D, "quit" or "exit", or the end of the
// input; Ctrl+C drops the line being typed. The history is read from its file
// at the start and written at the end (TerminalHistoryFile.h).
void RunTerminalSession(EvaluationRun& run);
