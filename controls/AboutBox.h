// The About box: program name and version, the legal notice, and links to
// the maker's support address and web site. OK, Enter and Escape close it.
#pragma once

#include "DarkLook.h"
#include "Framework.h"
#include "Link.h"

class CAboutBox : public CDialog {
public:
  CAboutBox();
  ~CAboutBox() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColorGround(WPARAM wParam, LPARAM lParam);
  void OnCustomDrawButton(NMHDR* header, LRESULT* result);

  DECLARE_MESSAGE_MAP()

private:
  void ShowIconForDpi(UINT dpi);
  void ShowTexts();

  CDarkLook m_look;
  CLink m_linkMail;
  CLink m_linkHome;
  // The program icon at the size of an icon at the box's scale; outlives the
  // box's window, which shows it.
  CIcon m_hIcon;
};
