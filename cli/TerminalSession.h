// Expressions typed at a terminal, with a prompt string, line editing and a
// history of the session. A rejected line comes back for editing, the cursor on
// the spot the checker marked.
#pragma once

#include "EvaluationRun.h"

// Whether this build can edit lines at a terminal.
bool CanEditLines();

// Reads and evaluates lines until Ctrl+D or the end of the input; Ctrl+C drops
// the line being typed.
void RunTerminalSession(EvaluationRun& run);
