// A solid brush owned by one object and deleted with it.
#pragma once

#include <windows.h>

class CBrush {
public:
  CBrush() = default;
  CBrush(const CBrush&) = delete;
  CBrush& operator=(const CBrush&) = delete;
  ~CBrush() { Delete(); }

  // Replaces a brush held before; false (keeping it) when none can be made.
  bool CreateSolid(COLORREF colour);
  void Delete();
  HBRUSH GetSafeHandle() const { return m_hBrush; }
  operator HBRUSH() const { return m_hBrush; }

private:
  HBRUSH m_hBrush = nullptr;
};
