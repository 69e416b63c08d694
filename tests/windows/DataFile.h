// The settings file of the test's Wine prefix, in its Windows directory, as
// the tests prepare and inspect it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

inline std::string MakerDirectory() {
  char windows[MAX_PATH] = "";
  ::GetWindowsDirectoryA(windows, sizeof windows);
  return std::string(windows) + "\\quillbright";
}

inline std::string DataDirectory() { return MakerDirectory() + "\\tallywise"; }
inline std::string DataFilePath() { return DataDirectory() + "\\data.dat"; }

inline bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Back to a machine where the program never ran.
inline void RemoveDataDirectory() {
  const std::string path = DataFilePath();
  if (IsDirectory(path)) {
    ::DeleteFileA((path + "\\kept").c_str());
    ::RemoveDirectoryA(path.c_str());
  }
  ::DeleteFileA(path.c_str());
  ::RemoveDirectoryA(DataDirectory().c_str());
  ::RemoveDirectoryA(MakerDirectory().c_str());
}

// A member placed before the window it concerns: the window starts as on a
// machine where the program never ran, and its settings do not outlive the test.
struct FirstRun {
  FirstRun() { RemoveDataDirectory(); }
  ~FirstRun() { RemoveDataDirectory(); }
  FirstRun(const FirstRun&) = delete;
  FirstRun& operator=(const FirstRun&) = delete;
};

inline bool WriteDataFile(const std::string& bytes) {
  ::CreateDirectoryA(MakerDirectory().c_str(), nullptr);
  ::CreateDirectoryA(DataDirectory().c_str(), nullptr);
  const HANDLE file = ::CreateFileA(DataFilePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

// None when there is no such file.
inline std::optional<std::string> ReadDataFile() {
  const HANDLE file =
      ::CreateFileA(DataFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(4096, '\0');
  DWORD read = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  bytes.resize(read);
  return bytes;
}
