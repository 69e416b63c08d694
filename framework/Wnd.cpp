#include "Wnd.h"

#include <commctrl.h>

#include <string>

#include "Font.h"
#include "WinApp.h"

namespace {

// The object of a bound window is kept with the window itself.
constexpr const char* kObjectProperty = "Tallywise.CWnd";

// A control's accessible object is described by the window that holds it,
// which knows what the control stands for: the request for the control's
// client object goes to the parent's map as a reflected WM_GETOBJECT, with
// the control in lParam. An answer of 0 leaves it to the control.
BOOL OfferObjectRequestToParent(HWND control, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT || !(::GetWindowLongA(control, GWL_STYLE) & WS_CHILD)) return FALSE;
  CWnd* parent = CWnd::FromHandlePermanent(::GetParent(control));
  const MessageEntry* entry = parent ? parent->FindHandler(ReflectedMessage(WM_GETOBJECT), 0, 0) : nullptr;
  if (!entry) return FALSE;
  LRESULT answer = 0;
  entry->handler(*parent, wParam, reinterpret_cast<LPARAM>(control), answer);
  if (answer == 0) return FALSE;
  *result = answer;
  return TRUE;
}

}  // namespace

CWnd::~CWnd() {
  if (!m_hWnd) return;
  const HWND hWnd = m_hWnd;
  Unsubclass();
  if (m_bOwnsWindow) ::DestroyWindow(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty)) : nullptr;
}

BOOL CWnd::Attach(HWND hWnd) {
  if (!hWnd || m_hWnd || FromHandlePermanent(hWnd)) return FALSE;
  if (!::SetPropA(hWnd, kObjectProperty, this)) return FALSE;
  m_hWnd = hWnd;
  return TRUE;
}

HWND CWnd::Detach() {
  const HWND hWnd = m_hWnd;
  if (hWnd) ::RemovePropA(hWnd, kObjectProperty);
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  // A window made for Unicode stays one: through an ANSI procedure its text
  // would pass the code page, and characters outside it would be lost.
  m_bUnicode = ::IsWindowUnicode(hWnd);
  const auto setProc = m_bUnicode ? &::SetWindowLongPtrW : &::SetWindowLongPtrA;
  m_pfnSuper = reinterpret_cast<WNDPROC>(setProc(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
  if (!m_pfnSuper) {
    Detach();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  const HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return item && SubclassWindow(item);
}

void CWnd::Unsubclass() {
  const LONG_PTR proc =
      m_bUnicode ? ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) : ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
  if (m_pfnSuper && proc == reinterpret_cast<LONG_PTR>(&CWnd::WndProc)) {
    (m_bUnicode ? &::SetWindowLongPtrW : &::SetWindowLongPtrA)(m_hWnd, GWLP_WNDPROC,
                                                               reinterpret_cast<LONG_PTR>(m_pfnSuper));
  }
  m_pfnSuper = nullptr;
  Detach();
}

CString ReadWindowText(HWND hWnd) {
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(hWnd)) + 1, '\0');
  text.resize(static_cast<size_t>(::GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()))));
  return CString(std::move(text));
}

void CWnd::GetWindowText(CString& text) const { text = ReadWindowText(m_hWnd); }

void CWnd::SetFont(const CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->GetSafeHandle() : nullptr), redraw);
}

BOOL CWnd::DestroyWindow() {
  const HWND hWnd = m_hWnd;
  const BOOL destroyed = ::DestroyWindow(hWnd);
  if (m_hWnd == hWnd) Detach();  // only attached: no WM_NCDESTROY reached us
  return destroyed;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_bUnicode) {
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
  }
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
  const MessageEntry* entry = FindHandler(ReflectedMessage(message), code, 0);
  if (!entry) return FALSE;
  LRESULT reflected = 0;
  entry->handler(*this, wParam, lParam, reflected);
  if (message == WM_CTLCOLORSTATIC && !reflected) return FALSE;  // the parent paints it then
  *result = reflected;
  return TRUE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = nullptr;
  UINT code = 0;
  UINT id = 0;
  switch (message) {
    case WM_COMMAND:
      code = HIWORD(wParam);
      id = LOWORD(wParam);
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      code = header->code;
      id = static_cast<UINT>(header->idFrom);
      break;
    }
    case WM_CTLCOLORSTATIC: child = reinterpret_cast<HWND>(lParam); break;
  }
  // A control that handles its own notification gets it before its parent.
  if (child && child != m_hWnd) {
    if (CWnd* control = FromHandlePermanent(child)) {
      if (control->OnChildNotify(message, wParam, lParam, result)) return TRUE;
    }
  }
  if (const MessageEntry* entry = FindHandler(message, code, id)) {
    entry->handler(*this, wParam, lParam, *result);
    return TRUE;
  }
  if (message == WM_GETOBJECT) return OfferObjectRequestToParent(m_hWnd, wParam, lParam, result);
  return message == WM_COMMAND && RouteCommandOnward(wParam, lParam, result);
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hWnd);
  if (!wnd)
    return ::IsWindowUnicode(hWnd) ? ::DefWindowProcW(hWnd, message, wParam, lParam)
                                   : ::DefWindowProcA(hWnd, message, wParam, lParam);

  const MSG outer = wnd->m_current;  // handlers may send messages to their own window
  wnd->m_current = MSG{hWnd, message, wParam, lParam, 0, {}};
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  wnd->m_current = outer;

  if (message == WM_NCDESTROY) {
    wnd->Unsubclass();
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == wnd) app->m_pMainWnd = nullptr;
    wnd->PostNcDestroy();
  }
  return result;
}
