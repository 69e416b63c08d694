#include "WindowHistoryFile.h"

#include <windows.h>

#include <algorithm>

#include "FileHandle.h"
#include "WindowHistoryText.h"
#include "SettingsFile.h"

namespace {

HANDLE OpenToRead(const std::string& path) {
  return ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// One window at a time reads, merges and replaces the file: the others wait
// their turn, so that no two replace it from the same old state. The lock is
// named after the file; a lock whose holder ended is taken over. A window
// that has waited 5 s for it goes on without it rather than hang with a holder
// that hangs: the two may then replace the file from the same old state, and
// the file keeps only one window's new expressions.
class HistoryLock {
public:
  explicit HistoryLock(const std::string& path) {
    std::string name = "Tallywise.history." + path;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.size() >= MAX_PATH) name.resize(MAX_PATH - 1);
    m_mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
    m_held = m_mutex && ::WaitForSingleObject(m_mutex, 5000) != WAIT_TIMEOUT;
  }
  HistoryLock(const HistoryLock&) = delete;
  HistoryLock& operator=(const HistoryLock&) = delete;
  ~HistoryLock() {
    if (m_held) ::ReleaseMutex(m_mutex);
    if (m_mutex) ::CloseHandle(m_mutex);
  }

private:
  HANDLE m_mutex = nullptr;
  bool m_held = false;
};

// The file a link leads to, or the path itself where it leads nowhere yet.
std::string FollowedPath(const std::string& path) {
  const FileHandle file(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.IsOpen()) return path;
  char target[MAX_PATH + 8] = "";
  const DWORD length = ::GetFinalPathNameByHandleA(file.Get(), target, sizeof target, FILE_NAME_NORMALIZED);
  if (length == 0 || length >= sizeof target) return path;
  std::string followed(target, length);
  if (followed.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + followed.substr(8);
  if (followed.rfind("\\\\?\\", 0) == 0) return followed.substr(4);
  return followed;
}

// Whether the file may be replaced: a file that does not exist yet may be
// made; a folder, a device or a file marked read-only is left as it is.
// Wine gives no attributes for a Unix device node, which still opens.
HistoryWrite Replaceable(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return HistoryWrite::Written;
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    return HistoryWrite::NotAFile;
  }
  const FileHandle file(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  if (!file.IsOpen()) return HistoryWrite::Failed;
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) return HistoryWrite::NotAFile;
  if (attributes == INVALID_FILE_ATTRIBUTES) return HistoryWrite::Failed;
  if (attributes & FILE_ATTRIBUTE_READONLY) return HistoryWrite::ReadOnly;
  return HistoryWrite::Written;
}

HistoryWrite Replace(const std::string& target, const std::vector<std::string>& expressions) {
  const HistoryWrite replaceable = Replaceable(target);
  if (replaceable != HistoryWrite::Written) return replaceable;
  return WriteSettingsFile(target, HistoryLinesOf(expressions)) ? HistoryWrite::Written : HistoryWrite::Failed;
}

}  // namespace

std::string GetHistoryPath() { return GetDataDirectory() + "history.txt"; }

// The end of the file, in pieces, so that a short file takes little memory.
// One byte before the part read tells whether it begins a line.
std::vector<std::string> ReadHistoryFile(const std::string& path) {
  const FileHandle file(OpenToRead(path));
  if (!file.IsOpen() || ::GetFileType(file.Get()) != FILE_TYPE_DISK) return {};
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) return {};
  const bool cutShort = static_cast<unsigned long long>(size.QuadPart) > kHistoryReadLimit;
  if (cutShort) {
    LARGE_INTEGER from{};
    from.QuadPart = size.QuadPart - static_cast<long long>(kHistoryReadLimit) - 1;
    if (!::SetFilePointerEx(file.Get(), from, nullptr, FILE_BEGIN)) return {};
  }
  std::string text;
  char piece[16384];
  DWORD read = 0;
  while (text.size() <= kHistoryReadLimit && ::ReadFile(file.Get(), piece, sizeof piece, &read, nullptr) && read > 0)
    text.append(piece, read);
  return ParseHistoryText(text, cutShort);
}

HistoryWrite AddToHistoryFile(const std::string& path, const std::vector<std::string>& added) {
  const std::string target = FollowedPath(path);
  const HistoryLock lock(target);
  std::vector<std::string> expressions = ReadHistoryFile(target);
  // A window that gives the same expression again adds it once, as its own
  // history does.
  MergeHistory(expressions, added, kWindowHistoryLength, Repeats::AddedOnce);
  return Replace(target, expressions);
}

HistoryWrite ClearHistoryFile(const std::string& path) {
  const std::string target = FollowedPath(path);
  const HistoryLock lock(target);
  return Replace(target, {});
}
