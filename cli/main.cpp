// tallywise-eval: the calculator's checker and evaluator on the command line.
//
//   tallywise-eval [OPTION]... [EXPRESSION]...
//   tallywise-eval [-d N] < expressions.txt
//
// An accepted expression prints its result alone on a line on stdout. A rejected
// one prints the prompt and the expression with the faulty spot marked on stderr.
// The options and exit statuses are listed in HelpText.cpp.

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CharacterWidth.h"
#include "CommandLine.h"
#include "ErrorReport.h"
#include "EvaluationRun.h"
#include "ExitStatus.h"
#include "HelpText.h"
#include "LocaleNumbers.h"
#include "StandardStreams.h"
#include "TerminalSession.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr std::string_view kStandardInputName = "<stdin>";

// --help and --version write to stdout, and a lost text is an error like any other.
int PrintAndExit(std::string_view text) {
  const int error = WriteAll(kStandardOutput, text);
  if (error == 0) return kAllAccepted;
  ReportSystemError("write error", error);
  return kInputOutputError;
}

// False after a write error, when nothing more can be written.
bool EvaluateFile(EvaluationRun& run, std::string_view name) {
  if (name == "-") return run.EvaluateLines(kStandardInput, kStandardInputName);
  const std::string path(name);
  const int fd = OpenForReading(path.c_str());
  if (fd < 0) {
    run.ReportInputError(name, "cannot open", errno);
    return true;
  }
  const bool writable = run.EvaluateLines(fd, name);
  CloseDescriptor(fd);
  return writable;
}

int Run(const std::vector<std::string_view>& args) {
  UseBinaryStandardStreams();
  UseEnvironmentCharacterSet();
  const Invocation invocation = ReadCommandLine(args);
  switch (invocation.action) {
    case Invocation::ShowHelp: return PrintAndExit(HelpText());
    case Invocation::ShowVersion: return PrintAndExit(VersionText());
    case Invocation::Refuse:
      // A usage message that is lost is a write error too, and that ranks higher.
      return WriteAll(kStandardError, UsageErrorText(invocation.complaint)) == 0 ? kBadUsage : kInputOutputError;
    case Invocation::Evaluate: break;
  }

  std::optional<NumberLook> look;
  if (invocation.grouping) look = LocaleNumberLook();
  EvaluationRun run(invocation.decimals, invocation.aligned, invocation.exact, std::move(look));
  if (invocation.sources.empty()) {
    if (IsTerminal(kStandardInput) && IsTerminal(kStandardOutput) && CanEditLines())
      RunTerminalSession(run);
    else
      run.EvaluateLines(kStandardInput, kStandardInputName);
  }
  for (const Source& source : invocation.sources) {
    const bool writable =
        source.kind == Source::Expression ? run.Evaluate(source.text, source.argument) : EvaluateFile(run, source.text);
    if (!writable) break;
  }
  return run.Finish();
}

}  // namespace

#ifdef _WIN32

namespace {

// Arguments come as UTF-16 and go on as UTF-8, so that no character is turned
// into a look-alike of the ANSI code page (2⁴ into 24, − into -).
std::string Utf8Of(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();
  return utf8;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> texts;
  for (int i = 1; i < argc; ++i)
    texts.push_back(Utf8Of(argv[i]));
  const std::vector<std::string_view> args(texts.begin(), texts.end());
  return Run(args);
}

#else

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return Run(args);
}

#endif
