// The main window in the colours the user chose for apps: the dialog, its
// fields, its buttons and the up-down control drawn dark in the dark mode,
// the system's colours otherwise, and nothing but the system's colours under
// high contrast. A change of mode or contrast while the window runs shows at once.
#include "Theme.h"

#include "PaintDC.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"

namespace {

Look LookOfSystem(HighContrastProc highContrastOn) {
  if (highContrastOn()) return Look::kHighContrast;
  return AppsUseDarkTheme() ? Look::kDark : Look::kLight;
}

}  // namespace

// The brushes of the dark mode are made only while it is on; the caption is
// asked for only when it changes, so that a light start loads nothing more.
void CTallywiseDlg::FollowSystemLook() {
  const Look look = LookOfSystem(m_systemCalls.highContrastOn);
  const bool wasDark = m_look == Look::kDark;
  m_look = look;
  if (look == Look::kDark) {
    m_brushGround.CreateSolid(kDarkPalette.window);
    m_brushField.CreateSolid(kDarkPalette.field);
  } else {
    m_brushGround.Reset();
    m_brushField.Reset();
  }
  if (look == Look::kDark || wasDark) AskForDarkCaption(m_hWnd, look == Look::kDark);
  m_spinPrecision.SetLook(look);
  ShowToolTipDark(m_tipCtrl, look == Look::kDark);
  m_exactMark.SetLook(look);
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool CTallywiseDlg::ShowsPrompt() const {
  return !m_strPromptShown.IsEmpty() && ReadWindowText(m_editResult) == m_strPromptShown;
}

// The dialog's ground, and what is painted on it.
LRESULT CTallywiseDlg::OnCtlColorGround(WPARAM wParam, LPARAM) {
  if (m_look != Look::kDark || !m_brushGround.GetSafeHandle()) return Default();
  const auto dc = reinterpret_cast<HDC>(wParam);
  ::SetTextColor(dc, kDarkPalette.text);
  ::SetBkColor(dc, kDarkPalette.window);
  return reinterpret_cast<LRESULT>(m_brushGround.GetSafeHandle());
}

// The fields: a prompt in the result field is written in the prompt's colour,
// a live result in grey.
LRESULT CTallywiseDlg::OnCtlColorField(WPARAM wParam, LPARAM lParam) {
  const auto dc = reinterpret_cast<HDC>(wParam);
  const bool inResult = reinterpret_cast<HWND>(lParam) == m_editResult.m_hWnd;
  const bool prompt = inResult && ShowsPrompt();
  const bool live = inResult && !prompt && ShowsLiveResult();
  if (m_look == Look::kDark && m_brushField.GetSafeHandle()) {
    ::SetTextColor(dc, prompt ? kPromptOnDark : live ? kLiveOnDark : kDarkPalette.text);
    ::SetBkColor(dc, kDarkPalette.field);
    return reinterpret_cast<LRESULT>(m_brushField.GetSafeHandle());
  }
  const LRESULT brush = Default();
  if (prompt && m_look == Look::kLight) ::SetTextColor(dc, kPromptOnLight);
  if (live) ::SetTextColor(dc, m_look == Look::kLight ? kLiveOnLight : ::GetSysColor(COLOR_GRAYTEXT));
  return brush;
}

// The push buttons draw themselves light whatever the dialog says, so in the
// dark mode they are drawn here whole. The pin's own dark edges would vanish
// on the dark face, so it is drawn with a light outline.
void CTallywiseDlg::OnCustomDrawButton(NMHDR* header, LRESULT* result) {
  *result = CDRF_DODEFAULT;
  if (m_look != Look::kDark) return;
  const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(header);
  if (header->idFrom != IDC_TOPMOST) {
    *result = DrawDarkButton(draw, header->idFrom == IDC_RESULT_BUTTON);
    return;
  }
  const int size = ScaleFrom96(kPinSizeAt96, m_nDpi);
  const HICON pin = m_bTopMost ? m_hIconTop : m_hIconNoTop;
  *result = DrawDarkButton(draw, false, [&](HDC dc, const RECT& face) {
    DrawIconOutlined(dc, (face.left + face.right - size) / 2, (face.top + face.bottom - size) / 2, pin, size,
                     kDarkPalette.outline);
  });
}

// Windows names the change of the light or dark mode "ImmersiveColorSet"; a
// change of high contrast comes as its own setting and as new system colours.
LRESULT CTallywiseDlg::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default();
  if (wParam == SPI_SETHIGHCONTRAST || IsColourModeChange(lParam)) FollowSystemLook();
  return result;
}

LRESULT CTallywiseDlg::OnSystemColoursChange(WPARAM, LPARAM) {
  const LRESULT result = Default();
  FollowSystemLook();
  return result;
}
