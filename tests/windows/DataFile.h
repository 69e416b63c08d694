// The settings file of the test's Wine prefix, in its Windows directory, and
// the history and choices files beside it, as the tests prepare and inspect them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "FileBytes.h"

inline std::string MakerDirectory() {
  char windows[MAX_PATH] = "";
  ::GetWindowsDirectoryA(windows, sizeof windows);
  return std::string(windows) + "\\quillbright";
}

inline std::string DataDirectory() { return MakerDirectory() + "\\tallywise"; }
inline std::string DataFilePath() { return DataDirectory() + "\\data.dat"; }
inline std::string HistoryFilePath() { return DataDirectory() + "\\history.txt"; }
inline std::string ChoicesFilePath() { return DataDirectory() + "\\choices.txt"; }

// Back to a machine where the program never ran.
inline void RemoveDataDirectory() {
  const std::string path = DataFilePath();
  if (IsDirectory(path)) {
    ::DeleteFileA((path + "\\kept").c_str());
    ::RemoveDirectoryA(path.c_str());
  }
  ::DeleteFileA(path.c_str());
  ::DeleteFileA(HistoryFilePath().c_str());
  ::DeleteFileA(ChoicesFilePath().c_str());
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
  return WriteFileBytes(DataFilePath(), bytes);
}

// None when there is no such file.
inline std::optional<std::string> ReadDataFile() { return ReadFileBytes(DataFilePath()); }
