// The display scale windows are drawn at. The per-monitor functions of newer
// systems are looked up at run time, so the program still starts on Windows 7,
// where every window is drawn at the one system DPI.
#pragma once

#include <windows.h>

#include "Geometry.h"

// 100 %: the scale lengths in pixels are given at unless said otherwise.
constexpr UINT kDefaultDpi = 96;

// What the screen's device context reports: the scale of the whole session,
// which the system's own dialogs, the font chooser among them, measure with.
UINT SystemDpi();

// The scale of the monitor the window is on (Windows 8.1 and later), else the
// system's. Windows 8.1 and the first versions of Windows 10 give the
// system's for a window that has not been shown yet.
UINT DpiForWindow(HWND hWnd);

// A GetSystemMetrics size at this scale; where the system cannot say, its own
// value scaled from the system DPI.
int SystemMetricForDpi(int index, UINT dpi);

// A length in pixels at 96 DPI at another scale, and back. Both round to the
// nearest pixel, so a length taken to any scale from 100 % up and back is the
// length it was.
inline int ScaleFrom96(int length, UINT dpi) { return ScaleLength(length, static_cast<int>(dpi), kDefaultDpi); }
inline int ScaleTo96(int length, UINT dpi) {
  return dpi ? ScaleLength(length, kDefaultDpi, static_cast<int>(dpi)) : length;
}

// True where the dialog manager lays a dialog out again by itself when its
// scale changes (per-monitor awareness version 2, Windows 10 version 1703 and
// later): it then moves and resizes the controls and gives each of them the
// dialog font made for the new scale.
bool SystemRescalesDialogs();

// Keeps the dialog manager from giving this control the dialog font when the
// scale changes; the control's owner makes its font for the new scale itself.
void KeepOwnFontOnDpiChange(HWND control);
