#include "ChoicesFile.h"

#include <windows.h>

#include "FileHandle.h"
#include "SettingsFile.h"

std::string GetChoicesPath() { return GetDataDirectory() + "choices.txt"; }

Choices ReadChoicesFile(const std::string& path) {
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return {};
  // One byte more than is read, to tell a file that is too long.
  std::string bytes(kChoicesReadLimit + 1, '\0');
  DWORD read = 0;
  if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read > kChoicesReadLimit) {
    return {};
  }
  bytes.resize(read);
  return ParseChoicesText(bytes);
}

bool WriteChoicesFile(const std::string& path, const Choices& choices) {
  return WriteSettingsFile(path, ChoicesLinesOf(choices));
}
