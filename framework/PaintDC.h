// Painting a window between BeginPaint and EndPaint, and the plain fills the
// program's own drawing is made of.
#pragma once

#include <windows.h>

class CPaintDC {
public:
  explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::BeginPaint(hWnd, &m_paint)) {}
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }

  HDC Dc() const { return m_hDC; }

private:
  HWND m_hWnd;
  PAINTSTRUCT m_paint{};
  HDC m_hDC;
};

// A rectangle in one colour, without a brush to make and delete: the
// background of an empty opaque text. Leaves the colour as the DC's background.
inline void FillSolidRect(HDC dc, const RECT& rect, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}
