// Keys of the expression field that act on the other controls, so that the
// window can be used from the keyboard alone while typing.
//
// The decimal places take Page Up and Page Down: a single-line field has no
// use for them, where Ctrl+Shift+Left and Right select words and the arrows
// recall earlier expressions. Ctrl+C (and Ctrl+Insert) with nothing selected
// copies the result, which is what there is to copy then.
#include <algorithm>

#include "Clipboard.h"
#include "NumberWriting.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"

namespace {

bool Held(int key) { return ::GetKeyState(key) < 0; }

}  // namespace

BOOL CTallywiseDlg::TranslateExpressionKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.hwnd != m_editExpression.m_hWnd || Held(VK_MENU)) return FALSE;
  const bool shift = Held(VK_SHIFT);
  const bool control = Held(VK_CONTROL);
  if ((msg.wParam == VK_PRIOR || msg.wParam == VK_NEXT) && !shift && !control) {
    StepDecimals(msg.wParam == VK_PRIOR ? 1 : -1);
    return TRUE;
  }
  if ((msg.wParam == 'C' || msg.wParam == VK_INSERT) && control && !shift && NothingSelectedInExpression()) {
    CopyShownNumber();
    return TRUE;
  }
  return FALSE;
}

// What a click on an arrow of the up-down control does: the same notification
// to the same handler, and the new position unless the handler refuses it.
void CTallywiseDlg::StepDecimals(int delta) {
  NMUPDOWN change{};
  change.hdr.hwndFrom = m_spinPrecision.m_hWnd;
  change.hdr.idFrom = IDC_PRECISION;
  change.hdr.code = UDN_DELTAPOS;
  change.iPos = m_spinPrecision.GetPos();
  change.iDelta = delta;
  if (SendMessage(WM_NOTIFY, IDC_PRECISION, reinterpret_cast<LPARAM>(&change)) != 0) return;
  m_spinPrecision.SetPos(std::clamp(change.iPos + change.iDelta, 0, 9));
}

bool CTallywiseDlg::NothingSelectedInExpression() const {
  DWORD start = 0, end = 0;
  m_editExpression.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start == end;
}

// A prompt is no result: nothing is copied, as before.
void CTallywiseDlg::CopyShownNumber() {
  const std::string shown = ShownResult();
  if (IsFormattedNumber(shown)) WriteClipboardText(m_hWnd, shown);
}
