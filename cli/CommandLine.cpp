#include "CommandLine.h"

namespace {

// A Windows user asks for the usage with /?; elsewhere it is an expression.
#ifdef _WIN32
constexpr bool kSlashQuestionIsHelp = true;
#else
constexpr bool kSlashQuestionIsHelp = false;
#endif

bool IsSlashQuestion(std::string_view arg) { return kSlashQuestionIsHelp && arg == "/?"; }

bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

// "-" and a letter, or "--" and a word: anything else, "-5", "-,5", "- 5" and "-(2)"
// among them, is an expression.
bool IsOption(std::string_view arg) {
  if (arg.size() >= 2 && arg[0] == '-' && IsLetter(arg[1])) return true;
  return arg.size() >= 3 && arg.starts_with("--") && IsLetter(arg[2]);
}

bool ReadDecimals(std::string_view text, int& decimals) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return false;
  decimals = text[0] - '0';
  return true;
}

Invocation Refused(Invocation invocation, std::string complaint) {
  invocation.action = Invocation::Refuse;
  invocation.complaint = std::move(complaint);
  return invocation;
}

}  // namespace

Invocation ReadCommandLine(const std::vector<std::string_view>& args) {
  Invocation invocation;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || (arg != "--" && !IsOption(arg) && !IsSlashQuestion(arg))) {
      invocation.sources.push_back({Source::Expression, arg, i + 1});
      continue;
    }
    // An option's value: joined to it (-d2, --decimals=2) or the next argument.
    const auto value = [&](std::string_view shortName, std::string_view longName, std::string_view& text) {
      if (arg == shortName || arg == longName) {
        if (i + 1 >= args.size()) return false;
        text = args[++i];
        return true;
      }
      text = arg.starts_with(longName) ? arg.substr(longName.size() + 1) : arg.substr(shortName.size());
      return true;
    };
    const auto isOption = [&](std::string_view shortName, std::string_view longName) {
      return arg == longName || arg.starts_with(std::string(longName) + "=") || arg.starts_with(shortName);
    };
    std::string_view text;
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-h" || arg == "--help" || IsSlashQuestion(arg)) {
      invocation.action = Invocation::ShowHelp;
      return invocation;
    } else if (arg == "--version") {
      invocation.action = Invocation::ShowVersion;
      return invocation;
    } else if (arg == "--aligned") {
      invocation.aligned = true;
    } else if (arg == "--grouping") {
      invocation.grouping = true;
    } else if (arg == "-x" || arg == "--exact") {
      invocation.exact = true;
    } else if (isOption("-d", "--decimals")) {
      if (!value("-d", "--decimals", text) || !ReadDecimals(text, invocation.decimals))
        return Refused(invocation, std::string(arg.substr(0, arg.starts_with("--") ? 10 : 2)) +
                                       " needs a number of decimal places from 0 to 9");
    } else if (isOption("-f", "--file")) {
      if (!value("-f", "--file", text) || text.empty())
        return Refused(invocation, std::string(arg.substr(0, arg.starts_with("--") ? 6 : 2)) + " needs a file name");
      invocation.sources.push_back({Source::File, text, i + 1});
    } else {
      return Refused(invocation, "unknown option " + std::string(arg));
    }
  }
  return invocation;
}
