#include "DarkLook.h"

#include <cmath>
#include <string>
#include <vector>

#include "LateBoundFunction.h"
#include "PaintDC.h"

namespace {

double Linear(BYTE channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF colour) {
  return 0.2126 * Linear(GetRValue(colour)) + 0.7152 * Linear(GetGValue(colour)) + 0.0722 * Linear(GetBValue(colour));
}

// The icon drawn over one colour, read back pixel by pixel (top row first).
std::vector<COLORREF> IconOver(HICON icon, int size, COLORREF ground) {
  std::vector<COLORREF> pixels;
  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
  ::ReleaseDC(nullptr, screen);
  if (memory && bitmap) {
    const HGDIOBJ before = ::SelectObject(memory, bitmap);
    FillSolidRect(memory, RECT{0, 0, size, size}, ground);
    ::DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    pixels.reserve(static_cast<size_t>(size) * static_cast<size_t>(size));
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x)
        pixels.push_back(::GetPixel(memory, x, y));
    }
    ::SelectObject(memory, before);
  }
  if (bitmap) ::DeleteObject(bitmap);
  if (memory) ::DeleteDC(memory);
  return pixels;
}

using SetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

// Looked up once; systems without visual styles have no library for them.
SetWindowThemeProc SetWindowThemeFunction() {
  static const SetWindowThemeProc found =
      LateBoundFunction<SetWindowThemeProc>(LoadSystemLibrary("uxtheme.dll"), "SetWindowTheme");
  return found;
}

}  // namespace

bool DarkLookWanted() { return AppsUseDarkTheme() && !HighContrastOn(); }

void ShowToolTipDark(CToolTipCtrl& tip, bool dark) {
  if (!tip.m_hWnd) return;
  if (const auto setTheme = SetWindowThemeFunction()) setTheme(tip.m_hWnd, dark ? L"" : nullptr, dark ? L"" : nullptr);
  tip.SendMessage(TTM_SETTIPBKCOLOR, dark ? kDarkPalette.field : ::GetSysColor(COLOR_INFOBK));
  tip.SendMessage(TTM_SETTIPTEXTCOLOR, dark ? kDarkPalette.text : ::GetSysColor(COLOR_INFOTEXT));
}

void ShowListViewDark(HWND list, bool dark) {
  const COLORREF ground = dark ? kDarkPalette.field : ::GetSysColor(COLOR_WINDOW);
  ListView_SetBkColor(list, ground);
  ListView_SetTextBkColor(list, ground);
  ListView_SetTextColor(list, dark ? kDarkPalette.text : ::GetSysColor(COLOR_WINDOWTEXT));
}

double ContrastRatio(COLORREF a, COLORREF b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

void CDarkLook::Follow(bool dark) {
  if (dark) {
    m_ground.CreateSolid(kDarkPalette.window);
    m_field.CreateSolid(kDarkPalette.field);
  } else {
    m_ground.Reset();
    m_field.Reset();
  }
}

HBRUSH CDarkLook::GroundColours(HDC dc) const {
  if (!IsDark()) return nullptr;
  ::SetTextColor(dc, kDarkPalette.text);
  ::SetBkColor(dc, kDarkPalette.window);
  return m_ground;
}

HBRUSH CDarkLook::FieldColours(HDC dc, COLORREF text) const {
  if (!IsDark()) return nullptr;
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, kDarkPalette.field);
  return m_field;
}

// The focus is marked whenever the button has it, unless the user works with
// the mouse and the system hides focus marks until a key is used; the mark is
// a solid line in the text's colour, which stands out on every face.
LRESULT DrawDarkButton(const NMCUSTOMDRAW& draw, bool isDefault, const ButtonContent& content) {
  if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  const HDC dc = draw.hdc;
  const RECT whole = draw.rc;
  const UINT state = draw.uItemState;
  const DarkPalette& colours = kDarkPalette;
  FillSolidRect(dc, whole, isDefault ? colours.defaultEdge : colours.edge);
  RECT face = whole;
  ::InflateRect(&face, -1, -1);
  COLORREF faceColour = colours.face;
  if (state & CDIS_SELECTED) {
    faceColour = colours.facePressed;
  } else if (state & CDIS_HOT) {
    faceColour = colours.faceHot;
  }
  FillSolidRect(dc, face, faceColour);

  const HWND button = draw.hdr.hwndFrom;
  const bool cues =
      (state & CDIS_SHOWKEYBOARDCUES) || !(::SendMessageA(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if (content) {
    content(dc, face);
  } else {
    const std::wstring text = ReadWindowTextW(button);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, colours.text);
    RECT textRect = face;
    ::DrawTextW(dc, text.c_str(), -1, &textRect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((state & CDIS_SHOWKEYBOARDCUES) ? 0 : DT_HIDEPREFIX));
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
  }
  const bool focused = (state & CDIS_FOCUS) || ::GetFocus() == button;
  if (focused && cues) {
    RECT mark = face;
    ::InflateRect(&mark, -2, -2);
    const HBRUSH brush = ::CreateSolidBrush(colours.text);
    ::FrameRect(dc, &mark, brush);
    ::DeleteObject(brush);
  }
  return CDRF_SKIPDEFAULT;
}

// A pixel belongs to the icon's shape unless the icon leaves it wholly to
// the ground: the same over black as over white, and that colour the ground.
void DrawIconOutlined(HDC dc, int x, int y, HICON icon, int size, COLORREF outline) {
  const std::vector<COLORREF> overBlack = IconOver(icon, size, RGB(0, 0, 0));
  const std::vector<COLORREF> overWhite = IconOver(icon, size, RGB(255, 255, 255));
  if (!overBlack.empty() && overBlack.size() == overWhite.size()) {
    const auto inShape = [&](int px, int py) {
      if (px < 0 || py < 0 || px >= size || py >= size) return false;
      const size_t at = static_cast<size_t>(py) * static_cast<size_t>(size) + static_cast<size_t>(px);
      return overBlack[at] != RGB(0, 0, 0) || overWhite[at] != RGB(255, 255, 255);
    };
    for (int py = -1; py <= size; ++py) {
      for (int px = -1; px <= size; ++px) {
        if (inShape(px, py)) continue;
        bool besideShape = false;
        for (int dy = -1; dy <= 1 && !besideShape; ++dy) {
          for (int dx = -1; dx <= 1 && !besideShape; ++dx)
            besideShape = inShape(px + dx, py + dy);
        }
        if (besideShape) ::SetPixelV(dc, x + px, y + py, outline);
      }
    }
  }
  ::DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}
