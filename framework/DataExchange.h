// Moving values between a dialog's controls and its members, in either direction.
#pragma once

#include <windows.h>

#include "CString.h"

class CWnd;

class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;
};

// The text of an edit control. The control is written only when its text
// differs from the member, so that a field showing the same text keeps its
// caret, selection and scroll position.
void DDX_Text(CDataExchange* pDX, int id, CString& value);

// Binds a control object to the dialog's control on the first exchange.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
