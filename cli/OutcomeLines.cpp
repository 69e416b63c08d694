#include "OutcomeLines.h"

#include <algorithm>

#include "ParenthesisSpot.h"
#include "Prompts.h"
#include "VisibleText.h"

namespace {

constexpr size_t kEchoColumns = 80;
// Where the window starts when the mark lies further right: this much of what
// leads up to the mark stays in view.
constexpr size_t kColumnsBeforeMark = 30;
constexpr std::string_view kCut = "...";

// Where a character starts at or after `at`: a window never opens inside a
// UTF-8 sequence.
size_t CharacterStartFrom(std::string_view text, size_t at) {
  for (size_t back = 1; back <= 3 && back <= at; ++back) {
    const size_t start = at - back;
    if (CharacterLength(text, start) > back) return start + CharacterLength(text, start);
  }
  return at;
}

size_t ColumnsBetween(std::string_view text, size_t from, size_t to) {
  size_t columns = 0;
  for (size_t i = from; i < to; i += CharacterLength(text, i))
    columns += ShowCharacter(text, i, columns).columns;
  return columns;
}

bool FitsInEcho(std::string_view text) {
  size_t columns = 0;
  for (size_t i = 0; i < text.size() && columns <= kEchoColumns; i += CharacterLength(text, i))
    columns += ShowCharacter(text, i, columns).columns;
  return columns <= kEchoColumns;
}

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

}  // namespace

ShownRejection RejectionLines(std::string_view expression, const CheckOutcome& check, const InputPlace* place) {
  const CheckOutcome outcome = WithParenthesisSpot(WithWholeCharacter(check, expression), expression);
  std::optional<size_t> at;
  if (outcome.mark) at = static_cast<size_t>(outcome.mark->start);
  ShownRejection shown{{}, at.value_or(expression.size())};
  const MarkedExpression marked = MarkExpression(expression, outcome.mark);
  shown.lines.push_back((place ? PlacePrefix(*place, at, expression) : std::string()) + PromptLine(outcome, expression));
  shown.lines.push_back("  " + marked.expression);
  if (outcome.mark) shown.lines.push_back("  " + marked.marker);
  return shown;
}

// The value went on with 0 for the part; read from a file or a stream, the
// fault names the place of its operator.
std::string FaultLine(const FaultMet& fault, std::string_view expression, const InputPlace* place) {
  return (place ? PlacePrefix(*place, fault.position, expression) : std::string()) + ComputeFaultMessage(fault.kind);
}

MarkedExpression MarkExpression(std::string_view expression, const std::optional<FieldSelection>& mark) {
  const size_t length = expression.size();
  // (0, -1) is the whole text; a caret may stand just after the last character.
  const size_t start = mark ? std::min(static_cast<size_t>(mark->start), length + 1) : length + 1;
  const size_t end = mark && mark->end >= 0 ? static_cast<size_t>(mark->end) : length;

  // The window opens a little before the mark; it is found by looking back over
  // a bounded stretch only, so a long line costs no more than a short one.
  const bool fits = FitsInEcho(expression);
  size_t from = 0;
  if (start <= length && !fits) {
    from = CharacterStartFrom(expression, start - std::min(start, kColumnsBeforeMark));
    while (from < start && ColumnsBetween(expression, from, start) > kColumnsBeforeMark)
      from += CharacterLength(expression, from);
  }
  MarkedExpression marked;
  if (from > 0) {
    marked.expression = kCut;
    marked.marker = std::string(kCut.size(), ' ');
  }
  size_t columns = marked.expression.size();
  size_t i = from;
  for (; i <= length; i += i < length ? CharacterLength(expression, i) : 1) {
    const Shown shown = i < length ? ShowCharacter(expression, i, columns) : Shown{" ", 1};
    const bool moreAfter = i < length && i + CharacterLength(expression, i) < length && !fits;
    if (moreAfter && columns + shown.columns > kEchoColumns - kCut.size()) break;
    if (i < length) marked.expression += shown.text;
    columns += shown.columns;
    if (!mark) continue;
    const bool selected = i >= start && i < end;
    marked.marker += i == start ? '^' : selected ? '~' : ' ';
    marked.marker.append(shown.columns - 1, selected ? '~' : ' ');
  }
  if (i < length) marked.expression += kCut;
  while (!marked.marker.empty() && marked.marker.back() == ' ')
    marked.marker.pop_back();
  return marked;
}
