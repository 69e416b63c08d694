#include "EvaluationRun.h"

#include <cstring>

#include "Calculation.h"
#include "LineReader.h"
#include "NumberText.h"
#include "Prompts.h"
#include "StandardStreams.h"
#include "VisibleText.h"

namespace {

// The words of a prompt as a terminal line shows them: the characters it names in
// visible form, and without the blanks that pad it in the result field.
std::string PromptLine(const CheckOutcome& outcome) {
  std::string line = RenderPrompt(outcome, VisibleByte);
  while (!line.empty() && line.back() == ' ')
    line.pop_back();
  return line;
}

}  // namespace

void ReportSystemError(const char* what, int error) {
  std::string text = "tallywise-eval: ";
  text += what;
  text += ": ";
  text += std::strerror(error);
  text += kLineEnd;
  // Straight to the descriptor: the message channel may be what failed.
  WriteAll(kStandardError, text);
}

EvaluationRun::EvaluationRun(int decimals)
    : m_format(MakeNumberFormat(decimals)),
      m_results(kStandardOutput, IsTerminal(kStandardOutput)),
      m_messages(kStandardError, IsTerminal(kStandardError)),
      m_sharedDestination(SameDestination(kStandardOutput, kStandardError)) {}

bool EvaluationRun::Evaluate(std::string_view expression) {
  m_faulted = false;
  const Calculation calculation = Calculate(expression, m_format, m_stacks);
  if (!calculation.check.passed) {
    ShowPrompt(expression, calculation.check);
    Note(kSomeRejected);
  } else {
    for (const FaultMet& fault : calculation.faults)
      ShowFault(fault.kind);
    m_results.WriteLine(calculation.result);
    if (m_faulted) Note(kSomeFaulted);
  }
  return !WriteFailed();
}

void EvaluationRun::EvaluateLines(int fd) {
  LineReader input(fd);
  std::string_view line;
  while (input.Next(line)) {
    if (!Evaluate(line)) return;
  }
  if (input.error() != 0) {
    Note(kInputOutputError);
    ReportError("read error", input.error());
  }
}

ExitStatus EvaluationRun::Finish() {
  m_results.Flush();
  m_messages.Flush();
  WriteFailed();
  return m_status;
}

void EvaluationRun::Note(ExitStatus status) {
  if (status > m_status) m_status = status;
}

void EvaluationRun::ShowPrompt(std::string_view expression, const CheckOutcome& check) {
  const MarkedExpression marked = MarkExpression(expression, check.mark);
  BeginMessage();
  m_messages.WriteLine(PromptLine(check));
  m_messages.Write("  ");
  m_messages.WriteLine(marked.expression);
  if (check.mark) {
    m_messages.Write("  ");
    m_messages.WriteLine(marked.marker);
  }
  EndMessage();
}

// Shown before the result it belongs to, in the order the passes reach them; the
// value went on with 0 for the part.
void EvaluationRun::ShowFault(ComputeFault fault) {
  m_faulted = true;
  BeginMessage();
  m_messages.WriteLine(ComputeFaultMessage(fault));
  EndMessage();
}

// Where both streams end up in one place, the results written so far go out
// before a message and the message at once, so a reader sees them in the order
// they arose. Otherwise each stream goes out in blocks of its own (a terminal
// gets every line as it comes anyway).
void EvaluationRun::BeginMessage() {
  if (m_sharedDestination) m_results.Flush();
}

void EvaluationRun::EndMessage() {
  if (m_sharedDestination) m_messages.Flush();
}

// Reports the first failed write, once, and says whether there was one.
bool EvaluationRun::WriteFailed() {
  if (m_writeErrorReported) return true;
  const int error = m_results.error() != 0 ? m_results.error() : m_messages.error();
  if (error == 0) return false;
  m_writeErrorReported = true;
  Note(kInputOutputError);
  ReportError("write error", error);
  return true;
}

// After everything written before it, as far as that can still be written.
void EvaluationRun::ReportError(const char* what, int error) {
  BeginMessage();
  m_messages.Flush();
  ReportSystemError(what, error);
}
