// The dark look of the program's own dialogs, for any dialog to take: the
// colours, the brushes of the ground and the fields, push buttons drawn whole
// with a focus mark, and icons given an outline that shows on the dark face.
// Windows draws dialogs light whatever mode the user chose for apps, so a
// dialog in the dark mode paints these parts itself. Message boxes, the font
// chooser and the system menu are the system's and stay as it draws them.
//
// A dialog keeps a CDarkLook, calls Follow(DarkLookWanted()) at start and
// whenever the mode changes, and answers with it:
//   WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN  GroundColours
//   WM_CTLCOLOREDIT                                    FieldColours
//   NM_CUSTOMDRAW of each push button                  DrawDarkButton
// A null brush means the dialog is light: leave the message to Default().
// Its tooltips take ShowToolTipDark, its list views ShowListViewDark, its
// links CLink::ShowDark.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "Framework.h"

struct DarkPalette {
  COLORREF window;       // the dialog's ground
  COLORREF field;        // the fields' ground
  COLORREF text;         // text in the fields and on the buttons
  COLORREF face;         // a button
  COLORREF faceHot;      // a button under the pointer
  COLORREF facePressed;  // a button held down
  COLORREF edge;         // a button's edge
  COLORREF defaultEdge;  // the edge of the button that Enter presses
  COLORREF outline;      // drawn round an icon, whose own dark edges vanish on the face
  COLORREF link;         // a link's text
  COLORREF linkHot;      // a link's text under the pointer
};

// Greys as the dark mode of Windows paints its own dialogs, light text on
// them; the default button's edge in the system's blue, lightened to stand
// out on the dark ground. Every edge and outline stands at least 3:1 against
// what it borders (a button's edge against the ground, an icon's outline
// against the face), and text at least 4.5:1 against its ground.
inline constexpr DarkPalette kDarkPalette{RGB(32, 32, 32),    RGB(45, 45, 45),    RGB(240, 240, 240), RGB(55, 55, 55),
                                          RGB(70, 70, 70),    RGB(40, 40, 40),    RGB(125, 125, 125), RGB(96, 165, 235),
                                          RGB(190, 190, 190), RGB(130, 185, 250), RGB(180, 215, 255)};

// True when the user chose the dark mode for apps and no high-contrast scheme
// is on: a dialog then takes the dark look.
bool DarkLookWanted();

// Contrast of two colours as readers of text are told to measure it: 1 for
// the same colour up to 21 for black and white.
double ContrastRatio(COLORREF a, COLORREF b);

class CDarkLook {
public:
  // Makes the brushes while dark, lets them go otherwise.
  void Follow(bool dark);
  bool IsDark() const { return m_ground.GetSafeHandle() != nullptr; }

  // Light text on the dark ground; null while light.
  HBRUSH GroundColours(HDC dc) const;
  // The given text colour on the fields' ground; null while light.
  HBRUSH FieldColours(HDC dc, COLORREF text) const;

private:
  CBrush m_ground;
  CBrush m_field;
};

// Draws a push button whole at the prepaint stage of its NM_CUSTOMDRAW: edge,
// face, its text (or what `content` draws on the face) and, while it has the
// focus, a mark in the text's colour inside its edge. Returns the answer for
// the notification: CDRF_SKIPDEFAULT once drawn, CDRF_DODEFAULT at other stages.
using ButtonContent = std::function<void(HDC dc, const RECT& face)>;
LRESULT DrawDarkButton(const NMCUSTOMDRAW& draw, bool isDefault, const ButtonContent& content = {});

// The icon at (x, y), `size` pixels square, with a ring one pixel wide in
// `outline` round its shape.
void DrawIconOutlined(HDC dc, int x, int y, HICON icon, int size, COLORREF outline);

// A tooltip's colours: light text on the fields' grey while dark, the
// system's colours and look otherwise. The visual style draws tips light
// whatever colours they are given, so a dark tip is drawn without it.
void ShowToolTipDark(CToolTipCtrl& tip, bool dark);

// A list view's colours: light text on the fields' grey while dark, the
// system's window colours otherwise.
void ShowListViewDark(HWND list, bool dark);
