// The main window at the scale of its monitor: the icons loaded at the sizes
// that scale asks for, and what changes when the window moves to a monitor of
// another scale. The display font's height is kept in the settings at 96 DPI
// (see Settings.cpp); the window's font is that height at the window's scale.
#include "Geometry.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"
#include "WindowLayout.h"

// Each icon is the frame drawn for its size at the window's scale. The new
// ones are shown before the old ones go, so that no window ever holds an
// icon that has been destroyed.
void CTallywiseDlg::ShowIconsForDpi() {
  const HINSTANCE module = AfxGetResourceHandle();
  CIcon bigIcon;
  CIcon smallIcon;
  CIcon top;
  CIcon noTop;
  bigIcon.Load(module, IDR_MAINFRAME, SystemMetricForDpi(SM_CXICON, m_nDpi));
  smallIcon.Load(module, IDR_MAINFRAME, SystemMetricForDpi(SM_CXSMICON, m_nDpi));
  top.Load(module, IDI_TOP, ScaleFrom96(kPinSizeAt96, m_nDpi));
  noTop.Load(module, IDI_NOTOP, ScaleFrom96(kPinSizeAt96, m_nDpi));
  SetIcon(bigIcon, TRUE);
  SetIcon(smallIcon, FALSE);
  m_btnTopMost.SetIcon(m_bTopMost ? top : noTop);
  m_hIcon.Swap(bigIcon);
  m_hIconSmall.Swap(smallIcon);
  m_hIconTop.Swap(top);
  m_hIconNoTop.Swap(noTop);
}

// The font was made for `fontDpi`; the same font in points is made for the
// window's scale now and given to both fields before the old one is deleted.
void CTallywiseDlg::RemakeDisplayFontForDpi(UINT fontDpi) {
  LOGFONTA look{};
  if (!m_pFont->GetLogFont(&look)) return;
  look.lfHeight = ScaleFrom96(ScaleTo96(look.lfHeight, fontDpi), m_nDpi);
  CFont font;
  if (!font.CreateFontIndirect(&look)) return;  // the fields keep the font they have
  m_editExpression.SetFont(&font);
  m_editResult.SetFont(&font);
  m_pFont->Swap(font);  // the old font leaves with `font`, shown by no field now
}

// Where the system does not lay the dialog out again itself (Windows 8.1 and
// the first versions of Windows 10), every control keeps its place in dialog
// units by growing or shrinking with the scale, and the buttons' text is
// written in the dialog font made for the new scale.
void CTallywiseDlg::ScaleControls(UINT fromDpi, UINT toDpi) {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    const Rect scaled = ScaleRect(RectAs<Rect>(rect), static_cast<int>(toDpi), static_cast<int>(fromDpi));
    ::SetWindowPos(child, nullptr, scaled.left, scaled.top, Width(scaled), Height(scaled), SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The dialog font was made for the scale the window was created at, which
  // for such a system is the system's.
  LOGFONTA look{};
  if (!::GetObjectA(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)), sizeof look, &look)) return;
  look.lfHeight = ScaleLength(look.lfHeight, static_cast<int>(toDpi), static_cast<int>(SystemDpi()));
  CFont font;
  if (!font.CreateFontIndirect(&look)) return;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child != m_editExpression.m_hWnd && child != m_editResult.m_hWnd) {
      ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    }
  }
  m_fontButtons.Swap(font);  // the buttons' font before leaves with `font`
}

// The window has been moved to a monitor of another scale, or its monitor's
// scale has changed. The system suggests the rectangle the window has at the
// new scale, placed so that it stays under the pointer while it is dragged.
LRESULT CTallywiseDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const UINT newDpi = HIWORD(wParam);  // horizontal and vertical scale are always the same
  const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
  if (newDpi == 0 || newDpi == m_nDpi) return Default();
  Default();
  MoveToScale(newDpi, suggested);
  return 0;
}

// Controls, display font and icons made for the new scale, the window in the
// frame given for it.
void CTallywiseDlg::MoveToScale(UINT newDpi, const RECT& frame) {
  const UINT oldDpi = m_nDpi;
  if (!SystemRescalesDialogs()) ScaleControls(oldDpi, newDpi);
  m_systemCalls.setWindowPos(m_hWnd, nullptr, frame.left, frame.top, Width(frame), Height(frame),
                       SWP_NOZORDER | SWP_NOACTIVATE);
  m_nDpi = newDpi;
  RemakeDisplayFontForDpi(oldDpi);
  FitToFont();
  ShowIconsForDpi();
}

// The scale was taken while the window still stood where the template put it,
// and Windows 8.1 and the first versions of Windows 10 give a hidden window the
// system's scale anyway. Placed at its remembered corner on a monitor of another
// scale, it takes that monitor's scale before it is first shown, growing or
// shrinking from that corner, so that its first paint is already right. True
// when it did.
bool CTallywiseDlg::TakeScaleOfPlace() {
  const UINT placedDpi = m_systemCalls.dpiForWindow(m_hWnd);
  if (placedDpi == 0 || placedDpi == m_nDpi) return false;
  RECT rect;
  GetWindowRect(&rect);
  MoveToScale(placedDpi, RectAs<RECT>(ScaleFromCorner(RectAs<Rect>(rect), static_cast<int>(placedDpi),
                                                      static_cast<int>(m_nDpi))));
  return true;
}
