#include "StandardStreams.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The Windows calls take an unsigned count; one call need not do it all.
constexpr size_t kLargestTransfer = INT_MAX / 2;

}  // namespace

#ifdef _WIN32

namespace {

// The console behind a descriptor, or nothing when it goes to a file or a pipe.
HANDLE ConsoleOf(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
  return handle;
}

// One ReadConsoleW as UTF-8. A character of two UTF-16 units is never split
// between two reads, and a line that starts with Ctrl+Z ends the input, as the
// console's users expect.
long ReadConsoleAsUtf8(HANDLE console, char* buffer, size_t size) {
  wchar_t units[4096];
  // A unit becomes at most three bytes; one more unit may be needed for a pair.
  const DWORD wanted = static_cast<DWORD>(std::min<size_t>(std::size(units) - 1, size / 3 - 1));
  DWORD count = 0;
  if (!ReadConsoleW(console, units, wanted, &count, nullptr)) {
    errno = EIO;
    return -1;
  }
  if (count > 0 && units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF) {
    DWORD more = 0;
    if (ReadConsoleW(console, units + count, 1, &more, nullptr)) count += more;
  }
  if (count > 0 && units[0] == 0x1A) return 0;
  if (count == 0) return 0;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, units, static_cast<int>(count), buffer,
                                        static_cast<int>(std::min(size, kLargestTransfer)), nullptr, nullptr);
  if (bytes <= 0) {
    errno = EIO;
    return -1;
  }
  return bytes;
}

int WriteConsoleFromUtf8(HANDLE console, std::string_view data) {
  if (data.empty()) return 0;
  const int size = static_cast<int>(std::min(data.size(), kLargestTransfer));
  std::wstring units(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, data.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, data.data(), size, units.data(), static_cast<int>(units.size()));
  std::wstring_view rest = units;
  while (!rest.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<size_t>(rest.size(), 8192));
    if (!WriteConsoleW(console, rest.data(), chunk, &written, nullptr) || written == 0) return EIO;
    rest.remove_prefix(written);
  }
  return 0;
}

long WriteSome(int fd, const char* data, size_t size) {
  const int count = _write(fd, data, static_cast<unsigned>(std::min(size, kLargestTransfer)));
  // The C library calls a pipe whose reader has gone an invalid argument (which
  // of the three codes comes depends on the Windows version and the pipe).
  if (count < 0) {
    const DWORD error = GetLastError();
    if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED) errno = EPIPE;
  }
  return count;
}

}  // namespace

void UseBinaryStandardStreams() {
  _setmode(kStandardInput, _O_BINARY);
  _setmode(kStandardOutput, _O_BINARY);
  _setmode(kStandardError, _O_BINARY);
}

bool IsTerminal(int fd) { return _isatty(fd) != 0; }

std::optional<unsigned long long> BytesLeftInFile(int fd) {
  struct _stat64 status {};
  if (_fstat64(fd, &status) != 0 || (status.st_mode & _S_IFREG) == 0) return std::nullopt;
  const long long offset = _lseeki64(fd, 0, SEEK_CUR);
  if (offset < 0 || offset > status.st_size) return 0;
  return static_cast<unsigned long long>(status.st_size - offset);
}

int OpenForReading(const char* path) {
  // The path is UTF-8, as every text inside the tool.
  const int size = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
  std::wstring widePath(static_cast<size_t>(std::max(size, 1)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path, -1, widePath.data(), size);
  return _wopen(widePath.c_str(), _O_RDONLY | _O_BINARY);
}

void CloseDescriptor(int fd) { _close(fd); }

bool SameDestination(int, int) { return true; }

long ReadSome(int fd, char* buffer, size_t size) {
  if (HANDLE console = ConsoleOf(fd)) return ReadConsoleAsUtf8(console, buffer, size);
  return _read(fd, buffer, static_cast<unsigned>(std::min(size, kLargestTransfer)));
}

#else

namespace {

long WriteSome(int fd, const char* data, size_t size) {
  for (;;) {
    const ssize_t count = write(fd, data, std::min(size, kLargestTransfer));
    if (count >= 0 || errno != EINTR) return static_cast<long>(count);
  }
}

}  // namespace

void UseBinaryStandardStreams() {}

bool IsTerminal(int fd) { return isatty(fd) != 0; }

std::optional<unsigned long long> BytesLeftInFile(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const off_t offset = lseek(fd, 0, SEEK_CUR);
  if (offset < 0 || offset > status.st_size) return 0;
  return static_cast<unsigned long long>(status.st_size - offset);
}

int OpenForReading(const char* path) {
  for (;;) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd >= 0 || errno != EINTR) return fd;
  }
}

void CloseDescriptor(int fd) { close(fd); }

bool SameDestination(int fd, int other) {
  struct stat first {};
  struct stat second {};
  if (fstat(fd, &first) != 0 || fstat(other, &second) != 0) return true;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

long ReadSome(int fd, char* buffer, size_t size) {
  for (;;) {
    const ssize_t count = read(fd, buffer, std::min(size, kLargestTransfer));
    if (count >= 0 || errno != EINTR) return static_cast<long>(count);
  }
}

#endif

int WriteAll(int fd, std::string_view data) {
#ifdef _WIN32
  if (HANDLE console = ConsoleOf(fd)) return WriteConsoleFromUtf8(console, data);
#endif
  while (!data.empty()) {
    const long count = WriteSome(fd, data.data(), data.size());
    if (count < 0) return errno;
    // A device that takes nothing and names no reason would hold the tool for ever.
    if (count == 0) return EIO;
    data.remove_prefix(static_cast<size_t>(count));
  }
  return 0;
}
