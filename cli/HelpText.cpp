#include "HelpText.h"

#include <algorithm>

#include "StandardStreams.h"
#include "Translation.h"
#include "TallywiseIdentity.h"
#include "TallywiseVersion.h"

namespace {

// In blocks, each a text of the catalogs, so that a translation may break
// its lines where its words fall.
#ifdef _WIN32
constexpr const char* kUsage =
    "Usage: tallywise-eval [OPTION]... [EXPRESSION]...\n"
    "Evaluates each EXPRESSION, or each line of the files given with -f, or of\n"
    "standard input when neither is given.";
#else
constexpr const char* kUsage =
    "Usage: tallywise-eval [OPTION]... [EXPRESSION]...\n"
    "Evaluates each EXPRESSION, or each line of the files given with -f, or of\n"
    "standard input when neither is given. At a terminal it prompts with \"> \";\n"
    "a rejected line comes back for editing with the cursor on the faulty spot\n"
    "(unless more lines are waiting); Ctrl+D, quit or exit end, Ctrl+C drops the\n"
    "line being typed. The lines typed are kept in $XDG_STATE_HOME/tallywise/history\n"
    "(~/.local/state/tallywise/history), or in the file TALLYWISE_HISTORY names;\n"
    "TALLYWISE_HISTORY set and empty keeps none.";
#endif

constexpr const char* kOptions =
    "  -d, --decimals=N   decimal places of the results, 0 to 9 (default 3)\n"
    "  -f, --file=FILE    read expressions from FILE, one a line (- is standard\n"
    "                     input); may be given more than once\n"
    "      --aligned      one line on standard output for every input line: an\n"
    "                     empty one for a rejected or blank line\n"
    "  -x, --exact        exact arithmetic in place of the classic rules (below)\n"
    "      --grouping     write results with the digit groups and decimal mark of\n"
    "                     the locale (LC_NUMERIC), for reading; without it a\n"
    "                     result reads back as the expression it stands for\n"
    "  -h, --help         show this text\n"
    "      --version      show the version";

constexpr const char* kNumbers =
    "Numbers take a point or a comma as decimal separator; the operators are\n"
    "+ - * / % (per cent of) ^ (whole power) # (root of whole degree) and\n"
    "parentheses.";

constexpr const char* kClassicRules =
    "The calculator's classic rules:\n"
    "  operators bind in the order # ^ % / * - +, the strongest first, so a*b/c is\n"
    "  a*(b/c); operators of equal strength are taken from the left, powers too:\n"
    "  2^3^2 is 64;\n"
    "  every intermediate value is rounded to six decimals: 3000000*1/3000000 is 0,\n"
    "  and the 7th to 9th decimals of a computed value are always 0;\n"
    "  exponents and degrees of roots are taken whole: 2^0.5 is 2^0, which is 1;\n"
    "  values carry 17 significant digits: 2^63 is 9223372036854775800, and 2.675\n"
    "  with two decimals is 2.67;\n"
    "  a number has one decimal separator: 1,000 is one, 1.000,5 is rejected.\n"
    "With --exact the order of work, the prompts and the faults stay, and every\n"
    "value is exact: typed numbers are exact decimals, + - * / % and whole powers\n"
    "round nothing, fractional powers and roots of any degree are real (2^0.5 is\n"
    "1.414), right to 30 digits and more, and the result is rounded half away\n"
    "from zero. A value whose numerator or denominator would pass 10,000 digits\n"
    "is \"The number is too large!\", as is the rest of an expression that has\n"
    "spent its allowance of work on big numbers. Without --exact, a result\n"
    "shown at a terminal that exact arithmetic would show with other digits is\n"
    "followed by a dimmed line \"exact: VALUE\"; files and pipes get the\n"
    "results alone.";

constexpr const char* kArguments =
    "An argument is an option only when it is - and a letter or -- and a word;\n"
    "every other argument, such as -5 or -,5, is an expression. Blank lines are\n"
    "skipped. The prompt of a rejected line of a file or of standard input, and\n"
    "the message of a fault met in one, start with NAME:LINE:COLUMN: (standard\n"
    "input is named <stdin>; a tab counts to the next multiple of 8 columns, a\n"
    "wide character as two); those of an argument with\n"
    "\"tallywise-eval: argument N: \", N its place among the arguments.";

constexpr const char* kExitStatus =
    "Exit status (where several apply, the highest):\n"
    "  0  every expression accepted and computed\n"
    "  1  an expression was rejected (its prompt is on standard error)\n"
    "  2  bad usage\n"
    "  3  a computation met a fault (division by zero, overflow, no root);\n"
    "     its value is printed as the calculator shows it, 0 for the faulty part\n"
    "  4  a result or message could not be written, or the input could not be read";

// The blocks in order; a null stands for a blank line between two.
constexpr const char* kBlocks[] = {kUsage,        nullptr,    kOptions, nullptr,    kNumbers,
                                   kClassicRules, kArguments, nullptr,  kExitStatus};

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

// Each line ends as the platform's lines do.
std::string HelpText() {
  std::string text;
  for (const char* block : kBlocks) {
    if (!block) {
      text += kLineEnd;
      continue;
    }
    const std::string_view words = Translate(block);
    for (size_t start = 0; start <= words.size();) {
      const size_t end = std::min(words.find('\n', start), words.size());
      text += words.substr(start, end - start);
      text += kLineEnd;
      start = end + 1;
    }
  }
  return text;
}

std::string VersionText() { return LinesOf(kVersion); }

std::string UsageErrorText(std::string_view complaint) {
  std::string text = "tallywise-eval: ";
  text += complaint;
  text += kLineEnd;
  text += Translate("Try 'tallywise-eval --help'.");
  text += kLineEnd;
  return text;
}
