#include "Checker.h"

#include <array>

#include "CharClasses.h"

namespace two_path {

namespace {

CheckOutcome Reject(Prompt prompt, std::optional<FieldSelection> mark, std::string named = {}) {
  CheckOutcome outcome;
  outcome.passed = false;
  outcome.prompt = prompt;
  outcome.named = std::move(named);
  outcome.mark = mark;
  return outcome;
}

FieldSelection CaretBefore(int fieldIndex) { return {fieldIndex, fieldIndex}; }
FieldSelection CaretAfter(int fieldIndex) { return {fieldIndex + 1, fieldIndex + 1}; }

CheckOutcome PasteNumber(FieldSelection caret) { return Reject(Prompt::PasteNumber, caret); }
CheckOutcome PasteOperator(FieldSelection caret) { return Reject(Prompt::PasteOperator, caret); }

bool IsLeadingOperatorForbidden(char ch) { return ch == '*' || ch == '/' || ch == '^' || ch == '#' || ch == '%'; }

// Operator characters that may stand side by side: anything after ')', '(' after
// anything, and a sign after '('.
bool MayStandTogether(char first, char second) {
  return first == ')' || second == '(' || (first == '(' && (second == '-' || second == '+'));
}

// Pairs every '(' with a ')' after it, as far as they go, and names what is left.
std::optional<CheckOutcome> CheckBalance(std::string_view s) {
  long long open = 0;
  long long unmatchedClose = 0;
  for (char ch : s) {
    if (ch == '(')
      ++open;
    else if (ch == ')') {
      if (open > 0)
        --open;
      else
        ++unmatchedClose;
    }
  }
  if (open > 0 && unmatchedClose > 0) return Reject(Prompt::MissingBoth, std::nullopt);
  if (unmatchedClose > 0) return Reject(Prompt::MissingOpen, std::nullopt);
  if (open > 0) return Reject(Prompt::MissingClose, std::nullopt);
  return std::nullopt;
}

// Where the first number that holds two decimal points has its second one.
size_t FindSecondSeparator(std::string_view normalized) {
  bool pointInNumber = false;
  for (size_t k = 0; k < normalized.size(); ++k) {
    const char ch = normalized[k];
    if (ch == '.' && pointInNumber) return k;
    pointInNumber = ch == '.' || (pointInNumber && IsNumberChar(ch));
  }
  return std::string_view::npos;
}

// Where each character of the normalised text stands in the expression field:
// at its own index, unless normalising took characters out before it.
class FieldPositions {
public:
  explicit FieldPositions(std::string_view field, bool moved) : m_field(field), m_moved(moved) {}
  int operator[](size_t k) const { return m_moved ? FieldIndexOf(m_field, k) : static_cast<int>(k); }

private:
  std::string_view m_field;
  bool m_moved;
};

CheckOutcome CheckNormalized(std::string_view text, FieldPositions fieldIndex) {
  const size_t n = text.size();
  // Past the end stands the text's terminating zero, which is in no class.
  auto at = [&](size_t k) { return k < n ? text[k] : '\0'; };

  // Nothing to compute.
  if (n == 0 || (n == 1 && IsOperatorChar(text[0]))) return Reject(Prompt::EnterExpression, FieldSelection{0, -1});

  // Only a sign or a parenthesis may open the expression.
  if (IsLeadingOperatorForbidden(text[0])) return PasteNumber(CaretBefore(fieldIndex[0]));

  // Only a closing parenthesis may end it.
  if (IsOperatorChar(text[n - 1]) && text[n - 1] != ')') return PasteNumber(CaretAfter(fieldIndex[n - 1]));

  // A parenthesis standing between two numbers.
  for (size_t k = 1; k + 1 < n; ++k) {
    if (!IsNumberChar(text[k - 1]) || !IsNumberChar(text[k + 1])) continue;
    if (text[k] == '(') return PasteOperator(CaretBefore(fieldIndex[k]));
    if (text[k] == ')') return PasteOperator(CaretAfter(fieldIndex[k]));
  }

  // ")(" needs an operator between.
  if (const size_t p = text.find(")("); p != std::string_view::npos)
    return PasteOperator(CaretBefore(fieldIndex[p + 1]));

  for (size_t k = 0; k < n; ++k) {
    const char here = text[k];
    const char next = at(k + 1);
    if (IsNumberChar(here) && next == '(') return PasteOperator(CaretBefore(fieldIndex[k + 1]));
    if (IsOperatorChar(here) && IsOperatorChar(next) && !MayStandTogether(here, next))
      return Reject(Prompt::Together, FieldSelection{fieldIndex[k], fieldIndex[k + 1] + 1}, {here, next});
    if (!IsOperatorChar(here) && !IsNumberChar(here))
      return Reject(Prompt::UnknownSymbol, FieldSelection{fieldIndex[k], fieldIndex[k] + 1}, std::string(1, here));
  }

  if (auto unbalanced = CheckBalance(text)) return *unbalanced;

  // A number straight after a closing parenthesis that itself follows one, as in
  // ((2))3: the parenthesis rule above looks only at single parentheses between
  // numbers, and nothing would be there to combine the two operands.
  for (size_t k = 0; k + 1 < n; ++k) {
    if (text[k] == ')' && IsNumberChar(text[k + 1])) return PasteOperator(CaretAfter(fieldIndex[k]));
  }

  // A number with a second decimal separator, as in 1.2.3 or 1,234.5, would be
  // read only up to it: another number than the one typed. The caret goes before
  // that separator, where the operator it may stand for belongs.
  if (const size_t second = FindSecondSeparator(text); second != std::string_view::npos)
    return PasteOperator(CaretBefore(fieldIndex[second]));

  return CheckOutcome{};
}

// What PassesAtOnce sees in a character: the checker's rules only tell these
// apart. Start and End stand before the first character and after the last.
enum CharKind : unsigned char { kNumber, kOpen, kClose, kSign, kBinary, kOther, kStart, kEnd, kCharKinds };

constexpr CharKind KindOf(char ch) {
  switch (ch) {
    case '(': return kOpen;
    case ')': return kClose;
    case '+':
    case '-': return kSign;
    case '*':
    case '/':
    case '%':
    case '^':
    case '#': return kBinary;
    default: return IsNumberChar(ch) ? kNumber : kOther;
  }
}

constexpr std::array<CharKind, 256> MakeKindOfByte() {
  std::array<CharKind, 256> kinds{};
  for (size_t byte = 0; byte < kinds.size(); ++byte)
    kinds[byte] = KindOf(static_cast<char>(byte));
  return kinds;
}
constexpr std::array<CharKind, 256> kKindOfByte = MakeKindOfByte();

// Whether some rule of CheckNormalized objects to a character of kind `second`
// straight after one of kind `first`; every rule but the balance comes down to
// such a pair. A blank, comma or line break is an objection too: a text that
// holds one is normalised and judged rule by rule.
constexpr bool ObjectsToPair(CharKind first, CharKind second) {
  // An unknown symbol.
  if (first == kOther || second == kOther) return true;
  // Nothing at all; only a number, a sign or '(' may open the expression (a
  // ')' there can never be matched).
  if (first == kStart) return second == kBinary || second == kClose || second == kEnd;
  // Only a number or ')' may end it.
  if (second == kEnd) return first == kOpen || first == kSign || first == kBinary;
  // A number straight before '(', parentheses between numbers included.
  if (first == kNumber) return second == kOpen;
  // ")(" and a number straight after ')'.
  if (first == kClose) return second == kOpen || second == kNumber;
  // Operators standing together: only '(' and a sign after '(' may follow one.
  return (second == kClose || second == kSign || second == kBinary) && !(first == kOpen && second == kSign);
}

using ObjectionTable = std::array<std::array<bool, kCharKinds>, kCharKinds>;
constexpr ObjectionTable MakeObjections() {
  ObjectionTable objects{};
  for (size_t first = 0; first < kCharKinds; ++first) {
    for (size_t second = 0; second < kCharKinds; ++second)
      objects[first][second] = ObjectsToPair(static_cast<CharKind>(first), static_cast<CharKind>(second));
  }
  return objects;
}
constexpr ObjectionTable kObjections = MakeObjections();

}  // namespace

bool PassesAtOnce(std::string_view text) {
  CharKind previous = kStart;
  long long depth = 0;
  bool objected = false;
  bool pointInNumber = false;
  for (char ch : text) {
    const CharKind kind = kKindOfByte[static_cast<unsigned char>(ch)];
    objected |= kObjections[previous][kind];
    depth += (kind == kOpen) - (kind == kClose);
    objected |= depth < 0;
    const bool point = ch == '.';
    objected |= point & pointInNumber;
    pointInNumber = (pointInNumber | point) & (kind == kNumber);
    previous = kind;
  }
  return !objected && !kObjections[previous][kEnd] && depth == 0;
}

CheckOutcome CheckEachRule(std::string_view field) {
  // Blanks, and both characters of each CR LF pair, are gone from the text and
  // from its field positions alike, so a mark always lands on the character it names.
  if (!NeedsNormalizing(field)) return CheckNormalized(field, FieldPositions(field, false));
  return CheckNormalized(NormalizedCopy(field), FieldPositions(field, true));
}

CheckOutcome CheckExpressionText(std::string_view field) {
  // Most texts are complete and have nothing to normalise: one pass says so. Only
  // the others need the rules one by one, to find the first fault.
  if (PassesAtOnce(field)) return CheckOutcome{};
  return CheckEachRule(field);
}

}  // namespace two_path
