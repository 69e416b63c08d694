#include "AboutBox.h"

#include "AboutBoxIds.h"

CAboutBox::CAboutBox() : CDialog(IDD_ABOUTBOX) {}

CAboutBox::~CAboutBox() = default;

BEGIN_MESSAGE_MAP(CAboutBox, CDialog)
END_MESSAGE_MAP()

void CAboutBox::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LINK_MAIL, m_linkMail);
  DDX_Control(pDX, IDC_LINK_HOME, m_linkHome);
}

// Attaching gave each link its caption as target and tooltip; neither is
// meant to be seen.
BOOL CAboutBox::OnInitDialog() {
  CDialog::OnInitDialog();
  m_linkMail.SetToolTipText("Say, what do you think about this calculator?");
  m_linkMail.SetURL(CString("mailto:") + kSupportAddress);
  m_linkHome.SetToolTipText(CString("More programs on ") + kWebHost);
  m_linkHome.SetURL(CString("http://") + kWebHost);
  return TRUE;  // the dialog manager puts the focus on the OK button
}
