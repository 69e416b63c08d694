// The expression field: an edit control that brings back earlier expressions
// with Up and Down, as a command prompt does, and pastes text from other
// programs as the text they showed.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ExpressionHistory.h"
#include "Framework.h"

class CExpressionEdit : public CEdit {
public:
  // Characters the field holds: far more than anyone types, so that a long
  // sum pasted from elsewhere arrives whole.
  static constexpr int kLimit = 1'000'000;

  // An expression given to the Result command, as it stood in the field; true
  // when the history changed.
  bool Remember(const CString& expression) { return m_history.Record(expression.str()); }
  void RestoreHistory(const std::vector<std::string>& expressions) { m_history.Restore(expressions); }
  void ClearHistory() { m_history.Clear(); }

  // Replaces the selection with the clipboard's text, as the field's own
  // paste does, but converted by the program (see PastedText.h). A text that
  // does not fit is refused whole: the parent hears EN_MAXTEXT.
  void PasteFromClipboard();

  // A character outside ASCII typed into the field goes the way a pasted one
  // does; the rest goes to the control.
  BOOL PreTranslateMessage(MSG* msg) override;

protected:
  void PreSubclassWindow() override;
  void OnKeyDown(UINT key, UINT repeats, UINT flags);
  LRESULT OnPaste(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

private:
  void ShowRecalled(const std::optional<std::string>& entry);
  // Puts the converted text in place of the selection; false when it does
  // not fit and nothing changed.
  bool ReplaceSelection(std::u16string_view text, bool typed);

  ExpressionHistory m_history;
  // Where the caret and the field's length stood after a typed superscript
  // digit: the next one typed there goes on with its power.
  std::optional<std::pair<DWORD, int>> m_typedPowerEnd;
};
