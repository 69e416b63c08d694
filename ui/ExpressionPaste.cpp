// The expression field's paste: the clipboard's Unicode text, converted to the
// ANSI code page character by character without the system's best fit.
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

// Like the control's own paste: the selection is replaced, the change can be
// undone, and the field's limit cuts what does not fit.
void CExpressionEdit::PasteFromClipboard() {
  const auto text = ReadClipboardUnicodeText(m_hWnd);
  if (!text) return;
  const std::string pasted = PastedExpressionText(*text, InAnsiCodePage);
  SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
}
