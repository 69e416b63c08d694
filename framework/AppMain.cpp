// The entry point of a program built on this framework: it runs the one
// application object the program defines.
#include <windows.h>

#include "WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  app->m_hInstance = instance;
  // A dialog-based program does all its work inside InitInstance and answers
  // FALSE; the framework offers no main loop for a program that answers TRUE.
  app->InitInstance();
  return app->ExitInstance();
}
