#include "LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "StandardStreams.h"

namespace {

constexpr size_t kBlockSize = 256 * 1024;
// A line that outgrows the buffer in a file makes room for the rest of the file
// at once, up to this size; beyond it the buffer grows by half, as for a pipe.
constexpr unsigned long long kLargestLeap = 64ull * 1024 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineReader::LineReader(int fd, std::function<void()> beforeWaiting)
    : m_fd(fd),
      m_bytesLeftInFile(BytesLeftInFile(fd)),
      m_beforeWaiting(std::move(beforeWaiting)) {}

bool LineReader::Next(std::string_view& line) {
  for (;;) {
    const char* base = m_buffer.get();
    const void* lf = m_scanned < m_end ? std::memchr(base + m_scanned, '\n', m_end - m_scanned) : nullptr;
    if (lf != nullptr) {
      const size_t lineEnd = static_cast<size_t>(static_cast<const char*>(lf) - base);
      size_t length = lineEnd - m_lineStart;
      if (length > 0 && base[lineEnd - 1] == '\r') --length;
      line = TakeLine(length, lineEnd + 1);
      return true;
    }
    m_scanned = m_end;
    if (!Fill()) {
      if (m_error != 0 || m_lineStart == m_end) return false;
      line = TakeLine(m_end - m_lineStart, m_end);
      return true;
    }
  }
}

std::string_view LineReader::TakeLine(size_t length, size_t next) {
  std::string_view line(m_buffer.get() + m_lineStart, length);
  if (m_atStart && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
  m_atStart = false;
  m_lineStart = m_scanned = next;
  ++m_lineNumber;
  return line;
}

bool LineReader::Fill() {
  if (m_ended || m_error != 0) return false;
  // The unfinished line moves to the front; only a line longer than the buffer
  // makes it grow: in a file to hold the rest of it, otherwise by half, so even
  // a very long line costs linear time and the buffer stays within one and a half
  // times the longest line.
  if (m_lineStart > 0) {
    std::memmove(m_buffer.get(), m_buffer.get() + m_lineStart, m_end - m_lineStart);
    m_end -= m_lineStart;
    m_scanned -= m_lineStart;
    m_lineStart = 0;
  }
  if (m_size - m_end < kBlockSize / 2 && !Grow(LargerSize())) {
    // A line longer than the memory the system gives is an input this tool
    // cannot take: it ends as a read error would.
    m_error = ENOMEM;
    return false;
  }
  if (!m_bytesLeftInFile && m_beforeWaiting) m_beforeWaiting();
  const long count = ReadSome(m_fd, m_buffer.get() + m_end, m_size - m_end);
  if (count < 0) {
    m_error = errno;
    return false;
  }
  if (count == 0) {
    m_ended = true;
    return false;
  }
  m_end += static_cast<size_t>(count);
  if (m_bytesLeftInFile) *m_bytesLeftInFile -= std::min(*m_bytesLeftInFile, static_cast<unsigned long long>(count));
  return true;
}

size_t LineReader::LargerSize() const {
  if (m_size == 0) return kBlockSize;
  const size_t byHalf = m_size + m_size / 2;
  if (!m_bytesLeftInFile || *m_bytesLeftInFile > kLargestLeap) return byHalf;
  // Room for one more read that finds the end, so the buffer is not grown again.
  const size_t wholeFile = m_end + static_cast<size_t>(*m_bytesLeftInFile) + kBlockSize / 2;
  return std::max(byHalf, wholeFile);
}

// realloc rather than a new block and a copy: the C library moves a large
// block's pages where it can, so a long line is never held twice while the
// buffer grows.
bool LineReader::Grow(size_t size) {
  char* grown = static_cast<char*>(std::realloc(m_buffer.get(), size));
  if (grown == nullptr) return false;
  static_cast<void>(m_buffer.release());
  m_buffer.reset(grown);
  m_size = size;
  return true;
}
