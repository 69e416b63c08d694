// What a paste puts into the expression field: text from another program,
// given as Unicode, turned into the field's own code page by the program
// itself. The code page's "best fit" would turn a superscript 4 into a 4 and
// so 2⁴ into 24, and a single-line field would join the lines of what is
// pasted: here nothing becomes a digit or an operator that it is not, and no
// two numbers are joined into one. Characters typed outside ASCII (AltGr, a
// compose key, a French keyboard's ²) go the same way, one at a time.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A character's bytes in the field's code page, or none when the code page
// does not hold that very character.
using CodePageCharacter = std::function<std::optional<std::string>(char32_t)>;

// What stands for a character the code page lacks: the checker names it as an
// unknown symbol, so it is seen and marked, never computed.
inline constexpr char kMissingCharacter = '?';
// What stands for a line break or tab between two numbers: visible, and an
// unknown symbol to the checker, which names and selects it.
inline constexpr char kBreakMark = '|';

// The field's text around the place the pasted text goes: a power or a break
// between numbers may begin before it or end after it.
struct FieldAround {
  std::string_view before;  // the field's text before the selection
  std::string_view after;   // the field's text after the selection
  // The text before ends with the digits of a power that superscripts typed
  // one by one began: another superscript digit goes on with it.
  bool continuesPower = false;
};

// The field's text for UTF-16 text from the clipboard or typed:
// - a line break or tab between two numbers (blanks around it aside) is
//   kBreakMark; elsewhere a tab is a blank and line breaks are dropped;
// - no-break, narrow no-break and thin spaces are blanks;
// - invisible format characters (byte-order mark, zero-width space and
//   joiners, direction marks, word joiner, soft hyphen) are dropped;
// - decimal digits of every script, full-width + - * / ( ), the
//   multiplication and division signs, the minus sign and the en dash are the
//   ASCII characters they stand for;
// - superscript digits right after a digit or ')' are a power, with a
//   superscript minus before them a power with a negative exponent: 10⁻³
//   is 10^(-3);
// - every other character is itself in the code page, or kMissingCharacter.
std::string PastedExpressionText(std::u16string_view text, const CodePageCharacter& inCodePage,
                                 const FieldAround& around = {});

// Whether the text is superscript digits alone: typed, such a character
// leaves a power that the next one goes on with.
bool IsSuperscriptDigits(std::u16string_view text);
