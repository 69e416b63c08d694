#include "CString.h"

#include <cstdarg>
#include <cstdio>

#include "WinApp.h"

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) {
    m_text.clear();
  } else {
    m_text.assign(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(m_text.data(), m_text.size(), format, args);
    m_text.resize(static_cast<size_t>(length));
  }
  va_end(args);
}

BOOL CString::LoadString(UINT id) {
  // The program's strings are short; a longer one would be cut, never overrun.
  char buffer[4100];
  const int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
  m_text.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
  return length > 0;
}
