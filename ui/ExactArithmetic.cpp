// Exact arithmetic, one switch in the system menu away, and in the classic
// arithmetic, which stays the default, a mark beside the result whenever the
// exact value would show other digits at the chosen decimals. The result's
// text, its copy and the history stay as the classic rules make them: the mark
// only tells, in its tooltip and to screen readers, what the exact value is.
#include <string>

#include "Calculation.h"
#include "ExactValue.h"
#include "NumberWriting.h"
#include "Prompts.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"

void CTallywiseDlg::AddExactArithmeticItem(HMENU menu) {
  ::AppendMenuW(menu, MF_STRING | (m_choices.exactArithmetic ? MF_CHECKED : 0), IDM_EXACT_ARITHMETIC,
                L"E&xact Arithmetic");
}

// Written at once, so that no way the run ends can lose it. A result on show
// is computed again from its expression in the arithmetic now chosen: whoever
// turns the switch wants to see what it changes, there and then, without
// typing the expression again; and the field never shows a number of the other
// arithmetic than the one checked in the menu. A prompt or an empty field stays.
// Like a second Result, the switch waits while a Result's boxes are open.
void CTallywiseDlg::ToggleExactArithmetic() {
  if (m_bResultRunning) return;
  m_choices.exactArithmetic = !m_choices.exactArithmetic;
  SaveChoices();
  if (m_dResult) ComputeShownResultAgain();
  if (ShowsLiveResult()) ShowLiveResult();
  ShowChoiceChecked(IDM_EXACT_ARITHMETIC, m_choices.exactArithmetic);
}

// The same expression passed the check before and passes it again; its faults
// are told again, since the value shown goes on from them.
void CTallywiseDlg::ComputeShownResultAgain() {
  m_bResultRunning = true;
  const Calculation calculation = Evaluate(m_strResultExpression);
  if (calculation.check.passed) {
    for (const FaultMet& fault : calculation.faults)
      MessageBox(ComputeFaultMessage(fault.kind), kComputeFaultCaption, MB_OK | MB_ICONSTOP);
    m_dResult = calculation.value;
    KeepExactValue(calculation, m_strResultExpression);
    ShowResultNumber(calculation.result);
    ShowExactMark();
    AnnounceResult();
  }
  m_bResultRunning = false;
}

Arithmetic CTallywiseDlg::ChosenArithmetic() const {
  return m_choices.exactArithmetic ? Arithmetic::kExact : Arithmetic::kClassic;
}

void CTallywiseDlg::KeepExactValue(const Calculation& calculation, const CString& expression) {
  m_exactResult = calculation.exact;
  m_strResultExpression = expression;
}

// The value of the shown result at the decimals chosen now. An exact result
// that met a fault has no exact value to keep, and its double would invent
// digits past the 17th: its expression is worked out again, its faults told already.
std::string CTallywiseDlg::WriteResultValue() {
  if (!m_choices.exactArithmetic) return FormatNumber(m_strFormat.str(), *m_dResult);
  if (m_exactResult) return m_exactResult->Written(GetDecimalCount(m_strFormat.str()));
  return Calculate(m_strResultExpression.str(), m_strFormat.str(), m_evaluationStacks, Arithmetic::kExact).result;
}

void CTallywiseDlg::InitExactMark() {
  m_exactMark.SubclassDlgItem(IDC_EXACT_MARK, this);
  m_tipCtrl.AddTool(m_exactMark, "");
}

// Shown in the classic arithmetic only, while the field holds a result whose
// exact value has other digits; a prompt, a result without a difference or the
// exact arithmetic hides it. Called wherever the result field changes.
void CTallywiseDlg::ShowExactMark() {
  const bool differs = !m_choices.exactArithmetic && m_dResult && m_exactResult &&
                       ShowsOtherDigits(m_strResult.str(), *m_exactResult, GetDecimalCount(m_strFormat.str()));
  if (differs) m_tipCtrl.UpdateTipText(ExactValueNote().c_str(), m_exactMark);
  ::ShowWindow(m_exactMark, differs ? SW_SHOWNA : SW_HIDE);
}

bool CTallywiseDlg::ShowsExactMark() const { return m_exactMark.m_hWnd && ::IsWindowVisible(m_exactMark); }

std::string CTallywiseDlg::ExactValueNote() const {
  return "Exact: " + m_exactResult->Written(GetDecimalCount(m_strFormat.str()));
}

// In the gap between the Result button and the result field, as high as the
// field, so that the row reads "Result ≈ 0.000". The gap grows with the scale
// like the rest of the template; the field's height follows its font.
void CTallywiseDlg::PlaceExactMark() {
  const auto place = [this](int id) {
    RECT rect{};
    ::GetWindowRect(GetDlgItem(id), &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  const RECT button = place(IDC_RESULT_BUTTON);
  const RECT field = place(IDC_RESULT);
  ::SetWindowPos(GetDlgItem(IDC_EXACT_MARK), nullptr, button.right, field.top, field.left - button.right,
                 field.bottom - field.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
