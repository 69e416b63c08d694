#include "PastedText.h"

#include <algorithm>
#include <array>

namespace {

constexpr char32_t kSuperscriptMinus = U'\u207B';
// A surrogate without its partner: a character of no code page.
constexpr char32_t kUnpaired = 0xFFFFFFFF;

// The zero of every run of ten decimal digits (general category Nd) that
// Unicode 15 has; each run holds 0 to 9 in order.
constexpr std::array<char32_t, 68> kDigitZeros = {
    0x30,    0x660,   0x6F0,   0x7C0,   0x966,   0x9E6,   0xA66,   0xAE6,   0xB66,   0xBE6,   0xC66,   0xCE6,
    0xD66,   0xDE6,   0xE50,   0xED0,   0xF20,   0x1040,  0x1090,  0x17E0,  0x1810,  0x1946,  0x19D0,  0x1A80,
    0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,  0xA8D0,  0xA900,  0xA9D0,  0xA9F0,  0xAA50,  0xABF0,
    0xFF10,  0x104A0, 0x10D30, 0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0,
    0x11730, 0x118E0, 0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x11F50, 0x16A60, 0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8,
    0x1D7E2, 0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E4F0, 0x1E950, 0x1FBF0,
};

std::optional<char> DecimalDigit(char32_t c) {
  const auto after = std::upper_bound(kDigitZeros.begin(), kDigitZeros.end(), c);
  if (after == kDigitZeros.begin() || c - after[-1] > 9) return std::nullopt;
  return static_cast<char>('0' + (c - after[-1]));
}

// Characters that show nothing: text from the web and from word processors
// carries them where the user saw only digits and operators.
bool IsInvisibleFormat(char32_t c) {
  switch (c) {
    case U'\uFEFF':  // byte-order mark, zero-width no-break space
    case U'\u200B':  // zero-width space
    case U'\u200C':  // zero-width non-joiner
    case U'\u200D':  // zero-width joiner
    case U'\u200E':  // left-to-right mark
    case U'\u200F':  // right-to-left mark
    case U'\u061C':  // Arabic letter mark
    case U'\u2060':  // word joiner
    case U'\u00AD':  // soft hyphen
      return true;
  }
  return (c >= U'\u202A' && c <= U'\u202E') || (c >= U'\u2066' && c <= U'\u2069');  // embeddings and isolates
}

bool IsLineBreak(char32_t c) {
  return c == U'\r' || c == U'\n' || c == U'\v' || c == U'\f' || c == U'\u0085' || c == U'\u2028' || c == U'\u2029';
}
bool IsBreak(char32_t c) { return IsLineBreak(c) || c == U'\t'; }

std::optional<char> AsciiStandIn(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  if (const auto digit = DecimalDigit(c)) return digit;
  switch (c) {
    case U'\u00A0':  // no-break space
    case U'\u202F':  // narrow no-break space
    case U'\u2009':  // thin space
      return ' ';
    case U'\uFF0B': return '+';
    case U'\uFF0D': return '-';
    case U'\u2212': return '-';  // minus sign
    case U'\u2013': return '-';  // en dash, as word processors write a minus
    case U'\uFF0A': return '*';
    case U'\u00D7': return '*';  // multiplication sign
    case U'\uFF0F': return '/';
    case U'\u00F7': return '/';  // division sign
    case U'\uFF08': return '(';
    case U'\uFF09': return ')';
  }
  return std::nullopt;
}

bool IsBlank(char32_t c) { return c == U' ' || (c >= 0x80 && AsciiStandIn(c) == ' '); }

std::optional<char> SuperscriptDigit(char32_t c) {
  switch (c) {
    case U'\u2070': return '0';
    case U'\u00B9': return '1';
    case U'\u00B2': return '2';
    case U'\u00B3': return '3';
  }
  if (c >= U'\u2074' && c <= U'\u2079') return static_cast<char>('0' + (c - U'\u2070'));
  return std::nullopt;
}

// The code points of UTF-16 text without the invisible ones; a surrogate
// without its partner is one character that no code page holds.
std::u32string VisibleCodePoints(std::u16string_view text) {
  std::u32string chars;
  chars.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t c = text[pos++];
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c > 0xDBFF || pos == text.size() || text[pos] < 0xDC00 || text[pos] > 0xDFFF)
        c = kUnpaired;
      else
        c = 0x10000 + ((c - 0xD800) << 10) + (text[pos++] - 0xDC00);
    }
    if (!IsInvisibleFormat(c)) chars += c;
  }
  return chars;
}

bool EndsOperand(char c) { return (c >= '0' && c <= '9') || c == ')'; }
bool IsNumberCharacter(char c) { return (c >= '0' && c <= '9') || c == '.' || c == ','; }

class Translation {
public:
  Translation(std::u32string chars, const CodePageCharacter& inCodePage, const FieldAround& around)
      : m_chars(std::move(chars)), m_inCodePage(inCodePage), m_around(around) {
    m_field.reserve(m_chars.size());
  }

  std::string Run() {
    if (m_around.continuesPower) TakeDigitsOfPower();
    while (m_pos < m_chars.size()) {
      if (EndsOperand(LastBefore()) && TakePower()) continue;
      if (IsBreak(m_chars[m_pos])) {
        TakeBreaks();
        continue;
      }
      Take(m_chars[m_pos++]);
    }
    return std::move(m_field);
  }

private:
  // The character just before the next one, in the field or in the text so far.
  char LastBefore() const {
    if (!m_field.empty()) return m_field.back();
    return m_around.before.empty() ? '\0' : m_around.before.back();
  }

  // The last character before the next one that is not a blank.
  char LastShownBefore() const {
    const std::size_t inText = m_field.find_last_not_of(' ');
    if (inText != std::string::npos) return m_field[inText];
    const std::size_t inField = m_around.before.find_last_not_of(' ');
    return inField == std::string_view::npos ? '\0' : m_around.before[inField];
  }

  // The first character from `pos` on that is not a blank, as the field will
  // hold it; the field's text after the selection when the text has none.
  char FirstShownFrom(std::size_t pos) const {
    for (; pos < m_chars.size(); ++pos) {
      if (IsBlank(m_chars[pos])) continue;
      return AsciiStandIn(m_chars[pos]).value_or('\0');
    }
    const std::size_t inField = m_around.after.find_first_not_of(' ');
    return inField == std::string_view::npos ? '\0' : m_around.after[inField];
  }

  void Take(char32_t c) {
    if (c == kUnpaired) {
      m_field += kMissingCharacter;
    } else if (const auto ascii = AsciiStandIn(c)) {
      m_field += *ascii;
    } else if (const auto bytes = m_inCodePage(c); bytes && !bytes->empty()) {
      m_field += *bytes;
    } else {
      m_field += kMissingCharacter;
    }
  }

  // Line breaks and tabs in a row, with blanks among them: between two numbers
  // the first break shows as the mark and the others go; elsewhere a tab is a
  // blank and a line break goes. The blanks stay.
  void TakeBreaks() {
    std::size_t end = m_pos;
    while (end < m_chars.size() && (IsBreak(m_chars[end]) || IsBlank(m_chars[end])))
      ++end;
    const bool betweenNumbers = IsNumberCharacter(LastShownBefore()) && IsNumberCharacter(FirstShownFrom(end));
    bool marked = false;
    for (; m_pos < end; ++m_pos) {
      const char32_t c = m_chars[m_pos];
      if (IsBlank(c)) {
        m_field += ' ';
      } else if (betweenNumbers) {
        if (!marked) m_field += kBreakMark;
        marked = true;
      } else if (c == U'\t') {
        m_field += ' ';
      }
    }
  }

  // Superscript digits after an operand, with their minus: nothing is taken
  // unless at least one digit follows the minus.
  bool TakePower() {
    const bool negative = m_chars[m_pos] == kSuperscriptMinus;
    const std::size_t first = m_pos + (negative ? 1 : 0);
    if (first == m_chars.size() || !SuperscriptDigit(m_chars[first])) return false;
    m_field += negative ? "^(-" : "^";
    m_pos = first;
    TakeDigitsOfPower();
    if (negative) m_field += ')';
    return true;
  }

  void TakeDigitsOfPower() {
    for (; m_pos < m_chars.size(); ++m_pos) {
      const auto digit = SuperscriptDigit(m_chars[m_pos]);
      if (!digit) break;
      m_field += *digit;
    }
  }

  const std::u32string m_chars;
  const CodePageCharacter& m_inCodePage;
  const FieldAround& m_around;
  std::size_t m_pos = 0;
  std::string m_field;
};

}  // namespace

std::string PastedExpressionText(std::u16string_view text, const CodePageCharacter& inCodePage,
                                 const FieldAround& around) {
  return Translation(VisibleCodePoints(text), inCodePage, around).Run();
}

bool IsSuperscriptDigits(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return SuperscriptDigit(c); });
}
