#include "ExpressionEdit.h"

namespace {

bool Held(int key) { return ::GetKeyState(key) < 0; }

}  // namespace

BEGIN_MESSAGE_MAP(CExpressionEdit, CEdit)
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_PASTE, OnPaste)
END_MESSAGE_MAP()

// The dialog manager leaves the arrows to the field, since an edit control
// asks for them (DLGC_WANTARROWS), so they arrive here and not as a move to
// the next control. With Shift or Ctrl the arrows keep what the edit control
// makes of them. Shift+Insert is the other paste key: the control may paste
// it without a WM_PASTE, so it is taken here.
void CExpressionEdit::OnKeyDown(UINT key, UINT, UINT) {
  const bool shift = Held(VK_SHIFT);
  const bool control = Held(VK_CONTROL);
  if ((key == VK_UP || key == VK_DOWN) && !shift && !control) {
    const std::string shown = ReadWindowText(m_hWnd).str();
    ShowRecalled(key == VK_UP ? m_history.Previous(shown) : m_history.Next(shown));
  } else if (key == VK_INSERT && shift && !control) {
    PasteFromClipboard();
  } else {
    Default();
  }
}

// Ctrl+V, the context menu's Paste and other programs send this.
LRESULT CExpressionEdit::OnPaste(WPARAM, LPARAM) {
  PasteFromClipboard();
  return 0;
}

// At either end of the history the key does nothing: no beep, the text and
// the caret stay.
void CExpressionEdit::ShowRecalled(const std::optional<std::string>& entry) {
  if (!entry) return;
  SetWindowText(entry->c_str());
  const auto end = static_cast<WPARAM>(::GetWindowTextLengthA(m_hWnd));
  SendMessage(EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessage(EM_SCROLLCARET);
}
