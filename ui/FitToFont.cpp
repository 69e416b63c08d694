// The two fields as high as their display font needs, and the window with
// them (the arithmetic is in WindowLayout.h). The window is never sized by the
// user: only the font and the scale decide its height.
#include "Geometry.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"
#include "WindowLayout.h"

namespace {

// In the order of LaidOut.
constexpr int kLaidOutIds[kLaidOutCount] = {IDC_EXPRESSION, IDC_RESULT, IDC_RESULT_BUTTON, IDC_TOPMOST,
                                            IDC_PRECISION};

Rect PlaceInClient(HWND control, HWND dialog) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return RectAs<Rect>(rect);
}

}  // namespace

void CTallywiseDlg::NoteTemplateLayout() {
  m_nTemplateDpi = m_nDpi;
  GetClientRect(&m_rcTemplateClient);
  for (size_t i = 0; i < m_arrTemplatePlaces.size(); ++i)
    m_arrTemplatePlaces[i] = PlaceInClient(GetDlgItem(kLaidOutIds[i]), m_hWnd);
}

// The font's full line height and the field's own border; 0 when there is no
// font to measure.
int CTallywiseDlg::FieldHeightForFont() const {
  if (!m_pFont || !m_pFont->GetSafeHandle()) return 0;
  TEXTMETRICA metrics{};
  const HDC dc = ::GetDC(m_editExpression);
  if (!dc) return 0;
  const HGDIOBJ old = ::SelectObject(dc, m_pFont->GetSafeHandle());
  const BOOL measured = ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_editExpression, dc);
  if (!measured) return 0;
  RECT outer{};
  RECT inner{};
  ::GetWindowRect(m_editExpression, &outer);
  ::GetClientRect(m_editExpression, &inner);
  return FieldHeightForText(metrics.tmHeight, Height(outer) - Height(inner), static_cast<int>(m_nDpi));
}

void CTallywiseDlg::FitToFont() {
  const WindowLayout layout = ::FitToFont(m_arrTemplatePlaces, m_rcTemplateClient.bottom,
                                          static_cast<int>(m_nTemplateDpi), static_cast<int>(m_nDpi),
                                          FieldHeightForFont());
  for (size_t i = 0; i < layout.places.size(); ++i) {
    const HWND control = GetDlgItem(kLaidOutIds[i]);
    const Rect& place = layout.places[i];
    if (PlaceInClient(control, m_hWnd) == place) continue;
    ::SetWindowPos(control, nullptr, place.left, place.top, Width(place), Height(place),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PlaceExactMark();

  RECT window{};
  RECT client{};
  GetWindowRect(&window);
  GetClientRect(&client);
  if (client.bottom == layout.clientHeight) return;
  SetWindowPos(nullptr, 0, 0, Width(window), Height(window) - client.bottom + layout.clientHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
