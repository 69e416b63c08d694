// The expression history kept between runs: read when the window starts,
// written whenever an expression joins it, so that nothing is lost to Escape,
// a crash or the end of the session. Each window adds only its own new
// expressions to what the file holds then, so two windows keep both's.
#include "WindowHistoryFile.h"
#include "WindowHistoryText.h"
#include "TallywiseDlg.h"
#include "TextIds.h"
#include "UiLanguage.h"

namespace {

std::wstring NotWrittenMessage(HistoryWrite written, const std::string& path) {
  const UINT text = written == HistoryWrite::ReadOnly   ? IDS_HISTORY_READ_ONLY
                    : written == HistoryWrite::NotAFile ? IDS_HISTORY_NOT_A_FILE
                                                        : IDS_HISTORY_NOT_WRITTEN;
  return FormatText(LoadText(text), {WideFromAnsi(path)});
}

}  // namespace

unsigned HistoryClearedMessage() {
  static const UINT message = ::RegisterWindowMessageA("Tallywise.HistoryCleared");
  return message;
}

void CTallywiseDlg::LoadHistory() { m_editExpression.RestoreHistory(ReadHistoryFile(GetHistoryPath())); }

// Expressions the file did not take are tried again with the next one.
void CTallywiseDlg::SaveHistory(const std::string& added) {
  AddKeepingNewest(m_arrUnsavedHistory, added, kWindowHistoryLength);
  const HistoryWrite written = AddToHistoryFile(GetHistoryPath(), m_arrUnsavedHistory);
  if (written == HistoryWrite::Written)
    m_arrUnsavedHistory.clear();
  else
    ReportHistoryNotWritten(written);
}

// The file is emptied for every window: the others add only what they are
// given after this, never what they were given before.
void CTallywiseDlg::ClearHistory() {
  if (MessageBox(LoadText(IDS_CLEAR_HISTORY_QUESTION).c_str(), LoadText(IDS_CLEAR_HISTORY_CAPTION).c_str(),
                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    return;
  }
  ForgetHistory();
  const HistoryWrite written = ClearHistoryFile(GetHistoryPath());
  // Posted, not sent: a copy busy with a box of its own hears it when it can,
  // and none can hold this one up.
  ::PostMessageA(HWND_BROADCAST, HistoryClearedMessage(), 0, 0);
  if (written != HistoryWrite::Written) ReportHistoryNotWritten(written);
}

void CTallywiseDlg::ForgetHistory() {
  m_editExpression.ClearHistory();
  m_arrUnsavedHistory.clear();
}

// Another copy emptied the history: Up and Down bring back nothing from before.
LRESULT CTallywiseDlg::OnHistoryCleared(WPARAM, LPARAM) {
  ForgetHistory();
  return 0;
}

// Once a run: a box at every Enter would stand between the user and every
// result, and the result field belongs to the result. The box comes after the
// result is shown.
void CTallywiseDlg::ReportHistoryNotWritten(HistoryWrite written) {
  if (m_bHistoryProblemShown) return;
  m_bHistoryProblemShown = true;
  MessageBox(NotWrittenMessage(written, GetHistoryPath()).c_str(), LoadText(IDS_HISTORY_NOT_SAVED_CAPTION).c_str(),
             MB_OK | MB_ICONWARNING);
}
