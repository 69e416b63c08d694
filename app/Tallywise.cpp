#include "Tallywise.h"

#include <commctrl.h>

#include "TallywiseDlg.h"

CTallywiseApp theApp;

BEGIN_MESSAGE_MAP(CTallywiseApp, CWinApp)
  ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The whole run is the main dialog's modal loop; answering FALSE ends the
// program when it closes instead of starting a loop of our own.
BOOL CTallywiseApp::InitInstance() {
  InitCommonControls();
  CWinApp::InitInstance();
  AfxEnableControlContainer();

  CTallywiseDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  return FALSE;
}
