#include "ExactMark.h"

#include <algorithm>

#include "PaintDC.h"

namespace {

constexpr wchar_t kSign[] = L"\u2248";

// The dialog's face, bold, at the size whose sign fills the box's width but a
// pixel each side, and is at most three fifths of its height: faces draw the
// sign in widths of their own.
void MakeSignFont(HDC dc, HFONT dialogFont, const RECT& box, CFont& font) {
  LOGFONTA look{};
  ::GetObjectA(dialogFont, sizeof look, &look);
  look.lfWidth = 0;
  look.lfWeight = FW_BOLD;
  look.lfHeight = -100;
  SIZE at100{};
  CFont measured;
  if (measured.CreateFontIndirect(&look)) {
    const HGDIOBJ old = ::SelectObject(dc, measured.GetSafeHandle());
    ::GetTextExtentPoint32W(dc, kSign, 1, &at100);
    ::SelectObject(dc, old);
  }
  int height = box.bottom * 3 / 5;
  if (at100.cx > 0) height = std::min(height, ScaleLength(box.right - 2, 100, at100.cx));
  look.lfHeight = -std::max(height, 1);
  font.CreateFontIndirect(&look);
}

}  // namespace

BEGIN_MESSAGE_MAP(CExactMark, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CExactMark::SetLook(Look look) {
  m_look = look;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// The ground is painted with the rest of the picture, so that it never flickers.
BOOL CExactMark::OnEraseBkgnd(HDC) { return TRUE; }

// "≈" in the dialog's face, bold and as large as the gap between the Result
// button and the field allows, on the ground the window gives its static
// controls, in the prompt's colour: like a prompt it asks for a look, and the
// colour is already chosen to stand out from the text in both modes. Under high
// contrast the system's text colour alone.
void CExactMark::OnPaint() {
  CPaintDC paint(m_hWnd);
  const HDC dc = paint.Dc();
  RECT client;
  GetClientRect(&client);
  auto ground = reinterpret_cast<HBRUSH>(::SendMessageA(
      ::GetParent(m_hWnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hWnd)));
  if (!ground) ground = ::GetSysColorBrush(COLOR_3DFACE);
  ::FillRect(dc, &client, ground);

  COLORREF colour = ::GetSysColor(COLOR_BTNTEXT);
  if (m_look == Look::kLight) colour = kPromptOnLight;
  if (m_look == Look::kDark) colour = kPromptOnDark;
  CFont font;
  MakeSignFont(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)), client, font);
  const HGDIOBJ oldFont = font.GetSafeHandle() ? ::SelectObject(dc, font.GetSafeHandle()) : nullptr;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, colour);
  ::DrawTextW(dc, kSign, 1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
  if (oldFont) ::SelectObject(dc, oldFont);
}
