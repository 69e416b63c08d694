// The calls to the system that the main window's tests stand in for, each for
// a state Wine cannot show. A window makes them through the set it was given,
// which is the system's own unless a test gives another.
#pragma once

#include <windows.h>

#include "Framework.h"

using SetWindowPosProc = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);
using DpiForWindowProc = UINT (*)(HWND);
using HighContrastProc = bool (*)();

struct WindowSystemCalls {
  // Every move and z-order change the window asks for. Wine leaves a window
  // that owns a popup without WS_EX_TOPMOST after HWND_TOPMOST, so there the
  // request itself is what can be checked.
  SetWindowPosProc setWindowPos = &::SetWindowPos;
  // The scale of the monitor the window is on: Wine's one screen cannot show
  // a monitor of another scale.
  DpiForWindowProc dpiForWindow = &DpiForWindow;
  // Whether a high-contrast scheme is on, which Wine cannot switch on.
  HighContrastProc highContrastOn = &HighContrastOn;
};
