#include "ResultEdit.h"

#include <algorithm>

#include "Clipboard.h"
#include "DigitGrouping.h"

std::wstring ReadWideWindowText(HWND hWnd) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hWnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring WideOfUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Utf8OfWide(const std::wstring& text) {
  if (text.empty()) return {};
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(std::max(length, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

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

bool CResultEdit::ShowsGrouped() const { return !m_grouped.empty() && ReadWideWindowText(m_hWnd) == m_grouped; }

// Ctrl+C, Ctrl+Insert and the context menu's Copy: the part selected, as the
// plain number would hold it. A text the user typed over it is copied as typed.
LRESULT CResultEdit::OnCopy(WPARAM, LPARAM) {
  if (!ShowsGrouped()) return Default();
  DWORD start = 0, end = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  end = std::min<DWORD>(end, static_cast<DWORD>(m_grouped.size()));
  if (start >= end) return 0;
  const std::string part = Utf8OfWide(m_grouped.substr(start, end - start));
  WriteClipboardText(m_hWnd, PlainOfGrouped(part, Utf8OfWide(m_marks.separator), Utf8OfWide(m_marks.decimalMark)));
  return 0;
}
