#include "HistoryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "EvaluationRun.h"
#include "LineReader.h"
#include "StandardStreams.h"
#include "VisibleText.h"

namespace {

constexpr size_t kKeptLines = 1000;
constexpr std::string_view kPlace = "/tallywise/history";

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : std::string_view();
}

// Every folder on the way to the file, like mkdir -p; the last error, if any,
// shows when the file itself cannot be made.
void MakeFoldersFor(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    mkdir(path.substr(0, slash).c_str(), 0700);
}

void Report(const std::string& path, const char* what, int error) {
  ReportSystemError(VisibleName(path) + ": " + what, error);
}

}  // namespace

HistoryFile HistoryFile::FromEnvironment() {
  if (const char* chosen = std::getenv("TALLYWISE_HISTORY")) return HistoryFile(chosen, false);
  // A relative XDG_STATE_HOME is to be ignored, as the base directory rules say.
  if (const std::string_view state = Variable("XDG_STATE_HOME"); state.starts_with('/'))
    return HistoryFile(std::string(state) + std::string(kPlace), true);
  if (const std::string_view home = Variable("HOME"); !home.empty())
    return HistoryFile(std::string(home) + "/.local/state" + std::string(kPlace), true);
  return HistoryFile("", false);
}

const std::deque<std::string>& HistoryFile::Load() {
  if (m_path.empty()) return m_lines;
  const int fd = OpenForReading(m_path.c_str());
  if (fd < 0) {
    if (errno != ENOENT) {
      m_writable = false;
      Report(m_path, "cannot read history", errno);
    }
    return m_lines;
  }
  LineReader reader(fd, nullptr);
  std::string_view line;
  while (reader.Next(line))
    Add(line);
  CloseDescriptor(fd);
  if (reader.error() != 0) {
    m_writable = false;
    m_lines.clear();
    Report(m_path, "cannot read history", reader.error());
  }
  return m_lines;
}

void HistoryFile::Add(std::string_view line) {
  // A line end typed into a line (Ctrl+V Ctrl+J) would come back as two lines.
  if (line.find('\n') != std::string_view::npos) return;
  m_lines.emplace_back(line);
  if (m_lines.size() > kKeptLines) m_lines.pop_front();
}

void HistoryFile::Save() {
  if (m_path.empty() || !m_writable) return;
  if (m_makeFolders) MakeFoldersFor(m_path);
  std::string text;
  for (const std::string& line : m_lines)
    (text += line) += '\n';
  // mkstemp makes the file for its owner alone (0600).
  std::string temporary = m_path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    Report(m_path, "cannot write history", errno);
    return;
  }
  int error = WriteAll(fd, text);
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), m_path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    Report(m_path, "cannot write history", error);
  }
}
