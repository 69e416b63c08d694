// Standard input split into lines, read in large blocks.
#pragma once

#include <string_view>
#include <vector>

class LineReader {
public:
  explicit LineReader(int fd);

  // The next line without its line end, valid until the next call. A line ends
  // with LF or CR LF; a last line without a line end is a line too. False at the
  // end of the input, and on a read error: then error() holds the errno, and an
  // unfinished line read before it is not returned, since it may be cut short.
  bool Next(std::string_view& line);

  int error() const { return m_error; }

private:
  // Reads the next block after what is kept; false at the end or on an error.
  bool Fill();

  int m_fd;
  int m_error = 0;
  bool m_ended = false;
  std::vector<char> m_buffer;
  size_t m_lineStart = 0;  // where the line being looked for starts
  size_t m_scanned = 0;    // up to here there is no LF after m_lineStart
  size_t m_end = 0;        // end of what has been read
};
