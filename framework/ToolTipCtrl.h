// A tooltip window for the controls of one window. It learns of the pointer
// only from messages relayed to it, so the controls keep their own procedures.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

class CToolTipCtrl : public CWnd {
public:
  // The tooltip window belongs to this object; a second Create fails.
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
    if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  }

private:
  TTTOOLINFOA ToolInfo(HWND tool, const char* text) const;
  TTTOOLINFOW ToolInfo(HWND tool, const wchar_t* text) const;
};
