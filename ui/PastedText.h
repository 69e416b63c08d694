// What a paste puts into the expression field: text from another program,
// given as Unicode, turned into the field's own code page by the program
// itself. The code page's "best fit" would turn a superscript 4 into a 4 and
// so 2⁴ into 24, and a single-line field would keep only the first line of
// what is pasted: here nothing becomes a digit or an operator that it is not.
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

// The field's text for UTF-16 text from the clipboard:
// - line breaks are dropped, so the field shows all that is checked;
// - no-break, narrow no-break and thin spaces are blanks;
// - full-width digits and + - * / ( ), the multiplication and division signs
//   and the minus sign are the ASCII characters they stand for;
// - superscript digits, with a superscript minus before them, right after a
//   digit or ')' are a power: 10⁻³ is 10^-3;
// - every other character is itself in the code page, or kMissingCharacter.
std::string PastedExpressionText(std::u16string_view text, const CodePageCharacter& inCodePage);
