// Telling screen readers that the program has written a new text into a field.
#pragma once

#include <windows.h>

#include <string_view>

// Raises the field's value change. Screen readers read that only for the field
// that has the focus, so where the system has UI Automation notifications
// (Windows 10 version 1709 and later) they are also asked to read the text.
void AnnounceFieldText(HWND field, std::string_view text);
