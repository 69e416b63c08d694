// An input split into lines, read in large blocks.
#pragma once

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class LineReader {
public:
  // `beforeWaiting` runs before every read that may have to wait for someone
  // (a terminal, a pipe, a socket: anything but a plain file), so that the answers
  // to what was read so far go out before the reader waits for more.
  LineReader(int fd, std::function<void()> beforeWaiting);

  // The next line without its line end, valid until the next call. A line ends
  // with LF or CR LF; a last line without a line end is a line too; a UTF-8
  // byte-order mark at the start of the input is no part of the first line. False
  // at the end of the input, and on a read error: then error() holds the errno,
  // and an unfinished line read before it is not returned, since it may be cut short.
  bool Next(std::string_view& line);

  // The number of the line Next gave last, counted from 1.
  long long lineNumber() const { return m_lineNumber; }
  int error() const { return m_error; }

private:
  // Reads the next block after what is kept; false at the end or on an error.
  bool Fill();
  size_t LargerSize() const;
  bool Grow(size_t size);
  std::string_view TakeLine(size_t length, size_t next);

  int m_fd;
  // What a plain file still holds; none for a terminal, a pipe or a socket, whose
  // reads may wait.
  std::optional<unsigned long long> m_bytesLeftInFile;
  std::function<void()> m_beforeWaiting;
  int m_error = 0;
  bool m_ended = false;
  bool m_atStart = true;
  long long m_lineNumber = 0;
  struct FreeBlock {
    void operator()(char* block) const { std::free(block); }
  };
  std::unique_ptr<char, FreeBlock> m_buffer;
  size_t m_size = 0;
  size_t m_lineStart = 0;  // where the line being looked for starts
  size_t m_scanned = 0;    // up to here there is no LF after m_lineStart
  size_t m_end = 0;        // end of what has been read
};
