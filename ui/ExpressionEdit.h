// The expression field: an edit control that brings back earlier expressions
// with Up and Down, as a command prompt does, and pastes text from other
// programs as the text they showed.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ExpressionHistory.h"
#include "Framework.h"

class CExpressionEdit : public CEdit {
public:
  // An expression given to the Result command, as it stood in the field; true
  // when the history changed.
  bool Remember(const CString& expression) { return m_history.Record(expression.str()); }
  const std::deque<std::string>& History() const { return m_history.Entries(); }
  void RestoreHistory(const std::vector<std::string>& expressions) { m_history.Restore(expressions); }
  void ClearHistory() { m_history.Clear(); }

  // Replaces the selection with the clipboard's text, as the field's own
  // paste does, but converted by the program (see PastedText.h).
  void PasteFromClipboard();

protected:
  void OnKeyDown(UINT key, UINT repeats, UINT flags);
  LRESULT OnPaste(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

private:
  void ShowRecalled(const std::optional<std::string>& entry);

  ExpressionHistory m_history;
};
