// The Result command and the precision control: the expression is checked, the
// faulty spot is shown, or the value is computed and written.

#include <algorithm>
#include <vector>

#include "Calculation.h"
#include "NumberWriting.h"
#include "Prompts.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"
#include "TextIds.h"
#include "UiLanguage.h"

// One box per fault, owned by the window, in the order the passes reached them.
void CTallywiseDlg::ShowFaults(const std::vector<FaultMet>& faults) {
  for (const FaultMet& fault : faults)
    MessageBox(FaultText(fault.kind).c_str(), LoadText(IDS_FAULT_CAPTION).c_str(), MB_OK | MB_ICONSTOP);
}

// The text is read once: the check and the evaluation come from that one
// reading. The boxes come after the evaluation, which is over by then. While one
// is open the window is disabled, but a Result command posted to it still arrives
// through the box's message loop: it is dropped, so the user sees the first
// command through and nothing is evaluated twice.
void CTallywiseDlg::OnResult() {
  if (m_bResultRunning) return;
  m_bResultRunning = true;
  EndLiveResult();
  UpdateData(TRUE);
  const bool remembered = m_editExpression.Remember(m_strExpression);
  const Calculation calculation = Evaluate(m_strExpression);
  if (!CheckExpression(calculation.check)) {
    ::MessageBeep(0xF0);
    ShowExactMark();
    AnnounceResult();
  } else {
    ShowFaults(calculation.faults);
    if (!calculation.faults.empty()) PostMessage(kFaultBoxesClosed);
    m_dResult = calculation.value;
    KeepExactValue(calculation, m_strExpression);
    // The result field alone: the expression field may have been given another
    // text while a box was open, and this command never rewrites it.
    ShowResultNumber(calculation.result);
    ShowExactMark();
    AnnounceResult();
  }
  if (remembered) SaveHistory(m_strExpression.str());
  GiveFocusBackForTyping();
  m_bResultRunning = false;
}

// A click on the button, or its access key, leaves the focus on it, where the
// next keys typed would be lost: the expression field takes it back, with the
// caret and selection it had. Focus set directly keeps them, where the dialog
// manager's move to a field would select its whole text. Enter in a field
// leaves the focus where it was.
void CTallywiseDlg::GiveFocusBackForTyping() {
  if (::GetFocus() == GetDlgItem(IDC_RESULT_BUTTON)) m_editExpression.SetFocus();
}

// Under Wine's X11 driver boxes that open and close quickly can leave the
// window without the activation they hand back: the X server refuses the
// focus request dated by the key that closed a box, and a focus change the
// driver reads late then makes the desktop the foreground, where typed keys
// reach no window. This message comes once the boxes are gone, with a date of
// its own. A look for a message never posted first lets in the driver's
// reports that arrived meanwhile. When then no window, or only the desktop,
// is in the foreground, the window takes the activation back, and with it the
// focus it had; another program's window is left in front. On Windows the
// box's end has activated the window already, and nothing happens.
LRESULT CTallywiseDlg::OnFaultBoxesClosed(WPARAM, LPARAM) {
  MSG never;
  ::PeekMessageW(&never, m_hWnd, kFaultBoxesClosed + 1, kFaultBoxesClosed + 1, PM_NOREMOVE);
  const HWND foreground = ::GetForegroundWindow();
  if ((foreground && foreground != ::GetDesktopWindow()) || !::IsWindowVisible(m_hWnd) || IsIconic()) return 0;
  ::SetForegroundWindow(m_hWnd);
  if (!::IsChild(m_hWnd, ::GetFocus())) m_editExpression.SetFocus();
  return 0;
}

// Enter held down gives one Result command: the keyboard's repeats of it are
// dropped before the dialog manager makes commands of them. A repeat that
// meets a box the command opened closes it, as the box handles its own keys;
// the window is then left alone with the value and the caret. Each new press
// computes.
bool CTallywiseDlg::IsRepeatedEnter(const MSG& msg) const {
  constexpr LPARAM kWasDown = LPARAM{1} << 30;
  return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && (msg.lParam & kWasDown) != 0 &&
         (msg.hwnd == m_hWnd || ::IsChild(m_hWnd, msg.hwnd));
}

BOOL CTallywiseDlg::CheckExpression(const CheckOutcome& outcome) {
  if (outcome.passed) return TRUE;
  m_writePrompt = [this, outcome] { return PromptText(outcome); };
  m_dResult.reset();
  // Marked before the refresh: the refresh leaves the expression field alone,
  // since its stored text is the one just read from it, and so keeps the mark.
  if (outcome.mark) SelectInExpression(outcome.mark->start, outcome.mark->end);
  ShowInResultField(m_writePrompt());
  m_strPromptShown = m_strResult;
  UpdateData(FALSE);
  return FALSE;
}

// EM_SETSEL takes the field's indices as the platform's ints; a field's text is
// far shorter than that.
void CTallywiseDlg::SelectInExpression(std::ptrdiff_t start, std::ptrdiff_t end) {
  m_editExpression.SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  m_editExpression.SendMessage(EM_SCROLLCARET);
  m_editExpression.SetFocus();
}

Calculation CTallywiseDlg::Evaluate(CString expression) {
  // The classic arithmetic also works out the exact value, for the mark.
  const Arithmetic arithmetic = ChosenArithmetic();
  return Calculate(expression.str(), m_strFormat.str(), m_evaluationStacks, arithmetic,
                   arithmetic == Arithmetic::kClassic);
}

void CTallywiseDlg::OnDeltaposPrecision(NMHDR* notification, LRESULT* result) {
  const auto* updown = reinterpret_cast<const NMUPDOWN*>(notification);
  const int decimals = std::clamp(updown->iPos + updown->iDelta, 0, 9);
  m_strFormat = MakeNumberFormat(decimals);
  ShowDecimalsInTip();

  // The value the last Result computed is written again, not the rounded text:
  // decimals dropped come back, and nothing is evaluated again. A prompt stays a
  // prompt, and only the result field is rewritten: an expression typed since
  // the last Result stays as it was typed.
  // A live value is rewritten the same way, quietly.
  if (!ReformatLiveResult() && m_dResult) {
    ShowResultNumber(WriteResultValue());
    ShowExactMark();
    AnnounceResult();
  }
  *result = 0;
}

// A paste that would not fit is refused whole, and so is typing at the limit.
void CTallywiseDlg::OnExpressionFull() {
  ::MessageBeep(0xF0);
  // The field's limit is far beyond anything typed: it is met by a paste.
  m_writePrompt = [] { return LoadText(IDS_PROMPT_TOO_LONG); };
  ShowInResultField(m_writePrompt());
  m_strPromptShown = m_strResult;
  m_dResult.reset();
  ShowExactMark();
  AnnounceResult();
}
