// The main window's colours: the system's in the light mode and under high
// contrast, the program's own in the dark mode, and the prompt's colour that
// sets a prompt apart from a result in both modes.
#pragma once

#include <windows.h>

#include "DarkLook.h"  // the dark palette every dialog of the program shares

enum class Look {
  kLight,         // the system's colours; only a prompt is written in its own
  kDark,          // the program's dark colours throughout
  kHighContrast,  // the system's colours and nothing else, prompts included
};

// A prompt asks for something: amber on the dark ground, a dark orange on the
// light one, each far enough from the text's colour to be seen at a glance and
// with the contrast a reader needs (4.5:1 at the least) against the field.
inline constexpr COLORREF kPromptOnDark = RGB(255, 185, 90);
inline constexpr COLORREF kPromptOnLight = RGB(170, 60, 0);
// A live result is quieter than a result: grey, still 4.5:1 against the field
// (5.1:1 on white, 5.3:1 on the dark field).
inline constexpr COLORREF kLiveOnLight = RGB(110, 110, 110);
inline constexpr COLORREF kLiveOnDark = RGB(160, 160, 160);
