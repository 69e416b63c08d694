#include "EvaluationRun.h"

#include <utility>

#include "Calculation.h"
#include "DigitGrouping.h"
#include "ErrorReport.h"
#include "ExactNote.h"
#include "LineReader.h"
#include "NumberWriting.h"
#include "StandardStreams.h"
#include "VisibleText.h"

bool IsBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

EvaluationRun::EvaluationRun(int decimals, bool aligned, bool exact, std::optional<NumberLook> look)
    : m_format(MakeNumberFormat(decimals)),
      m_aligned(aligned),
      m_look(std::move(look)),
      m_arithmetic(exact ? Arithmetic::kExact : Arithmetic::kClassic),
      // Only a person reads the note: a program reading the results gets them as
      // before, one line each.
      m_noteExactValue(!exact && !aligned && IsTerminal(kStandardOutput)),
      m_results(kStandardOutput, IsTerminal(kStandardOutput)),
      m_messages(kStandardError, IsTerminal(kStandardError)),
      m_sharedDestination(SameDestination(kStandardOutput, kStandardError)) {}

bool EvaluationRun::Evaluate(std::string_view expression, size_t argument) {
  const InputPlace place{{}, 0, argument};
  return Compute(expression, &place);
}

bool EvaluationRun::EvaluateLine(std::string_view line, const InputPlace* place) {
  if (IsBlankLine(line)) {
    m_lastRejectedSpot.reset();
    if (m_aligned) m_results.EndLine();
    return !WriteFailed();
  }
  return Compute(line, place);
}

bool EvaluationRun::Compute(std::string_view expression, const InputPlace* place) {
  m_faulted = false;
  m_lastRejectedSpot.reset();
  const Calculation calculation = Calculate(expression, m_format, m_stacks, m_arithmetic, m_noteExactValue);
  if (!calculation.check.passed) {
    ShowPrompt(expression, calculation.check, place);
    Note(kSomeRejected);
    if (m_aligned) m_results.EndLine();
  } else {
    for (const FaultMet& fault : calculation.faults)
      ShowFault(fault, expression, place);
    m_results.WriteLine(m_look ? GroupDigits(calculation.result, m_look->groups, m_look->separator,
                                             m_look->decimalMark)
                               : calculation.result);
    if (m_noteExactValue && calculation.exact) NoteExactValue(calculation);
    if (m_faulted) Note(kSomeFaulted);
  }
  return !WriteFailed();
}

// A person at a terminal learns when exact arithmetic would show other digits.
void EvaluationRun::NoteExactValue(const Calculation& calculation) {
  const int decimals = GetDecimalCount(m_format);
  if (ShowsOtherDigits(calculation.result, *calculation.exact, decimals))
    m_results.WriteLine(ExactNoteLine(*calculation.exact, decimals));
}

bool EvaluationRun::EvaluateLines(int fd, std::string_view name) {
  LineReader input(fd, [this] { FlushAll(); });
  std::string_view line;
  while (input.Next(line)) {
    const InputPlace place{name, input.lineNumber()};
    if (!EvaluateLine(line, &place)) return false;
  }
  if (input.error() != 0) ReportInputError(name, "read error", input.error());
  return !WriteFailed();
}

void EvaluationRun::FlushAll() {
  m_results.Flush();
  m_messages.Flush();
}

void EvaluationRun::ReportInputError(std::string_view name, const char* what, int error) {
  Note(kInputOutputError);
  // A name comes from the user and may hold anything, escape sequences too.
  ReportError(VisibleName(name) + ": " + what, error);
}

ExitStatus EvaluationRun::Finish() {
  FlushAll();
  WriteFailed();
  return m_status;
}

void EvaluationRun::Note(ExitStatus status) {
  if (status > m_status) m_status = status;
}

void EvaluationRun::ShowPrompt(std::string_view expression, const CheckOutcome& check, const InputPlace* place) {
  const ShownRejection shown = RejectionLines(expression, check, place);
  m_lastRejectedSpot = shown.spot;
  BeginMessage();
  for (const std::string& line : shown.lines)
    m_messages.WriteLine(line);
  EndMessage();
}

// The one place a computing fault is shown: before the result it belongs to, in
// the order the passes reach them.
void EvaluationRun::ShowFault(const FaultMet& fault, std::string_view expression, const InputPlace* place) {
  m_faulted = true;
  BeginMessage();
  m_messages.WriteLine(FaultLine(fault, expression, place));
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
void EvaluationRun::ReportError(const std::string& what, int error) {
  BeginMessage();
  m_messages.Flush();
  ReportSystemError(what, error);
}
