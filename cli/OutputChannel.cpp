#include "OutputChannel.h"

#include "StandardStreams.h"

namespace {

// Large enough that a million short results take a few hundred writes.
constexpr size_t kBlockSize = 64 * 1024;

}  // namespace

OutputChannel::OutputChannel(int fd, bool flushEveryLine) : m_fd(fd), m_flushEveryLine(flushEveryLine) {
  m_pending.reserve(kBlockSize + 256);
}

// Whatever is still pending goes out; a failure here can no longer be reported,
// which is why the tool flushes before it ends.
OutputChannel::~OutputChannel() { Flush(); }

void OutputChannel::Write(std::string_view text) {
  if (m_error != 0) return;
  m_pending += text;
  if (m_pending.size() >= kBlockSize) Flush();
}

void OutputChannel::WriteLine(std::string_view text) {
  if (m_error != 0) return;
  m_pending.append(text).append(kLineEnd);
  if (m_flushEveryLine || m_pending.size() >= kBlockSize) Flush();
}

void OutputChannel::EndLine() { WriteLine({}); }

void OutputChannel::Flush() {
  if (m_error == 0 && !m_pending.empty()) m_error = WriteAll(m_fd, m_pending);
  m_pending.clear();
}
