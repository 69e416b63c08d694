// The two fields as high as their display font needs, and the window with
// them. The template's heights are the least a field gets, so that the window
// keeps the look it was drawn with for the usual sizes; a larger font makes
// both fields higher and moves the second row and the window's lower edge down
// with them, and a smaller one takes them back. The window is never sized by
// the user: only the font and the scale decide its height.
#include <algorithm>

#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"

namespace {

// In the order of m_templatePlaces.
enum LaidOut { kExpression, kResult, kResultButton, kTopMost, kPrecision };
constexpr int kLaidOutIds[] = {IDC_EXPRESSION, IDC_RESULT, IDC_RESULT_BUTTON, IDC_TOPMOST, IDC_PRECISION};

// The room the edit control keeps between the text and a plain border, above
// and below, at 100 %.
constexpr int kTextInsetAt96 = 2;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

RECT PlaceInClient(HWND control, HWND dialog) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

void CTallywiseDlg::NoteTemplateLayout() {
  m_nTemplateDpi = m_nDpi;
  GetClientRect(&m_rcTemplateClient);
  for (size_t i = 0; i < m_templatePlaces.size(); ++i) {
    m_templatePlaces[i] = {kLaidOutIds[i], PlaceInClient(GetDlgItem(kLaidOutIds[i]), m_hWnd)};
  }
}

// The font's full line height, the field's own border and the room inside it;
// 0 when there is no font to measure.
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
  return metrics.tmHeight + (Height(outer) - Height(inner)) + 2 * ScaleFrom96(kTextInsetAt96, m_nDpi);
}

// Every place is worked out from the template's at the window's scale, so a
// font chosen many times, or a window moved between scales, never drifts.
// The buttons beside a field keep their height and stay centred on it.
void CTallywiseDlg::FitToFont() {
  const auto scale = [this](LONG length) {
    return ::MulDiv(length, static_cast<int>(m_nDpi), static_cast<int>(m_nTemplateDpi));
  };
  std::array<RECT, 5> place{};
  for (size_t i = 0; i < place.size(); ++i) {
    const RECT& at = m_templatePlaces[i].second;
    place[i] = {scale(at.left), scale(at.top), scale(at.right), scale(at.bottom)};
  }
  const int needed = FieldHeightForFont();
  const int growFirst = std::max(0, needed - Height(place[kExpression]));
  const int growSecond = std::max(0, needed - Height(place[kResult]));
  place[kExpression].bottom += growFirst;
  ::OffsetRect(&place[kTopMost], 0, growFirst / 2);
  for (LaidOut below : {kResult, kResultButton, kPrecision})
    ::OffsetRect(&place[below], 0, growFirst);
  place[kResult].bottom += growSecond;
  ::OffsetRect(&place[kResultButton], 0, growSecond / 2);
  ::OffsetRect(&place[kPrecision], 0, growSecond / 2);

  for (size_t i = 0; i < place.size(); ++i) {
    const HWND control = GetDlgItem(m_templatePlaces[i].first);
    const RECT now = PlaceInClient(control, m_hWnd);
    if (::EqualRect(&now, &place[i])) continue;
    ::SetWindowPos(control, nullptr, place[i].left, place[i].top, Width(place[i]), Height(place[i]),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PlaceExactMark();

  RECT window{};
  RECT client{};
  GetWindowRect(&window);
  GetClientRect(&client);
  const int clientHeight = scale(m_rcTemplateClient.bottom) + growFirst + growSecond;
  if (client.bottom == clientHeight) return;
  SetWindowPos(nullptr, 0, 0, Width(window), Height(window) - client.bottom + clientHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
