// What a terminal shows of one expression's outcome, line by line: where the
// expression came from, the prompt or the fault's message, and under a prompt
// the expression with the checker's mark. The run writes these lines; nothing
// here writes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Checker.h"
#include "Evaluator.h"

// Where an expression comes from, named before its prompts and fault messages
// as GNU tools name it: a line of an input as "NAME:LINE:COLUMN: ", an
// argument as "tallywise-eval: argument N: ".
struct InputPlace {
  std::string_view name;
  long long line;
  size_t argument = 0;  // counted from 1; 0 for a line of an input
};

// A rejected expression as the terminal shows it: the prompt, after the place
// when there is one, then the expression and, when the checker marked a spot,
// the marker line under it. `spot` is the byte the cursor goes to when the line
// is offered again for editing.
struct ShownRejection {
  std::vector<std::string> lines;  // without their line ends
  size_t spot;
};
ShownRejection RejectionLines(std::string_view expression, const CheckOutcome& check, const InputPlace* place);

// A computing fault as the terminal shows it, after the place of its operator
// when there is one.
std::string FaultLine(const FaultMet& fault, std::string_view expression, const InputPlace* place);

// The expression in visible form and, under it, a line that marks the selection
// (^ under its first character, ~ under the rest of it), each character's mark as
// wide as its visible form so the two lines stay aligned. A tab shows as blanks up
// to the next tab stop, so the echo's columns are the ones EditorColumn counts.
// Without a mark the second line is empty. A line wider than about 80 columns is shown as a window
// around the mark's start, "..." standing for what is cut off, so one prompt costs
// a few hundred bytes whatever the length of the line.
struct MarkedExpression {
  std::string expression;
  std::string marker;
};
MarkedExpression MarkExpression(std::string_view expression, const std::optional<FieldSelection>& mark);
