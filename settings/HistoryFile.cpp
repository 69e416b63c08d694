#include "HistoryFile.h"

#include <windows.h>

#include "HistoryText.h"
#include "SettingsFile.h"

namespace {

class ReadHandle {
public:
  explicit ReadHandle(const std::string& path)
      : m_handle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ReadHandle(const ReadHandle&) = delete;
  ReadHandle& operator=(const ReadHandle&) = delete;
  ~ReadHandle() {
    if (IsOpen()) ::CloseHandle(m_handle);
  }

  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }

private:
  HANDLE m_handle;
};

}  // namespace

std::string GetHistoryPath() { return GetDataDirectory() + "history.txt"; }

// Read in pieces, so that a short file takes little memory; one byte past the
// limit tells a file that goes on from one that ends there.
std::vector<std::string> ReadHistoryFile(const std::string& path) {
  const ReadHandle file(path);
  if (!file.IsOpen()) return {};
  std::string text;
  char piece[16384];
  DWORD read = 0;
  while (text.size() <= kHistoryReadLimit && ::ReadFile(file.Get(), piece, sizeof piece, &read, nullptr) && read > 0)
    text.append(piece, read);
  const bool cutShort = text.size() > kHistoryReadLimit;
  if (cutShort) text.resize(kHistoryReadLimit);
  return ParseHistoryText(text, cutShort);
}

// The settings file's writer replaces a file through a temporary one, and
// ends each line with CR LF as the history's text does.
bool WriteHistoryFile(const std::string& path, const std::vector<std::string>& expressions) {
  return WriteSettingsFile(path, HistoryLinesOf(expressions));
}
