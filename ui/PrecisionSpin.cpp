#include "PrecisionSpin.h"

#include <algorithm>

#include "PaintDC.h"

namespace {

int HalfAt(HWND hWnd, LPARAM lParam) {
  RECT client;
  ::GetClientRect(hWnd, &client);
  return static_cast<short>(LOWORD(lParam)) < client.right / 2 ? 0 : 1;
}

// A triangle pointing left or right, drawn a column at a time, centred in the box.
void DrawArrow(HDC dc, const RECT& box, bool right, COLORREF colour) {
  const int half = std::max<int>(2, std::min(box.right - box.left, box.bottom - box.top) / 4);
  const int middleY = (box.top + box.bottom) / 2;
  const int startX = (box.left + box.right) / 2 - half / 2;
  for (int column = 0; column < half; ++column) {
    const int reach = right ? half - 1 - column : column;
    const RECT line{startX + column, middleY - reach, startX + column + 1, middleY + reach + 1};
    FillSolidRect(dc, line, colour);
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CPrecisionSpin, CSpinButtonCtrl)
  ON_WM_PAINT()
  ON_MESSAGE(WM_LBUTTONDOWN, OnButtonDown)
  ON_MESSAGE(WM_LBUTTONDBLCLK, OnButtonDown)
  ON_MESSAGE(WM_LBUTTONUP, OnButtonUp)
  ON_MESSAGE(WM_CAPTURECHANGED, OnButtonUp)
END_MESSAGE_MAP()

void CPrecisionSpin::SetLook(Look look) {
  m_look = look;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPrecisionSpin::OnPaint() {
  if (m_look != Look::kDark) {
    Default();
    return;
  }
  CPaintDC paint(m_hWnd);
  DrawDark(paint.Dc());
}

// Two buttons side by side, the one held down drawn pressed. The control keeps
// its own state to itself, so the press is followed here.
void CPrecisionSpin::DrawDark(HDC dc) const {
  RECT client;
  GetClientRect(&client);
  const DarkPalette& colours = kDarkPalette;
  for (int half = 0; half < 2; ++half) {
    RECT box = client;
    if (half == 0) {
      box.right = client.right / 2;
    } else {
      box.left = client.right / 2;
    }
    FillSolidRect(dc, box, colours.edge);
    RECT face = box;
    ::InflateRect(&face, -1, -1);
    FillSolidRect(dc, face, half == m_nPressedHalf ? colours.facePressed : colours.face);
    DrawArrow(dc, face, half == 1, colours.text);
  }
}

LRESULT CPrecisionSpin::OnButtonDown(WPARAM, LPARAM lParam) {
  m_nPressedHalf = HalfAt(m_hWnd, lParam);
  const LRESULT result = Default();
  if (m_look == Look::kDark) ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return result;
}

LRESULT CPrecisionSpin::OnButtonUp(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (m_nPressedHalf >= 0) {
    m_nPressedHalf = -1;
    if (m_look == Look::kDark) ::InvalidateRect(m_hWnd, nullptr, FALSE);
  }
  return result;
}
