// A large display font widens the window until the result field holds 20
// digits, never past the monitor's work area, and a small one takes it back.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "StoredRun.h"

namespace {

std::string FileWithFontHeight(int height) {
  return "%0.3f\r\n300\r\n300\r\n" + std::to_string(height) + "\r\n400\r\n0\r\nCourier New\r\n0\r\n";
}

int WidthOf(const RECT& rect) { return rect.right - rect.left; }

// The width 20 digits take in the field's font, and the room the field has for them.
struct DigitRoom {
  int digits;
  int room;
};

DigitRoom RoomOf(HWND field) {
  const HDC dc = ::GetDC(field);
  const HGDIOBJ old = ::SelectObject(dc, ShownFont(field));
  SIZE size{};
  ::GetTextExtentPoint32A(dc, "00000000000000000000", 20, &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(field, dc);
  RECT inner{};
  ::GetClientRect(field, &inner);
  const auto margins = static_cast<DWORD>(::SendMessageA(field, EM_GETMARGINS, 0, 0));
  return {size.cx, inner.right - LOWORD(margins) - HIWORD(margins)};
}

RECT WorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

class FitWide : public StoredRun {
protected:
  // Picks a point size in the running window's font chooser.
  void ChooseSize(int points) {
    ::PostMessageA(Window(), WM_SYSCOMMAND, IDM_FONT, 0);
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (chooser = FindDialogOfThread(m_dlg->ThreadId(), "Font")) != nullptr; }));
    const HWND sizes = ::GetDlgItem(chooser, cmb3);
    int index = -1;
    for (LRESULT i = 0; i < ::SendMessageA(sizes, CB_GETCOUNT, 0, 0); ++i) {
      if (::SendMessageA(sizes, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == points) index = static_cast<int>(i);
    }
    ASSERT_GE(index, 0) << "no size of " << points << " points";
    ::SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
    ::PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));
  }
};

TEST_F(FitWide, ResultFieldHolds20DigitsWithinTheWorkArea) {
  ASSERT_NO_FATAL_FAILURE(Start(kDefaultFile));
  const int usualWidth = WidthOf(WindowRect(Window()));
  const struct {
    int height;  // of the stored font, in pixels at 100 %
    bool wider;
    bool fits;  // 20 digits in the field; otherwise the window is as wide as the work area
    // clang-format off
  } rows[] = {
      {-15,   false, true},
      {-40,   true,  true},   // 30 points
      {-96,   true,  false},  // 72 points: wider than the screen, the field scrolls
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.height);
    ASSERT_NO_FATAL_FAILURE(Start(FileWithFontHeight(row.height)));
    const RECT window = WindowRect(Window());
    const RECT work = WorkArea(Window());
    const DigitRoom room = RoomOf(Item(IDC_RESULT));
    EXPECT_EQ(WidthOf(window) > usualWidth, row.wider) << WidthOf(window);
    EXPECT_EQ(room.room >= room.digits, row.fits) << room.room << " for " << room.digits << " at " << row.height;
    EXPECT_LE(WidthOf(window), WidthOf(work));
    if (!row.fits) {
      EXPECT_EQ(WidthOf(window), WidthOf(work));
      EXPECT_TRUE(::GetWindowLongA(Item(IDC_RESULT), GWL_STYLE) & ES_AUTOHSCROLL) << "the field scrolls";
    }
    EXPECT_GE(window.left, work.left);
    EXPECT_LE(window.right, work.right);
    const RECT pin = PlaceInDialog(Item(IDC_TOPMOST), Window());
    const RECT expression = PlaceInDialog(Item(IDC_EXPRESSION), Window());
    EXPECT_GT(pin.left, expression.right) << "the pin moves aside with the field";
  }

  // Back to a small font while the window runs: back to the usual width.
  ASSERT_NO_FATAL_FAILURE(Start(FileWithFontHeight(-96)));
  ASSERT_NO_FATAL_FAILURE(ChooseSize(10));
  // The chooser is gone before the window has taken the new font.
  EXPECT_TRUE(WaitUntil([&] { return WidthOf(WindowRect(Window())) == usualWidth; }))
      << WidthOf(WindowRect(Window())) << " for " << usualWidth;
}

}  // namespace
