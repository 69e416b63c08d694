#include "TerminalHistoryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "ErrorReport.h"
#include "LineReader.h"
#include "StandardStreams.h"
#include "VisibleText.h"

namespace {

constexpr std::string_view kPlace = "/tallywise/history";
// Links followed before a path counts as a loop, as the system counts them.
constexpr int kMostLinks = 40;

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

// A file left alone for what it is, not for an error of the system's.
void ReportLeftAlone(const std::string& path, const char* why) {
  WriteAll(kStandardError, "tallywise-eval: " + VisibleName(path) + ": " + why + "\n");
}

// The file a chain of symbolic links ends at, which need not exist yet: the
// new file goes beside it and takes its place, so the links stay.
std::string FollowedPath(std::string path) {
  for (int hops = 0; hops < kMostLinks; ++hops) {
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) == sizeof target) break;
    std::string next(target, static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    if (next[0] != '/' && slash != std::string::npos) next.insert(0, path, 0, slash + 1);
    path = std::move(next);
  }
  return path;
}

// Marked read-only: no one may write it. Root may write any file, but a file
// its owner made read-only is meant to stay as it is.
bool IsReadOnly(const std::string& path, const struct stat& status) {
  return (status.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

// The lines of an open file, the newest kTerminalHistoryLength; false on a read error.
bool ReadLines(int fd, std::deque<std::string>& lines) {
  LineReader reader(fd, nullptr);
  std::string_view line;
  while (reader.Next(line))
    AddKeepingNewest(lines, line, kTerminalHistoryLength);
  errno = reader.error();
  return reader.error() == 0;
}

// The file opened and locked against other sessions, made when there is none.
// A session that had to wait may find that the one before it has put a new
// file in place meanwhile: then it locks that one. -1 with errno on a failure.
int OpenLocked(const std::string& path) {
  for (;;) {
    const int fd = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat locked {};
    struct stat named {};
    if (flock(fd, LOCK_EX) != 0 || fstat(fd, &locked) != 0) {
      const int error = errno;
      close(fd);
      errno = error;
      return -1;
    }
    if (stat(path.c_str(), &named) == 0 && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) return fd;
    close(fd);
  }
}

// The lines in place of the file through a temporary file beside it, with the
// file's permissions; 0 or an errno.
int Replace(const std::string& path, int lockedFd, const std::deque<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    (text += line) += '\n';
  struct stat status {};
  if (fstat(lockedFd, &status) != 0) return errno;
  // mkstemp makes the file for its owner alone (0600).
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return errno;
  int error = fchmod(fd, status.st_mode & 07777) == 0 ? 0 : errno;
  if (error == 0) error = WriteAll(fd, text);
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) unlink(temporary.c_str());
  return error;
}

}  // namespace

TerminalHistoryFile TerminalHistoryFile::FromEnvironment() {
  if (const char* chosen = std::getenv("TALLYWISE_HISTORY")) return TerminalHistoryFile(chosen, false);
  // A relative XDG_STATE_HOME is to be ignored, as the base directory rules say.
  if (const std::string_view state = Variable("XDG_STATE_HOME"); state.starts_with('/'))
    return TerminalHistoryFile(std::string(state) + std::string(kPlace), true);
  if (const std::string_view home = Variable("HOME"); !home.empty())
    return TerminalHistoryFile(std::string(home) + "/.local/state" + std::string(kPlace), true);
  return TerminalHistoryFile("", false);
}

const std::deque<std::string>& TerminalHistoryFile::Load() {
  if (m_path.empty()) return m_lines;
  struct stat status {};
  if (stat(m_path.c_str(), &status) != 0) {
    if (errno != ENOENT) {
      m_writable = false;
      Report(m_path, "cannot read history", errno);
    }
    return m_lines;
  }
  // A device or a pipe is never replaced by a file, nor read: a pipe would
  // keep the session waiting.
  if (!S_ISREG(status.st_mode)) {
    m_writable = false;
    ReportLeftAlone(m_path, "not a regular file; the history is not kept");
    return m_lines;
  }
  const int fd = OpenForReading(m_path.c_str());
  if (fd < 0 || !ReadLines(fd, m_lines)) {
    const int error = errno;
    if (fd >= 0) CloseDescriptor(fd);
    m_writable = false;
    m_lines.clear();
    Report(m_path, "cannot read history", error);
    return m_lines;
  }
  CloseDescriptor(fd);
  if (IsReadOnly(m_path, status)) {
    m_writable = false;
    ReportLeftAlone(m_path, "read-only; the history of this session is not written");
  }
  return m_lines;
}

void TerminalHistoryFile::Add(std::string_view line) {
  // A line end typed into a line (Ctrl+V Ctrl+J) would come back as two lines.
  if (line.find('\n') != std::string_view::npos) return;
  AddKeepingNewest(m_lines, line, kTerminalHistoryLength);
  AddKeepingNewest(m_added, line, kTerminalHistoryLength);
}

void TerminalHistoryFile::Save() {
  if (m_path.empty() || !m_writable || m_added.empty()) return;
  if (m_makeFolders) MakeFoldersFor(m_path);
  const std::string target = FollowedPath(m_path);
  const int fd = OpenLocked(target);
  if (fd < 0) {
    Report(m_path, "cannot write history", errno);
    return;
  }
  // What the file holds now: other sessions may have ended since this one began.
  std::deque<std::string> lines;
  int error = ReadLines(fd, lines) ? 0 : errno;
  if (error == 0) {
    MergeHistory(lines, m_added, kTerminalHistoryLength, Repeats::Kept);
    error = Replace(target, fd, lines);
  }
  close(fd);  // and with it the lock
  if (error != 0) Report(m_path, "cannot write history", error);
}
