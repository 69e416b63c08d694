#include "ExactMark.h"

#include "PaintDC.h"

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

// "≈" in the dialog's font, on the ground the window gives its static controls,
// in the prompt's colour: like a prompt it asks for a look, and the colour is
// already chosen to stand out from the text in both modes. Under high contrast
// the system's text colour alone.
void CExactMark::OnPaint() {
  CPaintDC paint(m_hWnd);
  const HDC dc = paint.Dc();
  RECT client;
  GetClientRect(&client);
  auto ground = reinterpret_cast<HBRUSH>(
      ::SendMessageA(::GetParent(m_hWnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(m_hWnd)));
  if (!ground) ground = ::GetSysColorBrush(COLOR_3DFACE);
  ::FillRect(dc, &client, ground);

  COLORREF colour = ::GetSysColor(COLOR_BTNTEXT);
  if (m_look == Look::kLight) colour = kPromptOnLight;
  if (m_look == Look::kDark) colour = kPromptOnDark;
  const auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  const HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, colour);
  ::DrawTextW(dc, L"\u2248", 1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
  if (oldFont) ::SelectObject(dc, oldFont);
}
