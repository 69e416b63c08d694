// The list of the program's keys and what each does, the system menu's
// entries among them, opened from the system menu.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Framework.h"
#include "Theme.h"

// A text of the program's string table as UTF-16; empty when there is none.
std::wstring LoadWideString(UINT id);

class CKeysDialog : public CDialog {
public:
  // `menu`: the system menu whose own entries the list names.
  CKeysDialog(CWnd* parent, HMENU menu, Look look);

protected:
  BOOL OnInitDialog() override;
  LRESULT OnCtlColorGround(WPARAM wParam, LPARAM lParam);
  void OnCustomDrawButton(NMHDR* header, LRESULT* result);

  DECLARE_MESSAGE_MAP()

private:
  std::vector<std::pair<std::wstring, std::wstring>> Rows() const;
  void FillList();

  HMENU m_menu;
  Look m_look;
  CBrush m_brushGround;
};
