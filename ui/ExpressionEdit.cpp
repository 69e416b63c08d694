#include "ExpressionEdit.h"

namespace {

// With Shift or Ctrl the arrows keep what the edit control makes of them.
bool ModifierHeld() { return ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

BEGIN_MESSAGE_MAP(CExpressionEdit, CEdit)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// The dialog manager leaves the arrows to the field, since an edit control
// asks for them (DLGC_WANTARROWS), so they arrive here and not as a move to
// the next control.
void CExpressionEdit::OnKeyDown(UINT key, UINT, UINT) {
  if ((key != VK_UP && key != VK_DOWN) || ModifierHeld()) {
    Default();
    return;
  }
  ShowRecalled(key == VK_UP ? m_history.Previous(ReadWindowText(m_hWnd).str()) : m_history.Next());
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
