#include "CString.h"

#include "WinApp.h"

BOOL CString::LoadString(UINT id) {
  // The program's strings are short; a longer one would be cut, never overrun.
  char buffer[4100];
  const int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
  m_text.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
  return length > 0;
}
