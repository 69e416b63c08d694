// The list of the program's keys and what each does, the system menu's
// entries among them, opened from the system menu.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "DarkLook.h"
#include "Framework.h"

class CKeysDialog : public CDialog {
public:
  // `menu`: the system menu whose own entries the list names; `dark`: the
  // look of the window it belongs to.
  CKeysDialog(CWnd* parent, HMENU menu, bool dark);

protected:
  BOOL OnInitDialog() override;
  LRESULT OnCtlColorGround(WPARAM wParam, LPARAM lParam);
  void OnCustomDrawButton(NMHDR* header, LRESULT* result);

  DECLARE_MESSAGE_MAP()

private:
  std::vector<std::pair<std::wstring, std::wstring>> Rows() const;
  void FillList();

  HMENU m_menu;
  bool m_dark;
  CDarkLook m_look;
};
