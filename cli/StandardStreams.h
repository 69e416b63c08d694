// The three standard descriptors, read and written without the C library's
// buffering, the same way on Linux and on Windows.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Every line the tool writes ends so: on Windows with CR LF, the line end of text
// files there, which the tools that read them expect (a console would take a
// bare LF as well).
#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

// On Windows the descriptors start in text mode, which would turn CR LF into LF
// on the way in (and end the input at a Ctrl+Z) and LF into CR LF on the way out;
// the tool handles line ends itself, so all three are switched to binary.
void UseBinaryStandardStreams();

bool IsTerminal(int fd);

// For a file on a disk, where a read never waits for someone to write, the bytes
// from the current offset to its end as they are now; none for anything else.
std::optional<unsigned long long> BytesLeftInFile(int fd);

// Opens a file for reading: its descriptor, or -1 with errno set.
int OpenForReading(const char* path);
void CloseDescriptor(int fd);

// Whether two descriptors write into the same file, pipe or terminal (as they do
// after 2>&1), so that the order of their writes is what a reader sees. Says yes
// when it cannot tell, and so always on Windows: the C library's stat there gives
// every file the identity number 0, and the tool does not ask the system for the
// file's own (its volume and index).
bool SameDestination(int fd, int other);

// Up to `size` bytes into `buffer`: the count read, 0 at the end of the input, or
// -1 with errno set. A Windows console is read as UTF-16 and handed on as UTF-8,
// so no character typed is replaced by a look-alike of the code page.
long ReadSome(int fd, char* buffer, size_t size);

// All of `data`, going on after interruptions and partial writes: 0, or the errno
// of the write that failed (EPIPE for a pipe whose reader has gone). Text for a
// Windows console is UTF-8 and is shown as such.
int WriteAll(int fd, std::string_view data);
