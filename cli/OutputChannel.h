// Standard output or standard error, written in large blocks.
#pragma once

#include <string>
#include <string_view>

class OutputChannel {
public:
  // A channel that goes to a terminal is flushed at every line end, so a person
  // sees each result as it is computed.
  OutputChannel(int fd, bool flushEveryLine);
  ~OutputChannel();
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;

  void Write(std::string_view text);
  void EndLine();
  void WriteLine(std::string_view text);
  void Flush();

  // The errno of the first write that failed, 0 while none has. Once one has
  // failed, everything later is dropped: a lost result cannot be made good, and
  // the caller stops and reports it.
  int error() const { return m_error; }

private:
  int m_fd;
  bool m_flushEveryLine;
  int m_error = 0;
  std::string m_pending;
};
