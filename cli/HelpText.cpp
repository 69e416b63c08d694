#include "HelpText.h"

#include "StandardStreams.h"
#include "TallywiseIdentity.h"
#include "TallywiseVersion.h"

namespace {

constexpr std::string_view kHelp[] = {
    "Usage: tallywise-eval [OPTION]... [EXPRESSION]...",
    "Evaluates each EXPRESSION, or each line of the files given with -f, or of",
#ifdef _WIN32
    "standard input when neither is given.",
#else
    "standard input when neither is given. At a terminal it prompts with \"> \";",
    "a rejected line comes back for editing with the cursor on the faulty spot",
    "(unless more lines are waiting); Ctrl+D, quit or exit end, Ctrl+C drops the",
    "line being typed. The lines typed are kept in $XDG_STATE_HOME/tallywise/history",
    "(~/.local/state/tallywise/history), or in the file TALLYWISE_HISTORY names;",
    "TALLYWISE_HISTORY set and empty keeps none.",
#endif
    "",
    "  -d, --decimals=N   decimal places of the results, 0 to 9 (default 3)",
    "  -f, --file=FILE    read expressions from FILE, one a line (- is standard",
    "                     input); may be given more than once",
    "      --aligned      one line on standard output for every input line: an",
    "                     empty one for a rejected or blank line",
    "  -x, --exact        exact arithmetic in place of the classic rules (below)",
    "      --grouping     write results with the digit groups and decimal mark of",
    "                     the locale (LC_NUMERIC), for reading; without it a",
    "                     result reads back as the expression it stands for",
    "  -h, --help         show this text",
    "      --version      show the version",
    "",
    "Numbers take a point or a comma as decimal separator; the operators are",
    "+ - * / % (per cent of) ^ (whole power) # (root of whole degree) and",
    "parentheses.",
    "The calculator's classic rules:",
    "  operators bind in the order # ^ % / * - +, the strongest first, so a*b/c is",
    "  a*(b/c); operators of equal strength are taken from the left, powers too:",
    "  2^3^2 is 64;",
    "  every intermediate value is rounded to six decimals: 3000000*1/3000000 is 0,",
    "  and the 7th to 9th decimals of a computed value are always 0;",
    "  exponents and degrees of roots are taken whole: 2^0.5 is 2^0, which is 1;",
    "  values carry 17 significant digits: 2^63 is 9223372036854775800, and 2.675",
    "  with two decimals is 2.67;",
    "  a number has one decimal separator: 1,000 is one, 1.000,5 is rejected.",
    "With --exact the order of work, the prompts and the faults stay, and every",
    "value is exact: typed numbers are exact decimals, + - * / % and whole powers",
    "round nothing, fractional powers and roots of any degree are real (2^0.5 is",
    "1.414), right to 30 digits and more, and the result is rounded half away",
    "from zero. A value whose numerator or denominator would pass 10,000 digits",
    "is \"The number is too large!\", as is the rest of an expression that has",
    "spent its allowance of work on big numbers. Without --exact, a result",
    "shown at a terminal that exact arithmetic would show with other digits is",
    "followed by a dimmed line \"exact: VALUE\"; files and pipes get the",
    "results alone.",
    "An argument is an option only when it is - and a letter or -- and a word;",
    "every other argument, such as -5 or -,5, is an expression. Blank lines are",
    "skipped. The prompt of a rejected line of a file or of standard input, and",
    "the message of a fault met in one, start with NAME:LINE:COLUMN: (standard",
    "input is named <stdin>; a tab counts to the next multiple of 8 columns, a",
    "wide character as two); those of an argument with",
    "\"tallywise-eval: argument N: \", N its place among the arguments.",
    "",
    "Exit status (where several apply, the highest):",
    "  0  every expression accepted and computed",
    "  1  an expression was rejected (its prompt is on standard error)",
    "  2  bad usage",
    "  3  a computation met a fault (division by zero, overflow, no root);",
    "     its value is printed as the calculator shows it, 0 for the faulty part",
    "  4  a result or message could not be written, or the input could not be read",
};

constexpr std::string_view kVersion[] = {
    "tallywise-eval " TALLYWISE_VERSION,
    TALLYWISE_LEGAL_NOTICE,
    "License MIT: <https://opensource.org/licenses/MIT>.",
    "This is free software: you are free to change and redistribute it.",
    "There is NO WARRANTY, to the extent permitted by law.",
};

template <std::size_t N>
std::string LinesOf(const std::string_view (&lines)[N]) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += kLineEnd;
  }
  return text;
}

}  // namespace

std::string HelpText() { return LinesOf(kHelp); }

std::string VersionText() { return LinesOf(kVersion); }

std::string UsageErrorText(std::string_view complaint) {
  std::string text = "tallywise-eval: ";
  text += complaint;
  text += kLineEnd;
  text += "Try 'tallywise-eval --help'.";
  text += kLineEnd;
  return text;
}
