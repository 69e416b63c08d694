#include "FontDialog.h"

#include "WinApp.h"
#include "Wnd.h"

CFontDialog::CFontDialog(const LOGFONTA* initial, DWORD flags, HDC printer, CWnd* parent) : m_pParentWnd(parent) {
  m_cf.lStructSize = sizeof m_cf;
  m_cf.hDC = printer;
  m_cf.lpLogFont = &m_lf;
  m_cf.Flags = flags;
  if (initial) {
    m_lf = *initial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
}

INT_PTR CFontDialog::DoModal() {
  CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_cf.hwndOwner = owner ? owner->m_hWnd : nullptr;
  m_cf.lpLogFont = &m_lf;
  return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}
