// An icon loaded at one exact size, owned by one object and destroyed with it.
#pragma once

#include <windows.h>

class CIcon {
public:
  CIcon() = default;
  CIcon(const CIcon&) = delete;
  CIcon& operator=(const CIcon&) = delete;
  ~CIcon() { Destroy(); }

  // The icon resource's frame drawn for `size` pixels square. Where the
  // resource has no such frame, the next larger one is scaled down (Windows
  // Vista and later), which keeps it sharper than one scaled up. Replaces an
  // icon held before, which is destroyed only once the new one exists: a
  // window still showing the old one must be given the new one.
  BOOL Load(HINSTANCE module, UINT id, int size);
  void Destroy();
  // Trades icons with another object: a window can be given the new icon
  // before the old one, now held by the other object, is destroyed.
  void Swap(CIcon& other) noexcept {
    const HICON mine = m_hIcon;
    m_hIcon = other.m_hIcon;
    other.m_hIcon = mine;
  }

  HICON GetSafeHandle() const { return m_hIcon; }
  operator HICON() const { return m_hIcon; }

private:
  HICON m_hIcon = nullptr;
};
