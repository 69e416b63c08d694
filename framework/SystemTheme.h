// What Windows tells programs about the colours the user chose: the light or
// dark mode of apps, high contrast, and the dark caption that windows of a
// dark program ask the desktop window manager for.
#pragma once

#include <windows.h>

// True when the user chose the dark mode for apps (Windows 10 version 1607 and
// later); false where the setting is missing, as on Windows 7 and 8.
bool AppsUseDarkTheme();

// True while a high-contrast scheme is on: the program then shows the
// system's colours and none of its own.
bool HighContrastOn();

// Asks the desktop window manager to draw the window's caption and frame dark
// or light. Systems without the request (Windows 7 to Windows 10 version 1809,
// and Wine) leave them as they are.
void AskForDarkCaption(HWND window, bool dark);

// True for the WM_SETTINGCHANGE that Windows broadcasts when the user changes
// the light or dark mode.
bool IsColourModeChange(LPARAM settingName);
