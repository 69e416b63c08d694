// The expression text as typed, read once from the left as the units that the
// checker's rules and the evaluation need: numbers, operators, parentheses and
// unknown symbols, each with the index of its first character in the text as
// typed. The text is normalised as it is read: blanks are passed over, a comma is
// a decimal point, and a CR LF pair (even one that forms only once the pair inside
// it has gone, as in "\r\r\n\n") is passed over too, so that "1 , 5" is the number
// 1.5 typed at 0 and "2\r\n5" the number 25. The text is read where it lies; only a
// number written in pieces (with blanks, paired line breaks or a comma inside) is
// copied, alone, so that it can be read as one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "CharClasses.h"
#include "Millionths.h"

struct Unit {
  UnitKind kind;
  char symbol;    // the operator, the parenthesis or the unknown byte; for a number its first character
  size_t at;      // where it begins in the text as typed
  double value;   // a number's value as the evaluation reads it
  long long millionths;  // the value as a count of millionths, or kNotMillionths
  // Where a number has its second decimal separator, the first place it stops
  // being the number typed; kNowhere for most.
  size_t secondSeparatorAt;
};

inline constexpr size_t kNowhere = static_cast<size_t>(-1);

namespace typed_text_detail {
// The kind of a unit of one character.
constexpr UnitKind KindOf(char ch) {
  if (ch == '(') return kOpen;
  if (ch == ')') return kClose;
  for (const OperatorRow& row : kOperators)
    if (row.symbol == ch) return row.kind;
  return kUnknown;
}
constexpr std::array<UnitKind, 256> MakeKindOfByte() {
  std::array<UnitKind, 256> kinds{};
  for (size_t byte = 0; byte < kinds.size(); ++byte)
    kinds[byte] = KindOf(static_cast<char>(byte));
  return kinds;
}
inline constexpr std::array<UnitKind, 256> kKindOfByte = MakeKindOfByte();
// The same for the bytes of the usual units, with kNumber for digits and the
// point; every byte that needs a closer look (blanks, commas, line breaks,
// unknown bytes) is kUnknown here.
constexpr std::array<UnitKind, 256> MakePlainKindOfByte() {
  std::array<UnitKind, 256> kinds = MakeKindOfByte();
  for (char ch : {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '.'})
    kinds[static_cast<unsigned char>(ch)] = kNumber;
  return kinds;
}
inline constexpr std::array<UnitKind, 256> kPlainKindOfByte = MakePlainKindOfByte();
}  // namespace typed_text_detail

class TypedTextReader {
public:
  explicit TypedTextReader(std::string_view text) : m_text(text) {}

  TypedTextReader(std::string_view text, size_t from) : m_text(text), m_next(from) {}

  // The next unit; false at the end of the text.
  bool Next(Unit& unit) {
    if (ReadPlainUnit(m_text, m_next, unit)) return true;
    return NextApart(unit);
  }

  // Where the next unit is looked for.
  size_t position() const { return m_next; }

  // The usual unit at `i`, an operator, a parenthesis or a short number followed
  // by one of them or by the end, read in the loop of whoever asks; false, with
  // `i` left as it was, for the rest (blanks, commas, line breaks, unknown bytes,
  // long numbers, the end), which Next reads apart.
  static bool ReadPlainUnit(std::string_view text, size_t& i, Unit& unit) {
    if (i >= text.size()) return false;
    const char ch = text[i];
    const UnitKind kind = typed_text_detail::kPlainKindOfByte[static_cast<unsigned char>(ch)];
    if (kind != kUnknown && kind != kNumber) {
      unit = {kind, ch, i, 0.0, kNotMillionths, kNowhere};
      ++i;
      return true;
    }
    return kind == kNumber && ReadPlainNumber(text, i, unit);
  }

  // A number of at most 15 digits with at most one point, ended by an operator,
  // a parenthesis or the end of the text: with nothing that normalising would
  // join to it, the number typed is the number read. False, with `at` left as it
  // was, for any other.
  static bool ReadPlainNumber(std::string_view text, size_t& at, Unit& unit) {
    const size_t from = at;
    constexpr size_t kMostExactDigits = 15;
    uint64_t digits = 0;
    size_t i = from;
    auto readDigits = [&] {
      for (unsigned digit; i < text.size() && (digit = static_cast<unsigned char>(text[i]) - unsigned{'0'}) < 10; ++i)
        digits = digits * 10 + digit;
    };
    readDigits();
    const size_t integerDigits = i - from;
    size_t decimals = 0;
    if (i < text.size() && text[i] == '.') {
      const size_t point = i++;
      readDigits();
      decimals = i - point - 1;
    }
    const size_t digitCount = integerDigits + decimals;
    if (digitCount == 0 || digitCount > kMostExactDigits) return false;
    if (i < text.size()) {
      const UnitKind next = typed_text_detail::kPlainKindOfByte[static_cast<unsigned char>(text[i])];
      if (next == kUnknown || next == kNumber) return false;
    }
    // A count of millionths stands for its double (Operand::Value), so the
    // division is left for the numbers that are no count. With at most 15 digits
    // both the digits and the power of ten are exact doubles, so their quotient
    // is the correctly rounded value, the same one the count stands for.
    if (decimals <= 6 && digits <= kMostDigits[decimals])
      unit = {kNumber, text[from], from, 0.0, static_cast<long long>(digits * kWholePowersOfTen[6 - decimals]), kNowhere};
    else
      unit = {kNumber, text[from], from, static_cast<double>(digits) / kExactPowersOfTen[decimals], kNotMillionths,
              kNowhere};
    at = i;
    return true;
  }

private:
  [[gnu::noinline]] bool NextApart(Unit& unit) {
    const size_t i = SkipNormalizedAway(m_next);
    if (i == m_text.size()) return false;

    const char ch = m_text[i];
    unit.at = i;
    unit.symbol = ch;
    unit.secondSeparatorAt = kNowhere;
    if (IsNumberChar(ch) || ch == ',') {
      ReadNumberAt(i, unit);
      return true;
    }
    if (ch == '\r' || ch == '\n') {
      const LineBreaks breaks = ReadLineBreaks(i);
      unit.kind = kUnknown;
      unit.millionths = kNotMillionths;
      unit.at = breaks.firstKept;
      unit.symbol = m_text[breaks.firstKept];
      m_next = breaks.end;
      return true;
    }
    unit.kind = typed_text_detail::kKindOfByte[static_cast<unsigned char>(ch)];
    unit.millionths = kNotMillionths;
    m_next = i + 1;
    return true;
  }

  // The first index from `i` on that normalising keeps: past blanks and past line
  // breaks that go in pairs.
  size_t SkipNormalizedAway(size_t i) const {
    while (i < m_text.size() && (m_text[i] == ' ' || m_text[i] == '\r')) {
      if (m_text[i] == ' ') {
        ++i;
        continue;
      }
      const LineBreaks breaks = ReadLineBreaks(i);
      if (breaks.firstKept != kNowhere) break;
      i = breaks.end;
    }
    return i;
  }

  // A run of CRs, LFs and blanks. Each LF takes away the CR on top of those kept
  // before it; what stays of the run is an unknown symbol for the rules, named by
  // its first character that stays.
  struct LineBreaks {
    size_t end;        // just after the run
    size_t firstKept;  // kNowhere when every character of the run goes
  };
  LineBreaks ReadLineBreaks(size_t from) const;

  // A number: a plain one as the usual run reads it; the rest (blanks or line
  // breaks inside, commas, more digits than a double holds exactly, a second
  // separator) is rare and read apart.
  void ReadNumberAt(size_t from, Unit& unit) {
    size_t end = from;
    if (ReadPlainNumber(m_text, end, unit)) {
      m_next = end;
      return;
    }
    const LongNumber number = ReadLongNumber(from);
    unit.kind = kNumber;
    unit.value = number.value;
    unit.millionths = kNotMillionths;
    unit.secondSeparatorAt = number.secondSeparatorAt;
    m_next = number.end;
  }
  struct LongNumber {
    double value;
    size_t secondSeparatorAt;
    size_t end;
  };
  LongNumber ReadLongNumber(size_t from) const;

  // A number of `digits` with `decimals` decimals is a count of millionths of at
  // most kMostMillionths where decimals <= 6 and digits <= kMostDigits[decimals].
  static constexpr uint64_t kWholePowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  static constexpr uint64_t kMostDigits[] = {
      kMostMillionths / 1000000, kMostMillionths / 100000, kMostMillionths / 10000, kMostMillionths / 1000,
      kMostMillionths / 100,     kMostMillionths / 10,     kMostMillionths};

  static constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};


  std::string_view m_text;
  size_t m_next = 0;
};
