// The syntax checker: decides whether an expression is complete and well formed
// and, when it is not, which prompt the user gets and which spot of the expression
// field is marked. The one pass (Calculation.cpp) judges the units of the text one
// after another with the tables here, and keeps the first objection of each rule;
// the rules' order decides at the end which of them the user hears.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
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

// What the rules remember of a unit once it has gone by.
struct SeenUnit {
  UnitKind kind;
  char symbol;
  size_t at;
};

// The first objection of each rule, noted as the units go by.
class Objections {
public:
  // The rules in the order in which they are asked.
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

  // Notes what the rules say to `unit` coming after `last`, which left them in
  // `state`: asked only where kObjects says some rule objects, or where the
  // number has a second separator.
  void Object(check_rules_detail::CheckState state, SeenUnit last, Unit unit);

  // The rule's first objection; none for most texts.
  const Objection* operator[](Rule rule) const {
    return m_objections && (*m_objections)[rule] ? &*(*m_objections)[rule] : nullptr;
  }

private:
  void Note(Rule rule, Prompt prompt, FieldSelection mark, std::string named = {});

  // Made at the first objection: a text that passes, the usual one, costs nothing here.
  std::unique_ptr<std::array<std::optional<Objection>, kRules>> m_objections;
};

// What the rules hold once the whole text has gone by.
struct RulesAtEnd {
  size_t units = 0;
  SeenUnit first{};
  SeenUnit last{};
  unsigned long long open = 0;            // '(' not yet paired
  unsigned long long unmatchedClose = 0;  // ')' with no '(' before it
};

// The verdict once the text has been read: the first objection in the rules' order.
CheckOutcome Verdict(const RulesAtEnd& rules, const Objections& objections);
