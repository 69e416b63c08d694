// The main window's colours: the system's in the light mode and under high
// contrast, the program's own in the dark mode, and the prompt's colour that
// sets a prompt apart from a result in both modes.
#pragma once

#include <windows.h>

enum class Look {
  kLight,         // the system's colours; only a prompt is written in its own
  kDark,          // the program's dark colours throughout
  kHighContrast,  // the system's colours and nothing else, prompts included
};

struct DarkPalette {
  COLORREF window;       // the dialog's ground
  COLORREF field;        // the fields' ground
  COLORREF text;         // text in the fields and on the buttons
  COLORREF face;         // a button
  COLORREF faceHot;      // a button under the pointer
  COLORREF facePressed;  // a button held down
  COLORREF edge;         // a button's edge
  COLORREF defaultEdge;  // the edge of the button that Enter presses
};

// Greys as the dark mode of Windows paints its own dialogs, light text on
// them; the default button's edge in the system's blue, lightened to stand
// out on the dark ground.
inline constexpr DarkPalette kDarkPalette{RGB(32, 32, 32), RGB(45, 45, 45), RGB(240, 240, 240), RGB(55, 55, 55),
                                          RGB(70, 70, 70), RGB(40, 40, 40), RGB(110, 110, 110), RGB(96, 165, 235)};

// A prompt asks for something: amber on the dark ground, a dark orange on the
// light one, each far enough from the text's colour to be seen at a glance and
// with the contrast a reader needs (4.5:1 at the least) against the field.
inline constexpr COLORREF kPromptOnDark = RGB(255, 185, 90);
inline constexpr COLORREF kPromptOnLight = RGB(170, 60, 0);
// A live result is quieter than a result: grey, still 4.5:1 against the field
// (5.1:1 on white, 5.3:1 on the dark field).
inline constexpr COLORREF kLiveOnLight = RGB(110, 110, 110);
inline constexpr COLORREF kLiveOnDark = RGB(160, 160, 160);
