#include "DataExchange.h"

#include "Wnd.h"

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  const HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
  const CString shown = ReadWindowText(control);
  if (pDX->m_bSaveAndValidate) {
    value = shown;
  } else if (shown != value) {
    ::SetWindowTextA(control, value);
  }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (!control.m_hWnd) control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
}
