#include "WinApp.h"

#include <string>

#include "MessageMap.h"
#include "Wnd.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

void CWinApp::OnHelp() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::string helpFile(path, length);
  const size_t dot = helpFile.find_last_of(".\\");
  if (dot != std::string::npos && helpFile[dot] == '.') helpFile.erase(dot);
  helpFile += ".hlp";
  CWnd* main = AfxGetMainWnd();
  ::WinHelpA(main ? main->m_hWnd : nullptr, helpFile.c_str(), HELP_FINDER, 0);
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetResourceHandle() { return ::GetModuleHandleA(nullptr); }
