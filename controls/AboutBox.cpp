#include "AboutBox.h"

#include "AboutBoxIds.h"
#include "TallywiseIdentity.h"

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
  m_linkMail.SetURL("mailto:" TALLYWISE_SUPPORT_ADDRESS);
  m_linkHome.SetToolTipText("More programs on " TALLYWISE_WEB_HOST);
  m_linkHome.SetURL("http://" TALLYWISE_WEB_HOST);
  return TRUE;  // the dialog manager puts the focus on the OK button
}
