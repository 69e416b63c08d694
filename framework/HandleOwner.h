// A handle of the system owned by one object: released with it, and replaced
// only once the new handle exists, so that a window still showing the old one
// can be given the new one first. Each kind of handle names the function that frees it.
#pragma once

#include <utility>

template <class Handle, auto FreeHandle>
class CHandleOwner {
public:
  CHandleOwner() = default;
  CHandleOwner(const CHandleOwner&) = delete;
  CHandleOwner& operator=(const CHandleOwner&) = delete;
  ~CHandleOwner() { Reset(); }

  // Releases the handle held, if any.
  void Reset() {
    if (m_handle) FreeHandle(m_handle);
    m_handle = nullptr;
  }
  // Trades handles with another owner: a window can be given the new handle
  // before the old one, now held by the other owner, is released.
  void Swap(CHandleOwner& other) noexcept { std::swap(m_handle, other.m_handle); }

  // Takes `handle` in place of the one held; false, keeping the old one, when
  // there is no new one.
  bool Replace(Handle handle) {
    if (!handle) return false;
    Reset();
    m_handle = handle;
    return true;
  }

  Handle GetSafeHandle() const { return m_handle; }
  operator Handle() const { return m_handle; }

private:
  Handle m_handle = nullptr;
};
