// Where the main window may open and which positions it remembers.
#pragma once

#include <windows.h>

// Every move and z-order change the main window asks for goes through this
// pointer; it is ::SetWindowPos unless a test records the calls. Wine leaves a
// window that owns a popup without WS_EX_TOPMOST after HWND_TOPMOST, so there
// the request itself is what can be checked.
using SetWindowPosProc = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);
extern SetWindowPosProc g_pfnSetWindowPos;

// The scale of the monitor the main window is on: DpiForWindow, unless a test
// stands in a monitor of another scale, which Wine's one screen cannot show.
using DpiForWindowProc = UINT (*)(HWND);
extern DpiForWindowProc g_pfnDpiForWindow;

// Moves the window remembers: anything else (a minimised window at -32000,
// an edge at 0 or beyond, a second screen) keeps the last accepted corner.
inline bool IsRememberedPosition(int x, int y) { return 0 < x && x < 1280 && 0 < y && y < 1024; }

// The top-left corner for a window of the given size at (x, y): unchanged when
// any part of it is on a monitor, else the nearest monitor's work area.
POINT VisibleTopLeft(int x, int y, int width, int height);
