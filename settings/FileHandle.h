// A file opened with CreateFile, closed by whoever holds it.
#pragma once

#include <windows.h>

class FileHandle {
public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  // False when it was not open or the system refused: what was written may
  // not have reached the file.
  bool Close() {
    const bool closed = IsOpen() && ::CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    return closed;
  }

private:
  HANDLE m_handle;
};
