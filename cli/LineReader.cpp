#include "LineReader.h"

#include <cerrno>
#include <cstring>

#include "StandardStreams.h"

namespace {

constexpr size_t kBlockSize = 256 * 1024;

}  // namespace

LineReader::LineReader(int fd) : m_fd(fd), m_buffer(kBlockSize) {}

bool LineReader::Next(std::string_view& line) {
  for (;;) {
    const char* base = m_buffer.data();
    if (const void* lf = std::memchr(base + m_scanned, '\n', m_end - m_scanned)) {
      const size_t lineEnd = static_cast<size_t>(static_cast<const char*>(lf) - base);
      size_t length = lineEnd - m_lineStart;
      if (length > 0 && base[lineEnd - 1] == '\r') --length;
      line = std::string_view(base + m_lineStart, length);
      m_lineStart = m_scanned = lineEnd + 1;
      return true;
    }
    m_scanned = m_end;
    if (!Fill()) {
      if (m_error != 0 || m_lineStart == m_end) return false;
      line = std::string_view(m_buffer.data() + m_lineStart, m_end - m_lineStart);
      m_lineStart = m_scanned = m_end;
      return true;
    }
  }
}

bool LineReader::Fill() {
  if (m_ended || m_error != 0) return false;
  // The unfinished line moves to the front; only a line longer than the buffer
  // makes it grow, by doubling, so even a very long line costs linear time.
  if (m_lineStart > 0) {
    std::memmove(m_buffer.data(), m_buffer.data() + m_lineStart, m_end - m_lineStart);
    m_end -= m_lineStart;
    m_scanned -= m_lineStart;
    m_lineStart = 0;
  }
  if (m_buffer.size() - m_end < kBlockSize / 2) m_buffer.resize(m_buffer.size() * 2);
  const long count = ReadSome(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
  if (count < 0) {
    m_error = errno;
    return false;
  }
  if (count == 0) {
    m_ended = true;
    return false;
  }
  m_end += static_cast<size_t>(count);
  return true;
}
