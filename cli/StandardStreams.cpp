#include "StandardStreams.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The Windows calls take an unsigned count; one call need not do it all.
constexpr size_t kLargestTransfer = INT_MAX / 2;

}  // namespace

#ifdef _WIN32

void UseBinaryStandardStreams() {
  _setmode(kStandardInput, _O_BINARY);
  _setmode(kStandardOutput, _O_BINARY);
  _setmode(kStandardError, _O_BINARY);
}

bool IsTerminal(int fd) { return _isatty(fd) != 0; }

bool SameDestination(int, int) { return true; }

long ReadSome(int fd, char* buffer, size_t size) {
  return _read(fd, buffer, static_cast<unsigned>(std::min(size, kLargestTransfer)));
}

namespace {
long WriteSome(int fd, const char* data, size_t size) {
  return _write(fd, data, static_cast<unsigned>(std::min(size, kLargestTransfer)));
}
}  // namespace

#else

void UseBinaryStandardStreams() {}

bool IsTerminal(int fd) { return isatty(fd) != 0; }

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

namespace {
long WriteSome(int fd, const char* data, size_t size) {
  for (;;) {
    const ssize_t count = write(fd, data, std::min(size, kLargestTransfer));
    if (count >= 0 || errno != EINTR) return static_cast<long>(count);
  }
}
}  // namespace

#endif

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const long count = WriteSome(fd, data.data(), data.size());
    if (count < 0) return errno;
    // A device that takes nothing and names no reason would hold the tool for ever.
    if (count == 0) return EIO;
    data.remove_prefix(static_cast<size_t>(count));
  }
  return 0;
}
