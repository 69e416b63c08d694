// The expression field's paste and its typed characters outside ASCII: the
// Unicode text, converted to the ANSI code page character by character
// without the system's best fit.
#include <algorithm>

#include "Clipboard.h"
#include "ExpressionEdit.h"
#include "PastedText.h"

namespace {

// The character's bytes when the code page holds that very character: the
// conversion must not have used the default character, and the bytes must
// come back as the same character (a best-fit mapping would not).
std::optional<std::string> InAnsiCodePage(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  wchar_t wide[2];
  int units = 1;
  if (c < 0x10000) {
    wide[0] = static_cast<wchar_t>(c);
  } else {
    wide[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    wide[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    units = 2;
  }
  // UTF-8 as the ANSI code page holds everything, and takes neither the flag
  // nor the question.
  const bool utf8 = ::GetACP() == CP_UTF8;
  char bytes[8];
  BOOL usedDefault = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, units, bytes, sizeof bytes,
                                           nullptr, utf8 ? nullptr : &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  wchar_t back[2];
  if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, back, 2) != units || back[0] != wide[0] ||
      (units == 2 && back[1] != wide[1])) {
    return std::nullopt;
  }
  return std::string(bytes, static_cast<std::size_t>(length));
}

}  // namespace

void CExpressionEdit::PreSubclassWindow() { SendMessage(EM_SETLIMITTEXT, kLimit); }

// Like the control's own paste: the selection is replaced and the change can
// be undone. What does not fit is not cut, since a cut sum is a wrong one.
void CExpressionEdit::PasteFromClipboard() {
  const auto text = ReadClipboardUnicodeText(m_hWnd);
  if (text) ReplaceSelection(*text, false);
}

// The message loop fetches characters as Unicode, so the ones outside ASCII
// arrive here as typed; the control itself would get them in its code page,
// where a superscript or a minus sign is no longer what it was.
BOOL CExpressionEdit::PreTranslateMessage(MSG* msg) {
  if (msg->hwnd != m_hWnd || msg->message != WM_CHAR || msg->wParam < 0x80) return FALSE;
  const char16_t typed = static_cast<char16_t>(msg->wParam);
  ReplaceSelection(std::u16string_view(&typed, 1), true);
  return TRUE;
}

bool CExpressionEdit::ReplaceSelection(std::u16string_view text, bool typed) {
  const std::string field = ReadWindowText(m_hWnd).str();
  DWORD start = 0, end = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  start = std::min<DWORD>(start, static_cast<DWORD>(field.size()));
  end = std::min<DWORD>(std::max(start, end), static_cast<DWORD>(field.size()));
  const int length = static_cast<int>(field.size());
  const bool continuesPower =
      typed && start == end && m_typedPowerEnd == std::make_pair(start, length) && IsSuperscriptDigits(text);
  const FieldAround around{std::string_view(field).substr(0, start), std::string_view(field).substr(end),
                           continuesPower};
  const std::string converted = PastedExpressionText(text, InAnsiCodePage, around);
  m_typedPowerEnd.reset();
  const auto limit = static_cast<std::size_t>(SendMessage(EM_GETLIMITTEXT));
  if (field.size() - (end - start) + converted.size() > limit) {
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), EN_MAXTEXT),
                   reinterpret_cast<LPARAM>(m_hWnd));
    return false;
  }
  SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(converted.c_str()));
  if (typed && IsSuperscriptDigits(text)) {
    const auto caret = static_cast<DWORD>(start + converted.size());
    if (converted.find('^') != std::string::npos || continuesPower)
      m_typedPowerEnd = std::make_pair(caret, static_cast<int>(::GetWindowTextLengthA(m_hWnd)));
  }
  return true;
}
