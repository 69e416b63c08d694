// The expression history kept between runs: read when the window starts,
// written whenever an expression joins it, so that nothing is lost to Escape,
// a crash or the end of the session.
#include "HistoryFile.h"
#include "TallywiseDlg.h"

void CTallywiseDlg::LoadHistory() { m_editExpression.RestoreHistory(ReadHistoryFile(GetHistoryPath())); }

// A file that cannot be written is passed over: the history of this run stays.
void CTallywiseDlg::SaveHistory() {
  const auto& entries = m_editExpression.History();
  WriteHistoryFile(GetHistoryPath(), std::vector<std::string>(entries.begin(), entries.end()));
}

void CTallywiseDlg::ClearHistory() {
  m_editExpression.ClearHistory();
  SaveHistory();
}
