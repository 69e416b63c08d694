// The Result command and the precision control: the expression is checked, the
// faulty spot is shown, or the value is computed and written.

#include <algorithm>

#include "Checker.h"
#include "Evaluator.h"
#include "NumberText.h"
#include "Prompts.h"
#include "TallywiseDlg.h"

void CTallywiseDlg::OnResult() {
  UpdateData(TRUE);
  m_editExpression.Remember(m_strExpression);
  if (!CheckExpression(m_strExpression)) {
    ::MessageBeep(0xF0);
    AnnounceResult();
    return;
  }
  m_strResult = Evaluate(m_strExpression);
  UpdateData(FALSE);
  AnnounceResult();
}

BOOL CTallywiseDlg::CheckExpression(CString expression) {
  const CheckOutcome outcome = CheckExpressionText(expression.str());
  if (outcome.passed) return TRUE;
  m_strResult = RenderPrompt(outcome);
  // Marked before the refresh: the refresh leaves the expression field alone,
  // since its stored text is the one just read from it, and so keeps the mark.
  if (outcome.mark) SelectInExpression(outcome.mark->start, outcome.mark->end);
  UpdateData(FALSE);
  return FALSE;
}

void CTallywiseDlg::SelectInExpression(int start, int end) {
  m_editExpression.SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  m_editExpression.SendMessage(EM_SCROLLCARET);
  m_editExpression.SetFocus();
}

CString CTallywiseDlg::Evaluate(CString expression) {
  // One box per failure, owned by this window, and the evaluation goes on.
  const auto showFault = [this](ComputeFault fault) {
    MessageBox(ComputeFaultMessage(fault), kComputeFaultCaption, MB_OK | MB_ICONSTOP);
  };
  return CString(EvaluateExpression(expression.str(), m_strFormat.str(), showFault, m_evaluationStacks));
}

void CTallywiseDlg::OnDeltaposPrecision(NMHDR* notification, LRESULT* result) {
  const auto* updown = reinterpret_cast<const NMUPDOWN*>(notification);
  const int decimals = std::clamp(updown->iPos + updown->iDelta, 0, 9);
  m_strFormat = MakeNumberFormat(decimals);

  // Only a number is written again, from the text as shown. A prompt stays a
  // prompt, and only the result field is rewritten: an expression typed since
  // the last Result stays as it was typed.
  if (IsFormattedNumber(m_strResult.str())) {
    m_strResult = ReformatResultText(m_strResult.str(), m_strFormat.str());
    m_editResult.SetWindowText(m_strResult);
    AnnounceResult();
  }
  *result = 0;
}
