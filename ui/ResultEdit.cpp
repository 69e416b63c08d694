#include "ResultEdit.h"

#include <algorithm>

#include "Clipboard.h"
#include "DigitGrouping.h"

BEGIN_MESSAGE_MAP(CResultEdit, CEdit)
  ON_MESSAGE(WM_COPY, OnCopy)
END_MESSAGE_MAP()

void CResultEdit::ShowText(const std::wstring& text) {
  m_grouped.clear();
  ::SetWindowTextW(m_hWnd, text.c_str());
}

void CResultEdit::ShowGrouped(const std::wstring& grouped, Marks marks) {
  m_grouped = grouped;
  m_marks = std::move(marks);
  ::SetWindowTextW(m_hWnd, grouped.c_str());
}

bool CResultEdit::ShowsGrouped() const { return !m_grouped.empty() && ReadWindowTextW(m_hWnd) == m_grouped; }

// Ctrl+C, Ctrl+Insert and the context menu's Copy: the part selected, as the
// plain number would hold it. A text the user typed over it is copied as typed.
LRESULT CResultEdit::OnCopy(WPARAM, LPARAM) {
  if (!ShowsGrouped()) return Default();
  DWORD start = 0, end = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  end = std::min<DWORD>(end, static_cast<DWORD>(m_grouped.size()));
  if (start >= end) return 0;
  const std::string part = Utf8FromWide(m_grouped.substr(start, end - start));
  WriteClipboardText(m_hWnd, PlainOfGrouped(part, Utf8FromWide(m_marks.separator), Utf8FromWide(m_marks.decimalMark)));
  return 0;
}
