// The syntax checker: decides whether an expression is complete and well formed
// and, when it is not, which prompt the user gets and which spot of the expression
// field is marked. It judges the units of the text one after another, as the
// reader yields them, and keeps the first objection of each rule; the rules' order
// decides at the end which of them the user hears.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "TypedText.h"

// What the user is asked for; Prompts.h holds the texts.
enum class Prompt {
  EnterExpression,
  PasteNumber,
  PasteOperator,
  Together,       // names the two operators that stand together
  UnknownSymbol,  // names the character
  MissingOpen,
  MissingClose,
  MissingBoth,
};

// A selection in the text as typed: start == end is a caret before index start;
// (0, -1) selects the whole text, as the edit control takes it.
struct FieldSelection {
  std::ptrdiff_t start;
  std::ptrdiff_t end;
  bool operator==(const FieldSelection&) const = default;
};

// What the checker decided. Turning it into words is the job of RenderPrompt.
struct CheckOutcome {
  bool passed = true;
  Prompt prompt = Prompt::EnterExpression;  // meaningful only when !passed
  std::string named;                        // the characters Together and UnknownSymbol name, in order
  std::optional<FieldSelection> mark;       // none for the balance prompts
};

namespace check_rules_detail {
// The last unit as the pair rules see it: a parenthesis straight after a number
// is told apart, a parenthesis between numbers being its own rule.
enum CheckState : unsigned char {
  kAfterNumber,
  kAfterOpen,
  kAfterClose,
  kAfterSign,
  kAfterBinary,
  kAfterUnknown,
  kAfterOpenAfterNumber,
  kAfterCloseAfterNumber,
  kAtStart,
  kStates
};

constexpr CheckState NextState(CheckState state, UnitKind kind) {
  switch (kind) {
    case kNumber: return kAfterNumber;
    case kOpen: return state == kAfterNumber ? kAfterOpenAfterNumber : kAfterOpen;
    case kClose: return state == kAfterNumber ? kAfterCloseAfterNumber : kAfterClose;
    case kSign: return kAfterSign;
    case kBinary: return kAfterBinary;
    default: return kAfterUnknown;
  }
}

// Whether some rule objects to a unit of `kind` after `state`; which rule, and
// where, is worked out apart, since it is rare.
constexpr bool Objects(CheckState state, UnitKind kind) {
  if (kind == kUnknown) return true;
  const bool afterOpen = state == kAfterOpen || state == kAfterOpenAfterNumber;
  const bool afterClose = state == kAfterClose || state == kAfterCloseAfterNumber;
  switch (state) {
    case kAfterNumber: return kind == kOpen;
    case kAfterOpenAfterNumber: return kind == kNumber || kind == kClose || kind == kBinary;
    case kAfterSign:
    case kAfterBinary: return kind == kClose || kind == kSign || kind == kBinary;
    default: break;
  }
  if (afterOpen) return kind == kClose || kind == kBinary;
  if (afterClose) return kind == kOpen || kind == kNumber;
  return false;
}

using StateTable = std::array<std::array<CheckState, kUnitKinds>, kStates>;
using ObjectionTable = std::array<std::array<bool, kUnitKinds>, kStates>;
constexpr StateTable MakeNext() {
  StateTable next{};
  for (size_t s = 0; s < kStates; ++s)
    for (size_t k = 0; k < kUnitKinds; ++k)
      next[s][k] = NextState(static_cast<CheckState>(s), static_cast<UnitKind>(k));
  return next;
}
constexpr ObjectionTable MakeObjects() {
  ObjectionTable objects{};
  for (size_t s = 0; s < kStates; ++s)
    for (size_t k = 0; k < kUnitKinds; ++k)
      objects[s][k] = Objects(static_cast<CheckState>(s), static_cast<UnitKind>(k));
  return objects;
}
inline constexpr StateTable kNext = MakeNext();
inline constexpr ObjectionTable kObjects = MakeObjects();
}  // namespace check_rules_detail

class CheckRules {
public:
  using State = check_rules_detail::CheckState;

  void Take(const Unit& unit) {
    if (m_units++ == 0) m_first = {unit.kind, unit.symbol, unit.at};
    if (check_rules_detail::kObjects[m_state][unit.kind] || unit.secondSeparatorAt != kNowhere) [[unlikely]]
      Object(unit);
    m_open += unit.kind == kOpen;
    if (unit.kind == kClose) {
      if (m_open > 0)
        --m_open;
      else
        ++m_unmatchedClose;
    }
    m_state = check_rules_detail::kNext[m_state][unit.kind];
    m_last = {unit.kind, unit.symbol, unit.at};
  }

  // The verdict once the text has been read.
  CheckOutcome Verdict() const;

private:
  // The rules in the order in which they are asked; each keeps its first objection.
  enum Rule : unsigned char {
    kParenthesisBetweenNumbers,
    kCloseThenOpen,
    kPairsAndSymbols,  // a number before '(', operators together, an unknown symbol
    kNumberAfterClose,
    kSecondSeparator,
    kRules
  };


  struct Objection {
    Prompt prompt;
    FieldSelection mark;
    std::string named;
  };

  void Object(Unit unit);
  void Note(Rule rule, Prompt prompt, FieldSelection mark, std::string named = {});

  // What the rules remember of a unit once it has gone by.
  struct Seen {
    UnitKind kind;
    char symbol;
    size_t at;
  };

  State m_state = check_rules_detail::kAtStart;
  size_t m_units = 0;
  Seen m_first{};
  Seen m_last{};
  unsigned long long m_open = 0;
  unsigned long long m_unmatchedClose = 0;
  std::array<std::optional<Objection>, kRules> m_objections;
};
