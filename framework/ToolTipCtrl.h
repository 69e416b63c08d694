// A tooltip window for the controls of one window. It learns of the pointer
// only from messages relayed to it, so the controls keep their own procedures.
//
// The tooltip is a topmost window that no window owns. A window that owns a
// popup is not raised by Wine 8's SetWindowPos with HWND_TOPMOST (the popup
// is, and the window stays without WS_EX_TOPMOST), so an owned tooltip would
// undo the main window's pin; on its own, topmost, the tip shows above its
// window pinned or not, on Windows as well. With no owner to ask, the control
// shows tips whatever window is active, so only what arrives while the tools'
// window is active is relayed to it, as the control would do for an owner.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

class CToolTipCtrl : public CWnd {
public:
  // The tooltip window for the controls of `parent`; it belongs to this object
  // and goes with it. A second Create fails.
  BOOL Create(CWnd* parent, DWORD style = 0);

  // A tool covering the whole of a child window of the parent, found by that
  // window's handle; the text is copied.
  BOOL AddTool(HWND tool, const char* text);
  void UpdateTipText(const char* text, HWND tool);
  // The same with UTF-16 text, shown right whatever the code page.
  BOOL AddTool(HWND tool, const wchar_t* text);
  void UpdateTipText(const wchar_t* text, HWND tool);
  void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
  void RelayEvent(MSG* msg) {
    if (m_hWnd && ::GetActiveWindow() == ::GetAncestor(m_hWndTools, GA_ROOT))
      SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  }

private:
  HWND m_hWndTools = nullptr;
};
