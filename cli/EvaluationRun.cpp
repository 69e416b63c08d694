#include "EvaluationRun.h"

#include <cstring>

#include "Calculation.h"
#include "ExactNote.h"
#include "LineReader.h"
#include "NumberText.h"
#include "Prompts.h"
#include "StandardStreams.h"
#include "VisibleText.h"

namespace {

// Stands in a rendered prompt where the character it names goes, which may be
// more than the one byte the checker names.
constexpr char kNamedHere = '\x1f';

// The unknown symbol at the mark, as the whole UTF-8 character when it is one.
bool NamesWholeCharacter(const CheckOutcome& outcome, std::string_view expression) {
  return outcome.prompt == Prompt::UnknownSymbol && outcome.mark &&
         static_cast<size_t>(outcome.mark->start) < expression.size();
}

// The words of a prompt as a terminal line shows them: the characters it names in
// visible form, and without the blanks that pad it in the result field, at
// either end (" Together '*-'" would stand two blanks after a place).
std::string PromptLine(const CheckOutcome& outcome, std::string_view expression) {
  if (!NamesWholeCharacter(outcome, expression)) {
    const std::string line = RenderPrompt(outcome, VisibleByte);
    const size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return line.substr(first, line.find_last_not_of(' ') + 1 - first);
  }
  std::string line = RenderPrompt(outcome, [](char) { return std::string(1, kNamedHere); });
  line.replace(line.find(kNamedHere), 1, VisibleCharacter(expression, static_cast<size_t>(outcome.mark->start)));
  return line;
}

// A selection of the one byte the checker names grows to the whole character.
CheckOutcome WithWholeCharacter(CheckOutcome outcome, std::string_view expression) {
  if (NamesWholeCharacter(outcome, expression)) {
    const size_t start = static_cast<size_t>(outcome.mark->start);
    outcome.mark->end = static_cast<std::ptrdiff_t>(start + CharacterLength(expression, start));
  }
  return outcome;
}

std::string PlacePrefix(const InputPlace& place, std::optional<size_t> at, std::string_view line) {
  if (place.argument != 0) return "tallywise-eval: argument " + std::to_string(place.argument) + ": ";
  std::string prefix = VisibleName(place.name);
  prefix += ':' + std::to_string(place.line) + ':';
  if (at) prefix += std::to_string(EditorColumn(line, *at)) + ':';
  prefix += ' ';
  return prefix;
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

void ReportSystemError(std::string_view what, int error) {
  std::string text = "tallywise-eval: ";
  text += what;
  text += ": ";
  text += std::strerror(error);
  text += kLineEnd;
  // Straight to the descriptor: the message channel may be what failed.
  WriteAll(kStandardError, text);
}

EvaluationRun::EvaluationRun(int decimals, bool aligned, bool exact)
    : m_format(MakeNumberFormat(decimals)),
      m_aligned(aligned),
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
  if (IsBlank(line)) {
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
    m_results.WriteLine(calculation.result);
    const int decimals = GetDecimalCount(m_format);
    if (m_noteExactValue && calculation.exact && ShowsOtherDigits(calculation.result, *calculation.exact, decimals))
      m_results.WriteLine(ExactNoteLine(*calculation.exact, decimals));
    if (m_faulted) Note(kSomeFaulted);
  }
  return !WriteFailed();
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
  std::string text = what;
  // A name comes from the user and may hold anything, escape sequences too.
  if (name != "<stdin>") text = VisibleName(name) + ": " + text;
  ReportError(text, error);
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
  const CheckOutcome outcome = WithWholeCharacter(check, expression);
  m_lastRejectedSpot = outcome.mark ? static_cast<size_t>(outcome.mark->start) : expression.size();
  const MarkedExpression marked = MarkExpression(expression, outcome.mark);
  BeginMessage();
  if (place) {
    std::optional<size_t> at;
    if (outcome.mark) at = static_cast<size_t>(outcome.mark->start);
    m_messages.Write(PlacePrefix(*place, at, expression));
  }
  m_messages.WriteLine(PromptLine(outcome, expression));
  m_messages.Write("  ");
  m_messages.WriteLine(marked.expression);
  if (outcome.mark) {
    m_messages.Write("  ");
    m_messages.WriteLine(marked.marker);
  }
  EndMessage();
}

// The one place a computing fault is shown: before the result it belongs to, in
// the order the passes reach them; the value went on with 0 for the part.
// Read from a file or a stream, it names the place of its operator.
void EvaluationRun::ShowFault(const FaultMet& fault, std::string_view expression, const InputPlace* place) {
  m_faulted = true;
  BeginMessage();
  if (place) m_messages.Write(PlacePrefix(*place, fault.position, expression));
  m_messages.WriteLine(ComputeFaultMessage(fault.kind));
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
