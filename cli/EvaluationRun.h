// One run of the tool over its expressions: results to stdout, prompts and fault
// messages to stderr, in the order they arise even when both go to one place.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Calculation.h"
#include "Checker.h"
#include "Evaluator.h"
#include "ExitStatus.h"
#include "LocaleNumbers.h"
#include "OutcomeLines.h"
#include "OutputChannel.h"

// A line of nothing but blanks and tabs, which the run passes over.
bool IsBlankLine(std::string_view line);

class EvaluationRun {
public:
  // `aligned`: every expression and every input line gives one line on stdout,
  // an empty one where there is no result.
  // `exact`: results in exact arithmetic. Otherwise a result shown at a terminal
  // is followed by a note with the exact value where that has other digits.
  // `look`: results written grouped for reading, as the locale writes numbers.
  EvaluationRun(int decimals, bool aligned, bool exact = false, std::optional<NumberLook> look = std::nullopt);
  EvaluationRun(const EvaluationRun&) = delete;
  EvaluationRun& operator=(const EvaluationRun&) = delete;

  // An expression given as argument number `argument`. False once nothing more
  // can be written.
  bool Evaluate(std::string_view expression, size_t argument);

  // A line of an input; a blank one is passed over. `place` is null for a line
  // typed at the terminal, which the prompt need not locate.
  bool EvaluateLine(std::string_view line, const InputPlace* place);

  // Every line of the input, until its end, a read error or a write error. False
  // after a write error.
  bool EvaluateLines(int fd, std::string_view name);

  // Where the cursor goes when the last line given is offered again for editing:
  // the byte the checker marked; nothing when the line was accepted.
  std::optional<size_t> lastRejectedSpot() const { return m_lastRejectedSpot; }

  // What is pending goes out now, as before a read that may wait.
  void FlushAll();

  // The input or a file could not be read: reported, and the run goes on.
  void ReportInputError(std::string_view name, const char* what, int error);

  // Writes what is pending and gives the exit status.
  ExitStatus Finish();

private:
  bool Compute(std::string_view expression, const InputPlace* place);
  void NoteExactValue(const Calculation& calculation);
  void Note(ExitStatus status);
  void ShowPrompt(std::string_view expression, const CheckOutcome& check, const InputPlace* place);
  void ShowFault(const FaultMet& fault, std::string_view expression, const InputPlace* place);
  void BeginMessage();
  void EndMessage();
  bool WriteFailed();
  void ReportError(const std::string& what, int error);

  std::string m_format;
  bool m_aligned;
  std::optional<NumberLook> m_look;
  Arithmetic m_arithmetic;
  bool m_noteExactValue;
  EvaluationStacks m_stacks;
  OutputChannel m_results;
  OutputChannel m_messages;
  bool m_sharedDestination;  // stdout and stderr end up in one place
  bool m_faulted = false;
  bool m_writeErrorReported = false;
  std::optional<size_t> m_lastRejectedSpot;
  ExitStatus m_status = kAllAccepted;
};
