// One run of the tool over its expressions: results to stdout, prompts and fault
// messages to stderr, in the order they arise even when both go to one place.
#pragma once

#include <string>
#include <string_view>

#include "Checker.h"
#include "Evaluator.h"
#include "ExitStatus.h"
#include "OutputChannel.h"

class EvaluationRun {
public:
  explicit EvaluationRun(int decimals);
  EvaluationRun(const EvaluationRun&) = delete;
  EvaluationRun& operator=(const EvaluationRun&) = delete;

  // False once nothing more can be written.
  bool Evaluate(std::string_view expression);

  // Every line of the input, until the end, a read error or a write error.
  void EvaluateLines(int fd);

  // Writes what is pending and gives the exit status.
  ExitStatus Finish();

private:
  void Note(ExitStatus status);
  void ShowPrompt(std::string_view expression, const CheckOutcome& check);
  void ShowFault(ComputeFault fault);
  void BeginMessage();
  void EndMessage();
  bool WriteFailed();
  void ReportError(const char* what, int error);

  std::string m_format;
  EvaluationStacks m_stacks;
  OutputChannel m_results;
  OutputChannel m_messages;
  bool m_sharedDestination;  // stdout and stderr end up in one place
  bool m_faulted = false;
  bool m_writeErrorReported = false;
  ExitStatus m_status = kAllAccepted;
};

// "tallywise-eval: <what>: <the system's reason>" on stderr, written at once.
void ReportSystemError(const char* what, int error);
