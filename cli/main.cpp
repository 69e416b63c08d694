// tallywise-eval: the calculator's checker and evaluator on the command line.
//
//   tallywise-eval [-d N] [--] EXPRESSION...
//   tallywise-eval [-d N] < expressions.txt
//
// An accepted expression prints its result alone on a line on stdout. A rejected
// one prints the prompt and the expression with the faulty spot marked on stderr.
// Exit status: 0 all accepted, 1 some rejected, 2 bad usage.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "CharClasses.h"
#include "Checker.h"
#include "Evaluator.h"
#include "NumberText.h"
#include "Prompts.h"

namespace {

constexpr int kDefaultDecimals = 3;

void PrintUsage(std::FILE* out) {
  std::fputs(
      "Usage: tallywise-eval [-d N | --decimals N] [--] [EXPRESSION...]\n"
      "Evaluates each EXPRESSION, or each line of standard input when none is given.\n"
      "Numbers take a point or a comma as decimal separator; the operators are\n"
      "+ - * / % (per cent of) ^ (whole power) # (root of whole degree) and parentheses.\n"
      "  -d, --decimals N   decimal places of the results, 0 to 9 (default 3)\n"
      "  --help             show this text\n"
      "Exit status: 0 all accepted, 1 an expression was rejected, 2 bad usage.\n",
      out);
}

// The expression as it can be shown on one terminal line, and a line under it
// that points at the marked spot. Tabs stay tabs so the marker lines up.
void PrintMarkedExpression(const std::string& expression, const FieldSelection& mark) {
  std::string shown;
  std::string marker;
  const int length = static_cast<int>(expression.size());
  const int start = mark.start;
  const int end = mark.end < 0 ? length : mark.end;
  for (int i = 0; i <= length; ++i) {
    const char ch = i < length ? expression[i] : ' ';
    const unsigned char byte = static_cast<unsigned char>(ch);
    if (i < length) shown += (byte < 32 && ch != '\t') || byte == 127 ? '?' : ch;
    char below = ch == '\t' ? '\t' : ' ';
    if (i == start)
      below = '^';
    else if (i > start && i < end)
      below = '~';
    marker += below;
  }
  while (!marker.empty() && (marker.back() == ' ' || marker.back() == '\t'))
    marker.pop_back();
  std::fprintf(stderr, "  %s\n  %s\n", shown.c_str(), marker.c_str());
}

// Returns false when the checker rejects the expression.
bool EvaluateOne(const std::string& expression, const std::string& format, EvaluationStacks& stacks) {
  const CheckOutcome check = CheckExpressionText(expression);
  if (!check.passed) {
    std::string prompt = RenderPrompt(check);
    while (!prompt.empty() && prompt.back() == ' ')
      prompt.pop_back();
    std::fprintf(stderr, "%s\n", prompt.c_str());
    if (check.mark)
      PrintMarkedExpression(expression, *check.mark);
    else
      std::fprintf(stderr, "  %s\n", expression.c_str());
    return false;
  }
  const auto report = [](ComputeFault fault) { std::fprintf(stderr, "%s\n", ComputeFaultMessage(fault)); };
  const std::string result = EvaluateExpression(expression, format, report, stacks);
  std::printf("%s\n", result.c_str());
  std::fflush(stdout);
  return true;
}

bool ParseDecimals(const char* text, int& decimals) {
  if (std::strlen(text) != 1 || text[0] < '0' || text[0] > '9') return false;
  decimals = text[0] - '0';
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int decimals = kDefaultDecimals;
  std::vector<std::string> expressions;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--help") {
      PrintUsage(stdout);
      return 0;
    } else if (!optionsEnded && (arg == "-d" || arg == "--decimals")) {
      if (i + 1 >= argc || !ParseDecimals(argv[i + 1], decimals)) {
        std::fprintf(stderr, "tallywise-eval: %s needs a number of decimal places from 0 to 9\n", arg.c_str());
        PrintUsage(stderr);
        return 2;
      }
      ++i;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && !IsNumberChar(arg[1]) && arg[1] != '(') {
      std::fprintf(stderr, "tallywise-eval: unknown option %s\n", arg.c_str());
      PrintUsage(stderr);
      return 2;
    } else {
      expressions.push_back(arg);
    }
  }

  const std::string format = MakeNumberFormat(decimals);
  EvaluationStacks stacks;
  bool allAccepted = true;
  if (!expressions.empty()) {
    for (const std::string& expression : expressions)
      allAccepted = EvaluateOne(expression, format, stacks) && allAccepted;
  } else {
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r')  // a CR LF line ending
        line.pop_back();
      allAccepted = EvaluateOne(line, format, stacks) && allAccepted;
    }
  }
  return allAccepted ? 0 : 1;
}
