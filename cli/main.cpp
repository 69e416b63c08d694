// tallywise-eval: the calculator's checker and evaluator on the command line.
//
//   tallywise-eval [-d N] [--] EXPRESSION...
//   tallywise-eval [-d N] < expressions.txt
//
// An accepted expression prints its result alone on a line on stdout. A rejected
// one prints the prompt and the expression with the faulty spot marked on stderr.
// The exit statuses are listed in the usage text below.

#include <string>
#include <string_view>
#include <vector>

#include "EvaluationRun.h"
#include "ExitStatus.h"
#include "StandardStreams.h"
#include "TallywiseVersion.h"

namespace {

constexpr int kDefaultDecimals = 3;

// A Windows user asks for the usage with /?; elsewhere it is an expression.
#ifdef _WIN32
constexpr bool kSlashQuestionIsHelp = true;
#else
constexpr bool kSlashQuestionIsHelp = false;
#endif

constexpr std::string_view kUsage[] = {
    "Usage: tallywise-eval [-d N | --decimals N] [--] [EXPRESSION...]",
    "Evaluates each EXPRESSION, or each line of standard input when none is given.",
    "Numbers take a point or a comma as decimal separator; the operators are",
    "+ - * / % (per cent of) ^ (whole power) # (root of whole degree) and parentheses.",
    "An argument is an option only when it is - and a letter or -- and a word;",
    "every other argument, such as -5 or -,5, is an expression.",
    "  -d, --decimals N   decimal places of the results, 0 to 9 (default 3)",
    "  --help             show this text",
    "  --version          show the version",
    "Exit status (where several apply, the highest):",
    "  0  every expression accepted and computed",
    "  1  an expression was rejected (its prompt is on standard error)",
    "  2  bad usage",
    "  3  a computation met a fault (division by zero, overflow, no root);",
    "     its value is printed as the calculator shows it, 0 for the faulty part",
    "  4  a result or message could not be written, or the input could not be read",
};

bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

// "-" and a letter, or "--" and a word: anything else, "-5", "-,5", "- 5" and "-(2)"
// among them, is an expression.
bool IsOption(std::string_view arg) {
  if (arg.size() >= 2 && arg[0] == '-' && IsLetter(arg[1])) return true;
  return arg.size() >= 3 && arg.starts_with("--") && IsLetter(arg[2]);
}

bool ParseDecimals(std::string_view text, int& decimals) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return false;
  decimals = text[0] - '0';
  return true;
}

// --help and --version write to stdout, and a lost text is an error like any other.
int PrintAndExit(std::string_view text) {
  const int error = WriteAll(kStandardOutput, text);
  if (error == 0) return kAllAccepted;
  ReportSystemError("write error", error);
  return kInputOutputError;
}

std::string UsageText() {
  std::string text;
  for (std::string_view line : kUsage) {
    text += line;
    text += kLineEnd;
  }
  return text;
}

int BadUsage(const std::string& complaint) {
  WriteAll(kStandardError, "tallywise-eval: " + complaint + std::string(kLineEnd) + UsageText());
  return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  UseBinaryStandardStreams();

  int decimals = kDefaultDecimals;
  std::vector<std::string_view> expressions;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || (arg != "--" && !IsOption(arg) && !(kSlashQuestionIsHelp && arg == "/?"))) {
      expressions.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || (kSlashQuestionIsHelp && arg == "/?")) {
      return PrintAndExit(UsageText());
    } else if (arg == "--version") {
      return PrintAndExit("tallywise-eval " TALLYWISE_VERSION + std::string(kLineEnd));
    } else if (arg == "-d" || arg == "--decimals") {
      if (i + 1 >= argc || !ParseDecimals(argv[i + 1], decimals))
        return BadUsage(std::string(arg) + " needs a number of decimal places from 0 to 9");
      ++i;
    } else {
      return BadUsage("unknown option " + std::string(arg));
    }
  }

  EvaluationRun run(decimals);
  if (expressions.empty()) {
    run.EvaluateLines(kStandardInput);
  } else {
    for (std::string_view expression : expressions) {
      if (!run.Evaluate(expression)) break;
    }
  }
  return run.Finish();
}
