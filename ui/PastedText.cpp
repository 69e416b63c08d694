#include "PastedText.h"

namespace {

constexpr char32_t kSuperscriptMinus = U'\u207B';
// A surrogate without its partner: a character of no code page.
constexpr char32_t kUnpaired = 0xFFFFFFFF;

std::optional<char> AsciiStandIn(char32_t c) {
  if (c >= U'\uFF10' && c <= U'\uFF19') return static_cast<char>('0' + (c - U'\uFF10'));
  switch (c) {
    case U'\u00A0':  // no-break space
    case U'\u202F':  // narrow no-break space
    case U'\u2009':  // thin space
      return ' ';
    case U'\uFF0B': return '+';
    case U'\uFF0D': return '-';
    case U'\u2212': return '-';  // minus sign
    case U'\uFF0A': return '*';
    case U'\u00D7': return '*';  // multiplication sign
    case U'\uFF0F': return '/';
    case U'\u00F7': return '/';  // division sign
    case U'\uFF08': return '(';
    case U'\uFF09': return ')';
  }
  return std::nullopt;
}

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

// The code points of UTF-16 text; a surrogate without its partner is one
// character that no code page holds.
class CodePoints {
public:
  explicit CodePoints(std::u16string_view text) : m_text(text) {}

  bool AtEnd() const { return m_pos == m_text.size(); }
  char32_t Peek(std::size_t ahead = 0) const {
    std::size_t pos = m_pos;
    char32_t c = 0;
    for (std::size_t i = 0; i <= ahead; ++i) {
      if (pos == m_text.size()) return 0;
      c = Decode(pos);
    }
    return c;
  }
  char32_t Next() { return Decode(m_pos); }

private:
  char32_t Decode(std::size_t& pos) const {
    const char32_t unit = m_text[pos++];
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit > 0xDBFF || pos == m_text.size() || m_text[pos] < 0xDC00 || m_text[pos] > 0xDFFF) return kUnpaired;
    return 0x10000 + ((unit - 0xD800) << 10) + (m_text[pos++] - 0xDC00);
  }

  std::u16string_view m_text;
  std::size_t m_pos = 0;
};

bool EndsOperand(const std::string& text) {
  return !text.empty() && ((text.back() >= '0' && text.back() <= '9') || text.back() == ')');
}

// A run of superscript digits after an operand, with its minus: nothing is
// taken unless at least one digit follows the minus.
bool TakePower(CodePoints& chars, std::string& field) {
  const bool negative = chars.Peek() == kSuperscriptMinus;
  if (!SuperscriptDigit(chars.Peek(negative ? 1 : 0))) return false;
  field += negative ? "^-" : "^";
  if (negative) chars.Next();
  while (const auto digit = SuperscriptDigit(chars.Peek())) {
    field += *digit;
    chars.Next();
  }
  return true;
}

}  // namespace

std::string PastedExpressionText(std::u16string_view text, const CodePageCharacter& inCodePage) {
  std::string field;
  field.reserve(text.size());
  CodePoints chars(text);
  while (!chars.AtEnd()) {
    if (EndsOperand(field) && TakePower(chars, field)) continue;
    const char32_t c = chars.Next();
    if (c == U'\r' || c == U'\n') continue;
    if (c == kUnpaired) {
      field += kMissingCharacter;
    } else if (const auto ascii = AsciiStandIn(c)) {
      field += *ascii;
    } else if (const auto bytes = inCodePage(c); bytes && !bytes->empty()) {
      field += *bytes;
    } else {
      field += kMissingCharacter;
    }
  }
  return field;
}
