#include "Clipboard.h"

#include <cstring>
#include <memory>

namespace {

class ClipboardSession {
public:
  explicit ClipboardSession(HWND owner) : m_open(::OpenClipboard(owner)) {}
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (m_open) ::CloseClipboard();
  }
  explicit operator bool() const { return m_open; }

private:
  bool m_open;
};

// A lock on global memory: its address while it lasts.
class LockedGlobal {
public:
  explicit LockedGlobal(HGLOBAL memory) : m_memory(memory), m_data(memory ? ::GlobalLock(memory) : nullptr) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (m_data) ::GlobalUnlock(m_memory);
  }
  void* Data() const { return m_data; }

private:
  HGLOBAL m_memory;
  void* m_data;
};

struct GlobalFreer {
  void operator()(void* memory) const { ::GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;

}  // namespace

// The text ends at its NUL, or at the end of the block for a program that
// left the NUL out.
std::optional<std::u16string> ReadClipboardUnicodeText(HWND owner) {
  const ClipboardSession clipboard(owner);
  if (!clipboard) return std::nullopt;
  const HGLOBAL memory = ::GetClipboardData(CF_UNICODETEXT);
  const LockedGlobal lock(memory);
  if (!lock.Data()) return std::nullopt;
  const auto* text = static_cast<const char16_t*>(lock.Data());
  const std::size_t capacity = ::GlobalSize(memory) / sizeof(char16_t);
  std::size_t length = 0;
  while (length < capacity && text[length] != 0)
    ++length;
  return std::u16string(text, length);
}

bool WriteClipboardText(HWND owner, const std::string& text) {
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) return false;
  {
    const LockedGlobal lock(memory.get());
    if (!lock.Data()) return false;
    std::memcpy(lock.Data(), text.c_str(), text.size() + 1);
  }
  const ClipboardSession clipboard(owner);
  if (!clipboard || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_TEXT, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  return true;
}
