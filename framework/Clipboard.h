// Text in and out of the clipboard, open only for the length of one call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The clipboard's text as Unicode (the system makes it from ANSI text when
// that is all there is); none when it holds no text or is held by another
// program.
std::optional<std::u16string> ReadClipboardUnicodeText(HWND owner);

// Puts the text, in the ANSI code page, on the clipboard in place of what
// it held; false when the clipboard could not be had.
bool WriteClipboardText(HWND owner, const std::string& text);
