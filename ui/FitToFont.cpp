// The two fields as high as their display font needs, and the window with
// them (the arithmetic is in WindowLayout.h). The window is never sized by the
// user: only the font and the scale decide its size. A font so wide that the
// result field would hold fewer than 20 digits widens both fields and the
// window with them, up to the width of the monitor's work area; past that the
// fields scroll.
#include <algorithm>

#include "Geometry.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"
#include "WindowLayout.h"
#include "WindowPlace.h"

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

// What `measure` finds with the display font selected into a DC of the field,
// as the field draws with it; false when nothing could be measured.
template <class Measure>
bool MeasureInField(HWND field, HFONT font, Measure measure) {
  const HDC dc = ::GetDC(field);
  if (!dc) return false;
  const HGDIOBJ old = ::SelectObject(dc, font);
  const BOOL measured = measure(dc);
  ::SelectObject(dc, old);
  ::ReleaseDC(field, dc);
  return measured != FALSE;
}

// The field's border: its window less its client area.
SIZE BorderOf(HWND field) {
  RECT outer{};
  RECT inner{};
  ::GetWindowRect(field, &outer);
  ::GetClientRect(field, &inner);
  return {Width(outer) - Width(inner), Height(outer) - Height(inner)};
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
  if (!MeasureInField(m_editExpression, m_pFont->GetSafeHandle(),
                      [&](HDC dc) { return ::GetTextMetricsA(dc, &metrics); }))
    return 0;
  return FieldHeightForText(metrics.tmHeight, BorderOf(m_editExpression).cy, static_cast<int>(m_nDpi));
}

// The width the result field lacks to hold 20 digits of the display font,
// kept within the work area of the window's monitor: the window may grow by
// no more than the room left beside its usual width.
int CTallywiseDlg::WidthToAddForFont(int resultWidth, int clientWidth) const {
  if (!m_pFont || !m_pFont->GetSafeHandle()) return 0;
  SIZE digits{};
  if (!MeasureInField(m_editResult, m_pFont->GetSafeHandle(),
                      [&](HDC dc) { return ::GetTextExtentPoint32A(dc, "00000000000000000000", 20, &digits); }))
    return 0;
  const auto margins = static_cast<DWORD>(m_editResult.SendMessage(EM_GETMARGINS));
  // The caret stands after the last digit, a pixel or two wide.
  const int needed = digits.cx + BorderOf(m_editResult).cx + LOWORD(margins) + HIWORD(margins) +
                     ScaleFrom96(2, m_nDpi);
  if (needed <= resultWidth) return 0;

  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) return 0;
  RECT window{};
  RECT client{};
  GetWindowRect(&window);
  GetClientRect(&client);
  const int frame = Width(window) - client.right;
  const int room = Width(monitor.rcWork) - frame - clientWidth;
  return std::clamp(needed - resultWidth, 0, std::max(0, room));
}

void CTallywiseDlg::FitToFont() {
  WindowLayout layout = ::FitToFont(m_arrTemplatePlaces, m_rcTemplateClient.bottom,
                                    static_cast<int>(m_nTemplateDpi), static_cast<int>(m_nDpi),
                                    FieldHeightForFont());
  const int usualClientWidth =
      ::MulDiv(m_rcTemplateClient.right, static_cast<int>(m_nDpi), static_cast<int>(m_nTemplateDpi));
  const int widen = WidthToAddForFont(Width(layout.places[kResult]), usualClientWidth);
  layout.places[kExpression].right += widen;
  layout.places[kResult].right += widen;
  for (const LaidOut beside : {kTopMost, kPrecision}) {
    layout.places[beside].left += widen;
    layout.places[beside].right += widen;
  }
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
  // A window never widened keeps the width the system gave it, to the pixel.
  const int clientWidth = widen != 0 || m_nWidenedBy != 0 ? usualClientWidth + widen : client.right;
  m_nWidenedBy = widen;
  if (client.bottom == layout.clientHeight && client.right == clientWidth) return;
  const int width = Width(window) - client.right + clientWidth;
  const int height = Height(window) - client.bottom + layout.clientHeight;
  // A shown window that grew past its monitor's edge comes back inside it.
  Point corner{window.left, window.top};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::IsWindowVisible(m_hWnd) &&
      ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
    corner = TopLeftInWorkArea(window.left, window.top, width, height, RectAs<Rect>(monitor.rcWork));
  }
  SetWindowPos(nullptr, corner.x, corner.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
