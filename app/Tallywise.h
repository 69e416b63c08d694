// The application: it runs the main window as a modal dialog and ends with it.
#pragma once

#include "Framework.h"

class CTallywiseApp : public CWinApp {
public:
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

extern CTallywiseApp theApp;
