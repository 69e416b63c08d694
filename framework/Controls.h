// The common controls of the program's dialogs, bound with DDX_Control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

class CStatic : public CWnd {};

class CEdit : public CWnd {};

class CButton : public CWnd {
public:
  // For a button with the icon style; the button does not take ownership.
  HICON SetIcon(HICON icon) {
    return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
  }
};

class CSpinButtonCtrl : public CWnd {
public:
  int GetPos() const { return static_cast<short>(LOWORD(SendMessage(UDM_GETPOS))); }
  int SetPos(int pos) { return static_cast<short>(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(pos, 0)))); }
  void SetRange(short lower, short upper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
};
