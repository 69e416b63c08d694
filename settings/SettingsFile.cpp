#include "SettingsFile.h"

#include <windows.h>

#include "FileHandle.h"
#include "SettingsText.h"

namespace {

// A file that is deleted again unless it is kept.
class TemporaryFile {
public:
  explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!m_path.empty()) ::DeleteFileA(m_path.c_str());
  }

  const std::string& Path() const { return m_path; }
  void Keep() { m_path.clear(); }

private:
  std::string m_path;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool WriteAll(HANDLE file, const std::string& text) {
  DWORD written = 0;
  return ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

bool IsFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A file can be made there: the only sure test, since neither the folder's
// attributes nor its security say what a user may do on a USB stick, a
// network share or below Program Files.
bool CanCreateFilesIn(const std::string& folder) {
  char name[MAX_PATH] = "";
  if (!::GetTempFileNameA(folder.c_str(), "tw", 0, name)) return false;
  ::DeleteFileA(name);
  return true;
}

std::string PortableDataDirectory() {
  char program[MAX_PATH] = "";
  const DWORD length = ::GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return "";
  const std::string folder = FolderOf(std::string(program, length));
  if (!IsFile(folder + "\\" + kPortableMarkerName) || !CanCreateFilesIn(folder)) return "";
  return folder + "\\";
}

// The file in place of another. Windows replaces no file that is open, and a
// reader may hold it for a moment: a window starting, a virus scanner, a search
// indexer. A file that stays in the way (marked read-only) is given up on soon.
bool ReplaceFileWith(const std::string& path, const char* replacement) {
  constexpr int kAttempts = 25;
  for (int attempt = 1;; ++attempt) {
    if (::MoveFileExA(replacement, path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = ::GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kAttempts) return false;
    ::Sleep(10);
  }
}

}  // namespace

std::string GetDataDirectory() {
  const std::string portable = PortableDataDirectory();
  if (!portable.empty()) return portable;
  char windows[MAX_PATH] = "";
  const UINT length = ::GetWindowsDirectoryA(windows, sizeof windows);
  std::string directory(windows, length < sizeof windows ? length : 0);
  directory += "\\quillbright";
  ::CreateDirectoryA(directory.c_str(), nullptr);
  directory += "\\tallywise";
  ::CreateDirectoryA(directory.c_str(), nullptr);
  return directory + "\\";
}

std::string GetSettingsPath() { return GetDataDirectory() + "data.dat"; }

bool ReadSettingsFile(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  char bytes[kSettingsReadLimit];
  DWORD read = 0;
  if (!::ReadFile(file.Get(), bytes, sizeof bytes, &read, nullptr)) read = 0;
  lines = SplitSettingsText(std::string_view(bytes, read));
  return true;
}

bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines) {
  char name[MAX_PATH] = "";
  if (!::GetTempFileNameA(FolderOf(path).c_str(), "tw", 0, name)) return false;
  TemporaryFile temporary(name);
  FileHandle file(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  if (!WriteAll(file.Get(), JoinSettingsLines(lines)) || !::FlushFileBuffers(file.Get()) || !file.Close()) {
    return false;
  }
  if (!ReplaceFileWith(path, name)) return false;
  temporary.Keep();
  return true;
}
