#include "AboutBox.h"

#include "AboutBoxIds.h"
#include "TallywiseIdentity.h"
#include "TallywiseVersion.h"
#include "TextIds.h"
#include "UiLanguage.h"

CAboutBox::CAboutBox() : CDialog(IDD_ABOUTBOX) {}

CAboutBox::~CAboutBox() = default;

BEGIN_MESSAGE_MAP(CAboutBox, CDialog)
  ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
  ON_MESSAGE(WM_CTLCOLORDLG, OnCtlColorGround)
  ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorGround)
  ON_MESSAGE(WM_CTLCOLORBTN, OnCtlColorGround)
  ON_NOTIFY(NM_CUSTOMDRAW, IDOK, OnCustomDrawButton)
END_MESSAGE_MAP()

void CAboutBox::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LINK_MAIL, m_linkMail);
  DDX_Control(pDX, IDC_LINK_HOME, m_linkHome);
}

// Attaching gave each link its caption as target and tooltip; neither is
// meant to be seen.
BOOL CAboutBox::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowTexts();
  m_linkMail.SetToolTipText(LoadText(IDS_ABOUT_MAIL_TIP));
  m_linkMail.SetURL("mailto:" TALLYWISE_SUPPORT_ADDRESS);
  m_linkHome.SetToolTipText(FormatText(LoadText(IDS_ABOUT_HOME_TIP), {WideFromUtf8(TALLYWISE_WEB_HOST)}));
  m_linkHome.SetURL("http://" TALLYWISE_WEB_HOST);
  ShowIconForDpi(DpiForWindow(m_hWnd));
  // In the mode the user chose for apps, as the main window is.
  const bool dark = DarkLookWanted();
  m_look.Follow(dark);
  m_linkMail.ShowDark(dark);
  m_linkHome.ShowDark(dark);
  if (dark) AskForDarkCaption(m_hWnd, true);
  return TRUE;  // the dialog manager puts the focus on the OK button
}

// The template's words are English; the box speaks the window's language.
// The version line has no id of its own: it is the static the template
// gives the English line.
void CAboutBox::ShowTexts() {
  SetWindowText(LoadText(IDS_ABOUT_CAPTION).c_str());
  const CString englishVersion = " Tallywise Version " TALLYWISE_VERSION_TEXT;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ReadWindowText(child) == englishVersion) {
      ::SetWindowTextW(child, FormatText(LoadText(IDS_ABOUT_VERSION), {WideFromUtf8(TALLYWISE_VERSION_TEXT)}).c_str());
      break;
    }
  }
  ::SetDlgItemTextW(m_hWnd, IDOK, LoadText(IDS_ABOUT_OK).c_str());
  m_linkHome.SetWindowText(LoadText(IDS_ABOUT_HOME).c_str());
  m_linkMail.SetWindowText(LoadText(IDS_ABOUT_MAIL).c_str());
}

// The template's icon is the one the system loads for its own scale; the box
// shows the frame drawn for an icon's size at the scale of its monitor instead.
void CAboutBox::ShowIconForDpi(UINT dpi) {
  HWND iconControl = nullptr;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child && !iconControl; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) iconControl = child;
  }
  CIcon icon;
  if (!iconControl || !icon.Load(AfxGetResourceHandle(), IDR_MAINFRAME, SystemMetricForDpi(SM_CXICON, dpi))) return;
  ::SendMessageA(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon.GetSafeHandle()), 0);
  m_hIcon.Swap(icon);  // the icon shown before leaves with `icon`
}

// Moved to a monitor of another scale: the system has laid the box out for
// it (or, before Windows 10 version 1703, left it as it was); it takes the
// place the system suggests and the icon for the new scale.
LRESULT CAboutBox::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  Default();
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowIconForDpi(HIWORD(wParam));
  return 0;
}

LRESULT CAboutBox::OnCtlColorGround(WPARAM wParam, LPARAM) {
  if (const HBRUSH ground = m_look.GroundColours(reinterpret_cast<HDC>(wParam))) {
    return reinterpret_cast<LRESULT>(ground);
  }
  return Default();
}

void CAboutBox::OnCustomDrawButton(NMHDR* header, LRESULT* result) {
  *result = m_look.IsDark() ? DrawDarkButton(*reinterpret_cast<const NMCUSTOMDRAW*>(header), true) : CDRF_DODEFAULT;
}
