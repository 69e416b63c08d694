// What a screen reader learns of the main window's controls beyond what the
// system's standard objects say, and the results it is asked to read out.
#include <string>

#include "NumberWriting.h"
#include "ScreenReaderNotice.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"

// The template has no labels beside the fields, so the names come from here.
// The Result button is left alone: its caption is its name, and the result
// field's name differs from it, so that a reader never hears two "Result"s.
// While the field shows a prompt its name says so. While the mark beside it
// shows, the field's description gives the exact value too, so that a reader
// hears of it with the result.
AccessibleFacts CTallywiseDlg::DescribeControl(int id) const {
  switch (id) {
    case IDC_EXPRESSION: return {"Expression", std::nullopt, 0};
    case IDC_RESULT: {
      AccessibleFacts facts{ShowsPrompt() ? "Prompt" : "Result value", ShownResult(), 0};
      if (ShowsExactMark()) facts.description = ExactValueNote();
      return facts;
    }
    case IDC_EXACT_MARK: {
      AccessibleFacts facts{"Differs from the exact value", std::nullopt, 0};
      if (ShowsExactMark()) facts.description = ExactValueNote();
      return facts;
    }
    case IDC_TOPMOST: return {"Always on top", std::nullopt, m_bTopMost ? static_cast<DWORD>(STATE_SYSTEM_PRESSED) : 0};
    case IDC_PRECISION: return {"Decimal places", std::to_string(GetDecimalCount(m_strFormat.str())), 0};
  }
  return {};
}

// One object per control, made on the first request; it asks this window each
// time a client reads it, until the window's end detaches it.
LRESULT CTallywiseDlg::OnGetControlObject(HWND control, WPARAM wParam) {
  const int id = ::GetDlgCtrlID(control);
  if (id == IDC_RESULT_BUTTON) return 0;
  return m_accessibleObjects.Answer(control, wParam, [this, id] { return DescribeControl(id); });
}

// Several prompts end in blanks that keep the field's look; read aloud they
// would only be silence.
std::string CTallywiseDlg::ShownResult() const {
  if (m_editResult.ShowsGrouped()) return m_strResult.str();  // the number, not its look
  std::string shown = ReadWindowText(m_editResult).str();
  shown.erase(shown.find_last_not_of(' ') + 1);
  return shown;
}

void CTallywiseDlg::AnnounceResult() { AnnounceFieldText(m_editResult, ShownResult()); }
