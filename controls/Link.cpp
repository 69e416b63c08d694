#include "Link.h"

#include <shellapi.h>

#include <string>

#include "DarkLook.h"
#include "LinkRules.h"
#include "UiLanguage.h"

namespace {

constexpr UINT_PTR kHoverTimer = 100;
constexpr UINT kHoverPollMs = 100;
constexpr WORD kHandCursorId = 106;

COLORREF Resolve(const LinkColour& colour) {
  return colour.buttonFace ? ::GetSysColor(COLOR_BTNFACE) : RGB(colour.red, colour.green, colour.blue);
}

// The description of the font a window shows; a window that was never given
// one shows the system font.
LOGFONTA ShownFontOf(HWND hWnd) {
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(hWnd, WM_GETFONT, 0, 0));
  if (!font) font = ::GetStockObject(SYSTEM_FONT);
  LOGFONTA logFont{};
  ::GetObjectA(font, sizeof logFont, &logFont);
  return logFont;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF before = ::SetBkColor(dc, colour);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, before);
}

// A function of our own rather than the imported one, so that the pointer is
// set before any code runs and a test can replace it during its own start-up.
HINSTANCE WINAPI ShellExecuteThroughShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                          INT show) {
  return ::ShellExecuteA(owner, verb, file, parameters, directory, show);
}

}  // namespace

constinit CLink::ShellExecuteFunction CLink::s_pfnShellExecute = &ShellExecuteThroughShell;

BEGIN_MESSAGE_MAP(CLink, CStatic)
  ON_WM_MOUSEMOVE()
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
  ON_WM_CTLCOLOR_REFLECT(CtlColor)
  ON_WM_TIMER()
  ON_WM_ERASEBKGND()
  ON_WM_SETCURSOR()
  ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_SETFOCUS, OnFocusChange)
  ON_MESSAGE(WM_KILLFOCUS, OnFocusChange)
  ON_MESSAGE(WM_PAINT, OnPaint)
  ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CLink::CLink() { SetLinkStyle(0); }

CLink::~CLink() = default;

void CLink::SetLinkStyle(unsigned style) {
  m_bHover = FALSE;
  if (const LinkPreset* preset = FindLinkPreset(style)) {
    m_nStyle = style;
    TakeColours(*preset);
    m_bHoverFrame = preset->hoverFrame;
    m_bNormalUnderline = preset->normalUnderline;
    m_bHoverUnderline = preset->hoverUnderline;
    m_bToolTip = TRUE;
    m_hHandCursor.Reset();  // loaded afresh at the next pointer movement
  }
  // The look every link starts with needs no font work, so that a link can
  // be constructed before it has a window. Fonts do not exist before
  // attaching either; attaching then builds them from the flags set here.
  if (style == 0 || !m_pNormalFont) return;
  RebuildHoverFont(m_bHoverUnderline);
  RebuildNormalFont(m_bNormalUnderline);
  ShowFont(*m_pNormalFont);
}

void CLink::TakeColours(const LinkPreset& preset) {
  m_crText = Resolve(preset.text);
  m_crHoverText = Resolve(preset.hoverText);
  m_crBack = Resolve(preset.back);
  m_crHoverBack = Resolve(preset.hoverBack);
  m_crFrame = Resolve(preset.frame);
}

void CLink::ShowDark(bool dark) {
  if (dark) {
    m_crText = kDarkPalette.link;
    m_crHoverText = kDarkPalette.linkHot;
    m_crBack = kDarkPalette.window;
    m_crHoverBack = kDarkPalette.faceHot;
    m_crFrame = kDarkPalette.outline;
  } else if (const LinkPreset* preset = FindLinkPreset(m_nStyle)) {
    TakeColours(*preset);
  }
  ShowToolTipDark(m_ToolTip, dark);
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// Before attaching there is no font yet; the flag alone decides the one that
// attaching builds.
void CLink::RebuildNormalFont(BOOL underline) {
  if (m_pNormalFont) RebuildWithUnderline(*m_pNormalFont, underline);
  m_bNormalUnderline = underline;
}

void CLink::RebuildHoverFont(BOOL underline) {
  if (m_pHoverFont) RebuildWithUnderline(*m_pHoverFont, underline);
  m_bHoverUnderline = underline;
}

// The control must never hold a deleted font: when it shows the font being
// replaced, it is handed the new one before the old one goes.
void CLink::RebuildWithUnderline(CFont& font, BOOL underline) {
  LOGFONTA logFont{};
  if (!font.GetLogFont(&logFont)) return;
  logFont.lfUnderline = static_cast<BYTE>(underline);
  CFont rebuilt;
  if (!rebuilt.CreateFontIndirect(&logFont)) return;
  const bool shown = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) == font.GetSafeHandle();
  font.Swap(rebuilt);
  if (shown) ShowFont(font);
}  // the old font, now in rebuilt, is deleted here

void CLink::SetToolTipText(const char* text) {
  m_bToolTip = TRUE;
  m_strToolTip = text;
  m_ToolTip.UpdateTipText(m_strToolTip, m_hWnd);
}

// Shown right whatever the code page; kept as UTF-8 beside.
void CLink::SetToolTipText(const std::wstring& text) {
  m_bToolTip = TRUE;
  m_strToolTip = Utf8FromWide(text);
  m_ToolTip.UpdateTipText(text.c_str(), m_hWnd);
}

void CLink::SetURL(const char* url) { m_strURL = url; }

void CLink::MakeToolTipText(const char* text) { m_strToolTip = LinkToolTipText(text ? text : "", m_bToolTip); }

// The system's help program carries the hand; a copy outlives the library.
void CLink::LoadHandCursor() {
  if (m_hHandCursor) return;
  char directory[MAX_PATH] = "";
  const UINT length = ::GetWindowsDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::string helpProgram = std::string(directory, length) + "\\winhlp32.exe";
  const HMODULE module = ::LoadLibraryA(helpProgram.c_str());
  if (!module) return;
  if (const HCURSOR cursor = ::LoadCursorA(module, MAKEINTRESOURCEA(kHandCursorId))) {
    m_hHandCursor.Replace(::CopyIcon(cursor));
  }
  ::FreeLibrary(module);
}

void CLink::PreSubclassWindow() {
  ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | SS_NOTIFY);

  LOGFONTA logFont = ShownFontOf(m_hWnd);
  logFont.lfUnderline = static_cast<BYTE>(m_bNormalUnderline);
  m_pNormalFont = std::make_unique<CFont>();
  m_pNormalFont->CreateFontIndirect(&logFont);
  ShowFont(*m_pNormalFont);
  logFont.lfUnderline = static_cast<BYTE>(m_bHoverUnderline);
  m_pHoverFont = std::make_unique<CFont>();
  m_pHoverFont->CreateFontIndirect(&logFont);

  CString caption;
  GetWindowText(caption);
  MakeToolTipText(caption);
  m_ToolTip.Create(this);
  m_ToolTip.AddTool(m_hWnd, m_strToolTip);
  m_ToolTip.Activate(TRUE);
  m_strURL = caption;

  CStatic::PreSubclassWindow();
}

// The tool was added without asking the tooltip to watch the control, so it
// sees the pointer only through this relay.
BOOL CLink::PreTranslateMessage(MSG* msg) {
  if (m_bToolTip) m_ToolTip.RelayEvent(msg);
  return CStatic::PreTranslateMessage(msg);
}

// Every move re-applies the hover font, which also repaints in the hover
// colours, and restarts the poll that notices the pointer leaving.
void CLink::OnMouseMove(UINT, POINT) {
  m_bHover = TRUE;
  ShowFont(*m_pHoverFont);
  ::SetTimer(m_hWnd, kHoverTimer, kHoverPollMs, nullptr);
  LoadHandCursor();
  Default();
}

void CLink::OnTimer(UINT_PTR) {
  if (!IsPointerInside()) {
    m_bHover = FALSE;
    ::KillTimer(m_hWnd, kHoverTimer);
    ShowFont(*m_pNormalFont);
  }
  Default();
}

// Where the pointer was when the tick was posted, not where it is by now.
BOOL CLink::IsPointerInside() const {
  const DWORD position = ::GetMessagePos();
  POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ::ScreenToClient(m_hWnd, &point);
  RECT client;
  GetClientRect(&client);
  return ::PtInRect(&client, point);
}

HBRUSH CLink::CtlColor(HDC dc, UINT) {
  ::SetTextColor(dc, m_bHover ? m_crHoverText : m_crText);
  ::SetBkMode(dc, TRANSPARENT);
  // The text goes over what OnEraseBkgnd painted.
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLink::OnEraseBkgnd(HDC dc) {
  RECT client;
  GetClientRect(&client);
  if (m_bHover) {
    CBrush frame;
    frame.CreateSolid(m_crFrame);
    FillSolid(dc, client, m_crHoverBack);
    if (m_bHoverFrame && frame) ::FrameRect(dc, &client, frame);
  } else {
    FillSolid(dc, client, m_crBack);
  }
  return static_cast<BOOL>(Default());
}

BOOL CLink::OnSetCursor(HWND, UINT, UINT) {
  if (!m_hHandCursor) return FALSE;
  ::SetCursor(m_hHandCursor);
  return TRUE;
}

void CLink::OnClicked() { s_pfnShellExecute(nullptr, "open", m_strURL, nullptr, nullptr, SW_SHOW); }

// Enter would otherwise press the dialog's default button; Space reaches the
// link anyway.
LRESULT CLink::OnGetDlgCode(WPARAM, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  const bool enter = msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
  return Default() | (enter ? DLGC_WANTMESSAGE : 0);
}

void CLink::OnKeyDown(UINT key, UINT, UINT) {
  if (key == VK_RETURN || key == VK_SPACE) {
    OnClicked();
    return;
  }
  Default();
}

LRESULT CLink::OnFocusChange(WPARAM, LPARAM) {
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
  return Default();
}

// The text as the static control draws it, with the focus rectangle around it
// while the link has the focus, unless the user works with the mouse and the
// system hides focus rectangles until a key is used. Like the static control,
// it paints into a device context given with the message.
LRESULT CLink::OnPaint(WPARAM givenDc, LPARAM) {
  const LRESULT result = Default();
  if (::GetFocus() != m_hWnd || (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS)) return result;
  RECT client;
  GetClientRect(&client);
  const HDC dc = givenDc ? reinterpret_cast<HDC>(givenDc) : ::GetDC(m_hWnd);
  ::DrawFocusRect(dc, &client);
  if (!givenDc) ::ReleaseDC(m_hWnd, dc);
  return result;
}

// A screen reader's default action is a click, posted so that the reader's
// call returns before the shell has been asked.
AccessibleFacts CLink::DescribeAsLink() const {
  const HWND link = m_hWnd;
  return {"",
          std::string(m_strURL.str()),
          STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE,
          ROLE_SYSTEM_LINK,
          "Jump",
          [link] {
            ::PostMessageA(::GetParent(link), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link), STN_CLICKED),
                           reinterpret_cast<LPARAM>(link));
          }};
}

LRESULT CLink::OnGetObject(WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
    if (const LRESULT answer = m_accessibleObjects.Answer(m_hWnd, wParam, [this] { return DescribeAsLink(); })) {
      return answer;
    }
  }
  return Default();
}

// A font the system could not create is never handed to the window: it keeps
// showing what it showed.
void CLink::ShowFont(const CFont& font) {
  if (font.GetSafeHandle()) SetFont(&font, TRUE);
}
