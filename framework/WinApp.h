// The application object: one per program, constructed before WinMain runs.
#pragma once

#include <windows.h>

#include "CmdTarget.h"

class CWnd;

// The standard Help command.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
  CWinApp();
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The program's work; FALSE ends the program when it returns. The base
  // class has nothing to set up.
  virtual BOOL InitInstance();
  // The process's exit code.
  virtual int ExitInstance();

  HINSTANCE m_hInstance = nullptr;
  // The window that stands for the program while it runs; cleared when that
  // window is destroyed.
  CWnd* m_pMainWnd = nullptr;

  // The standard Help command: opens the program's help file (its own path
  // with the extension .hlp) at its contents.
  void OnHelp();

protected:
  static const MessageMap* GetThisMessageMap();
  const MessageMap* GetMessageMap() const override;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Where the program's resources are: its own module.
HINSTANCE AfxGetResourceHandle();
// Dialogs of this program host no ActiveX controls; this is the place where a
// container for them would be enabled.
inline void AfxEnableControlContainer() {}
