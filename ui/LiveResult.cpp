// The live result: while the expression is typed, edited, pasted or recalled,
// the result field shows in grey what Enter would show, or nothing where
// Enter would prompt or meet a fault. It is worked out through the same
// evaluation as Enter, but says nothing: no beep, no prompt, no mark, no box,
// no history line and no notice to screen readers beyond the field's new value.
#include <string>

#include "KeysDialogIds.h"
#include "NumberWriting.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"

namespace {

constexpr UINT_PTR kLiveResultTimer = 1;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart
             ? static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart)
             : 0.0;
}

}  // namespace

// Every change of the expression field's text, whatever made it. Changes the
// Result command makes itself, while it runs, are its own business.
void CTallywiseDlg::OnExpressionChange() {
  if (!m_choices.liveResult || m_bResultRunning) return;
  const auto length = static_cast<std::size_t>(::GetWindowTextLengthA(m_editExpression));
  const LiveResultSchedule::Plan plan = m_liveSchedule.Changed(length);
  // A slow text waits for a pause; meanwhile the value of the text before
  // would be a wrong answer.
  if (plan.clearNow) ShowLiveNumber("");
  // Timer messages come only once no other message waits, so a burst of
  // keys or a paste is evaluated once, after the last of them.
  ::SetTimer(m_hWnd, kLiveResultTimer, plan.delayMs == 0 ? USER_TIMER_MINIMUM : plan.delayMs, nullptr);
}

void CTallywiseDlg::OnTimer(UINT_PTR id) {
  if (id != kLiveResultTimer) {
    Default();
    return;
  }
  ::KillTimer(m_hWnd, kLiveResultTimer);
  if (m_choices.liveResult && m_liveSchedule.Due()) ShowLiveResult();
}

void CTallywiseDlg::ShowLiveResult() {
  LARGE_INTEGER start{};
  ::QueryPerformanceCounter(&start);
  const CString expression = ReadWindowText(m_editExpression);
  const Calculation calculation = Evaluate(expression);
  const bool answered = calculation.check.passed && calculation.faults.empty();
  m_liveValue = answered ? std::optional<double>(calculation.value) : std::nullopt;
  ShowLiveNumber(answered ? calculation.result : std::string());
  LARGE_INTEGER end{};
  ::QueryPerformanceCounter(&end);
  m_liveSchedule.Measured(expression.str().size(), Milliseconds(start, end));
}

// The field's value changes for screen readers, as any edit's does, but
// nothing is read out: a value at every key would drown what is typed.
void CTallywiseDlg::ShowLiveNumber(const std::string& plain) {
  const std::wstring before = ReadWideWindowText(m_editResult);
  if (plain.empty()) {
    m_strResult = CString();
    m_editResult.ShowText(L"");
  } else {
    ShowResultNumber(plain);
  }
  // What Enter computed is not shown any more: other decimals write the live value.
  m_dResult.reset();
  ShowExactMark();
  m_liveShown = ReadWideWindowText(m_editResult);
  if (*m_liveShown != before) ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_editResult, OBJID_CLIENT, CHILDID_SELF);
}

bool CTallywiseDlg::ShowsLiveResult() const { return m_liveShown && ReadWideWindowText(m_editResult) == *m_liveShown; }

// The Result command is under way: no live result is owed for the text it
// answers, and what it shows is its own.
void CTallywiseDlg::EndLiveResult() {
  m_liveSchedule.Cancel();
  ::KillTimer(m_hWnd, kLiveResultTimer);
  m_liveShown.reset();
  m_liveValue.reset();
}

// Other decimals for the live value: written again from the value, as for a
// result of Enter, without evaluating the text again.
bool CTallywiseDlg::ReformatLiveResult() {
  if (!ShowsLiveResult()) return false;
  if (m_liveValue) ShowLiveNumber(FormatNumber(m_strFormat.str(), *m_liveValue));
  return true;
}

// Switched on, the text there is answered at once; switched off, a live value
// shown goes, since in black it would pass for a result of Enter.
void CTallywiseDlg::ToggleLiveResult() {
  m_choices.liveResult = !m_choices.liveResult;
  ShowChoiceChecked(IDM_LIVE_RESULT, m_choices.liveResult);
  SaveChoices();
  if (m_choices.liveResult) {
    OnExpressionChange();
  } else {
    const bool shown = ShowsLiveResult();
    EndLiveResult();
    if (shown) {
      m_strResult = CString();
      m_editResult.ShowText(L"");
    }
  }
}
