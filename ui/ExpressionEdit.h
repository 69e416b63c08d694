// The expression field: an edit control that brings back earlier expressions
// with Up and Down, as a command prompt does.
#pragma once

#include <optional>
#include <string>

#include "ExpressionHistory.h"
#include "Framework.h"

class CExpressionEdit : public CEdit {
public:
  // An expression given to the Result command, as it stood in the field.
  void Remember(const CString& expression) { m_history.Record(expression.str()); }

protected:
  void OnKeyDown(UINT key, UINT repeats, UINT flags);

  DECLARE_MESSAGE_MAP()

private:
  void ShowRecalled(const std::optional<std::string>& entry);

  ExpressionHistory m_history;
};
