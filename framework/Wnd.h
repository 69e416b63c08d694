// A C++ object bound to a window. Messages of a window that was subclassed
// through this class run through the object's message map first; whatever it
// leaves unhandled goes on to the window's own procedure.
#pragma once

#include <windows.h>

#include "CString.h"
#include "CmdTarget.h"

class CFont;

CString ReadWindowText(HWND hWnd);

class CWnd : public CCmdTarget {
public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  // Returns a subclassed window to its own procedure. A window the object did
  // not create is left alive: its parent dialog destroys it.
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }

  // The object bound to a window by Attach or subclassing, if any.
  static CWnd* FromHandlePermanent(HWND hWnd);

  // Binds the object to the window and routes its messages through the map
  // until the window is destroyed or the object goes.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }

  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  void GetWindowText(CString& text) const;
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
  }
  HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
  HICON SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  void SetFont(const CFont* font, BOOL redraw = TRUE);
  // A modal message box owned by this window.
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) {
    return ::MessageBoxA(m_hWnd, text, caption, type);
  }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL DestroyWindow();

  // Called for a message before it is translated and dispatched; TRUE means it
  // has been dealt with. Runs for the window the message is for and each of
  // its parents up to the dialog whose loop is running.
  virtual BOOL PreTranslateMessage(MSG* msg);

protected:
  // Runs while the window is bound, before its procedure is replaced.
  virtual void PreSubclassWindow() {}
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's own procedure, for what the map leaves alone.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default processing of the message being handled now.
  LRESULT Default();
  // A handler in the map of this control for a notification its parent got.
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Where a command goes that neither the window nor the control handles.
  virtual BOOL RouteCommandOnward(WPARAM, LPARAM, LRESULT*) { return FALSE; }
  // The window has received its last message; the object is unbound. An
  // override must not delete the object: the handler that destroyed the
  // window may still be running on it, and the message dispatch writes to it
  // once that handler returns.
  virtual void PostNcDestroy() {}

  // Windows this object created itself are destroyed with it.
  bool m_bOwnsWindow = false;

private:
  // Binding without subclassing. Kept private: unbinding a subclassed window
  // this way would leave its procedure calling an object that no longer
  // answers for it (Unsubclass restores the procedure first).
  BOOL Attach(HWND hWnd);
  HWND Detach();
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  void Unsubclass();
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_pfnSuper = nullptr;  // the window's own procedure while subclassed
  bool m_bUnicode = false;       // its messages carry UTF-16 text
  MSG m_current{};               // the message being handled, for Default()

  friend class CDialog;
};
