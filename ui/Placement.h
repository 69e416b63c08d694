// Where the main window may open and which positions it remembers.
#pragma once

#include <windows.h>

// Every move and z-order change the main window asks for goes through this
// pointer; it is ::SetWindowPos unless a test records the calls. The window
// owns no popup of its own (its tooltips belong to no window), since Wine
// leaves a window that owns one without WS_EX_TOPMOST after HWND_TOPMOST.
using SetWindowPosProc = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);
extern SetWindowPosProc g_pfnSetWindowPos;

// The scale of the monitor the main window is on: DpiForWindow, unless a test
// stands in a monitor of another scale, which Wine's one screen cannot show.
using DpiForWindowProc = UINT (*)(HWND);
extern DpiForWindowProc g_pfnDpiForWindow;

// The window remembers every place it is shown at, on any monitor of any size.
// A minimised window only stands for the place it will come back to, so its
// moves (to -32000, -32000 on Windows) are not remembered; neither is a change
// that did not move it.
inline bool IsRememberedPosition(UINT swpFlags, bool minimised) { return !(swpFlags & SWP_NOMOVE) && !minimised; }

// The top-left corner for a window of the given size at (x, y): unchanged when
// the whole window lies in a monitor's work area, else moved into the work
// area of the monitor nearest to it, whole when it fits there.
POINT VisibleTopLeft(int x, int y, int width, int height);

// The place for a copy of the program opening at (x, y) while other copies may
// run: stepped down and right by `step` while another visible window of this
// class and caption stands at exactly that corner, so that the new copy never
// hides an older one; each step stays wholly on the screen.
POINT PlaceBesideOtherCopies(HWND self, POINT at, int width, int height, int step);
