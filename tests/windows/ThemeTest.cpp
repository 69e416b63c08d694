// The main window in the colours the user chose for apps, read back as the
// pixels it painted: dark throughout in the dark mode, the system's light
// colours otherwise, the system's alone under high contrast, and a prompt in
// a colour of its own. The mode is the one Windows keeps in the registry, set
// before a start or changed while the window runs, with the broadcast that
// Windows sends then.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "MainDialogTest.h"
#include "AboutBoxIds.h"
#include "AppsMode.h"
#include "DarkLook.h"
#include "Theme.h"
#include "WindowToolkit.h"

namespace {

std::atomic<bool> g_highContrast{false};  // the stood-in scheme

int Brightness(COLORREF colour) { return (GetRValue(colour) * 3 + GetGValue(colour) * 6 + GetBValue(colour)) / 10; }

// Red well above blue, as neither black, grey nor white text has it: the
// prompt's dark orange or amber.
bool IsWarm(COLORREF colour) { return GetRValue(colour) >= 120 && GetRValue(colour) > GetBValue(colour) + 60; }

COLORREF PixelOf(HWND control, POINT at) {
  const HDC dc = ::GetDC(control);
  const COLORREF colour = ::GetPixel(dc, at.x, at.y);
  ::ReleaseDC(control, dc);
  return colour;
}

// Whether any pixel on the middle rows of a field is warm.
bool ShowsWarmText(HWND field) {
  RECT client;
  ::GetClientRect(field, &client);
  const HDC dc = ::GetDC(field);
  bool warm = false;
  for (int y = client.bottom / 2 - 3; y <= client.bottom / 2 + 3 && !warm; ++y) {
    for (int x = 0; x < client.right && !warm; ++x)
      warm = IsWarm(::GetPixel(dc, x, y));
  }
  ::ReleaseDC(field, dc);
  return warm;
}

class Theme : public MainDialogTest {
protected:
  void SetUp() override {}  // each test sets the mode first, then starts the window
  void Start() { MainDialogTest::SetUp(); }

  struct Sample {
    const char* what;
    HWND control;
    POINT at;
  };
  // A point of the ground and of each control's face, away from text, arrows,
  // the pin and the caret.
  std::vector<Sample> Samples() const {
    const auto client = [](HWND control) {
      RECT rect;
      ::GetClientRect(control, &rect);
      return rect;
    };
    const HWND window = m_dialog->Window();
    const HWND button = m_dialog->Item(IDC_RESULT_BUTTON);
    const HWND pin = m_dialog->Item(IDC_TOPMOST);
    const HWND spin = m_dialog->Item(IDC_PRECISION);
    return {{"ground", window, {2, 2}},
            {"expression field", Expression(), {client(Expression()).right - 4, client(Expression()).bottom / 2}},
            {"result field", Result(), {client(Result()).right - 4, client(Result()).bottom / 2}},
            {"Result button", button, {client(button).right / 2, 2}},
            {"pin", pin, {2, client(pin).bottom / 2}},
            {"decimals control", spin, {2, client(spin).bottom / 2}}};
  }

  // Waits for every sample to be painted dark, or light; false with the first
  // that is not, named.
  testing::AssertionResult Painted(bool dark) const {
    for (const Sample& sample : Samples()) {
      const auto matches = [&] {
        ::RedrawWindow(m_dialog->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        const int brightness = Brightness(PixelOf(sample.control, sample.at));
        return dark ? brightness < 90 : brightness > 150;
      };
      if (!WaitUntil(matches)) {
        return testing::AssertionFailure() << sample.what << " is not " << (dark ? "dark" : "light") << ": brightness "
                                           << Brightness(PixelOf(sample.control, sample.at));
      }
    }
    return testing::AssertionSuccess();
  }

  void Compute(const char* expression) const {
    ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(expression));
    ClickResult();
  }

  AppsMode m_mode;
};

TEST_F(Theme, WindowStartsInTheModeWindowsIsIn) {
  for (bool dark : {true, false}) {
    SCOPED_TRACE(dark ? "dark" : "light");
    AppsMode::Set(dark);
    Start();
    EXPECT_TRUE(Painted(dark));
    TearDown();
  }
}

TEST_F(Theme, ChangeOfModeWhileRunningShowsAtOnce) {
  AppsMode::Set(false);
  Start();
  ASSERT_TRUE(Painted(false));
  for (bool dark : {true, false, true}) {
    SCOPED_TRACE(dark ? "to dark" : "to light");
    AppsMode::Set(dark);
    AppsMode::Announce();
    EXPECT_TRUE(Painted(dark));
  }
}

// In both modes a prompt shows in its own colour and a result does not.
TEST_F(Theme, PromptIsWrittenInAColourApartFromAResult) {
  for (bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "dark" : "light");
    AppsMode::Set(dark);
    Start();
    Compute("2*");
    EXPECT_TRUE(WaitUntil([&] { return ShowsWarmText(Result()); })) << "the prompt looks like a result";
    Compute("2*3");
    EXPECT_TRUE(WaitUntil([&] { return !ShowsWarmText(Result()); })) << "the result looks like a prompt";
    TearDown();
  }
}

// Under high contrast the user's scheme is all there is: no dark ground, no
// prompt colour, even with the dark mode chosen; the dark mode comes back when
// it ends. Wine keeps high contrast off, so the scheme is stood in.
TEST_F(Theme, HighContrastShowsTheSystemsColoursOnly) {
  m_systemCalls.highContrastOn = [] { return g_highContrast.load(); };
  g_highContrast = true;
  AppsMode::Set(true);
  Start();
  const auto systemGround = [&] {
    ::RedrawWindow(m_dialog->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return PixelOf(m_dialog->Window(), {2, 2}) == ::GetSysColor(COLOR_3DFACE);
  };
  EXPECT_TRUE(WaitUntil(systemGround)) << "the ground is not the system's";
  Compute("2*");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(Result()).rfind("Paste", 0) == 0; }));
  ::RedrawWindow(Result(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ::SendMessageA(m_dialog->Window(), WM_NULL, 0, 0);
  EXPECT_FALSE(ShowsWarmText(Result())) << "a colour of the program's own";

  g_highContrast = false;
  ::SendMessageA(m_dialog->Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_TRUE(Painted(true)) << "the dark mode did not come back";
  g_highContrast = true;
  ::SendMessageA(m_dialog->Window(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_TRUE(WaitUntil(systemGround)) << "high contrast did not take over again";
}

// The pixels of a window's client area, top row first.
std::vector<COLORREF> PixelsOf(HWND control) {
  RECT client;
  ::GetClientRect(control, &client);
  std::vector<COLORREF> pixels;
  const HDC dc = ::GetDC(control);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x)
      pixels.push_back(::GetPixel(dc, x, y));
  }
  ::ReleaseDC(control, dc);
  return pixels;
}

// Tabbed to, each button shows a focus mark that stands out on its face; the
// Result button's edge stands out on the ground, and the pin, stuck in or
// not, has an outline that stands out on its face.
TEST_F(Theme, InTheDarkModeAFocusedButtonIsMarkedAndEveryOutlineStandsOut) {
  AppsMode::Set(true);
  Start();
  ASSERT_TRUE(Painted(true));
  MovePointerTo(POINT{0, 0});  // no button under the pointer
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_dialog->Window(); }));
  const auto repainted = [&](HWND control) {
    ::RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ::SendMessageA(control, WM_NULL, 0, 0);
    return PixelsOf(control);
  };
  for (int id : {IDC_RESULT_BUTTON, IDC_TOPMOST}) {
    SCOPED_TRACE(id);
    const HWND button = m_dialog->Item(id);
    ::SendMessageA(m_dialog->Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Expression()), TRUE);
    const std::vector<COLORREF> unfocused = repainted(button);
    for (int tabs = 0; tabs < 4 && m_dialog->Focus() != button; ++tabs) {
      SendKey(VK_TAB);
      WaitUntil([&, before = m_dialog->Focus()] { return m_dialog->Focus() != before; }, 5000);
    }
    ASSERT_EQ(m_dialog->Focus(), button);
    const std::vector<COLORREF> focused = repainted(button);
    ASSERT_EQ(focused.size(), unfocused.size());
    bool marked = false;
    for (size_t i = 0; i < focused.size() && !marked; ++i)
      marked = focused[i] != unfocused[i] && ContrastRatio(focused[i], kDarkPalette.face) >= 3;
    EXPECT_TRUE(marked) << "no focus mark that stands out on the face";
  }
  ::SendMessageA(m_dialog->Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Expression()), TRUE);

  const HWND result = m_dialog->Item(IDC_RESULT_BUTTON);
  RECT resultClient;
  ::GetClientRect(result, &resultClient);
  EXPECT_GE(ContrastRatio(PixelOf(result, {0, resultClient.bottom / 2}), PixelOf(m_dialog->Window(), {2, 2})), 3.0);

  const HWND pin = m_dialog->Item(IDC_TOPMOST);
  for (int click = 0; click < 2; ++click) {
    SCOPED_TRACE(click ? "stuck in" : "not stuck in");
    if (click) ::SendMessageA(pin, BM_CLICK, 0, 0);
    const std::vector<COLORREF> pixels = repainted(pin);
    RECT client;
    ::GetClientRect(pin, &client);
    const auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * client.right + x)]; };
    int edges = 0;
    double weakest = 21;
    for (int y = 2; y < client.bottom - 2; ++y) {
      for (int x = 2; x < client.right - 2; ++x) {
        if (at(x, y) == kDarkPalette.face) continue;
        if (at(x - 1, y) != kDarkPalette.face && at(x + 1, y) != kDarkPalette.face &&
            at(x, y - 1) != kDarkPalette.face && at(x, y + 1) != kDarkPalette.face) {
          continue;
        }
        ++edges;
        weakest = std::min(weakest, ContrastRatio(at(x, y), kDarkPalette.face));
      }
    }
    EXPECT_GT(edges, 20) << "no pin drawn";
    EXPECT_GE(weakest, 3.0) << "a pixel of the pin's outline hardly stands out on the face";
  }
}

// The About box, its links and the tooltips are dark with the window.
TEST_F(Theme, InTheDarkModeTheAboutBoxAndTheTooltipsAreDark) {
  AppsMode::Set(true);
  Start();
  ASSERT_TRUE(Painted(true));
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_dialog->Window(); }));
  const HWND tip = ToolTipFor(m_dialog->Item(IDC_RESULT_BUTTON));
  ASSERT_NE(tip, nullptr);
  bool shown = false;
  for (int attempt = 0; attempt < 5 && !shown; ++attempt) {
    MovePointerOnto(m_dialog->Item(IDC_RESULT_BUTTON));
    shown = WaitUntil([&] { return ::IsWindowVisible(tip) != FALSE; }, 5000);
  }
  ASSERT_TRUE(shown) << "no tooltip";
  // Painted: mostly dark ground, with light text on it.
  const auto shares = [&] {
    const std::vector<COLORREF> pixels = PixelsOf(tip);
    const auto dark = std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) { return Brightness(c) < 90; });
    const auto light = std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) { return Brightness(c) > 150; });
    const double all = pixels.empty() ? 1.0 : static_cast<double>(pixels.size());
    return std::make_pair(static_cast<double>(dark) / all, static_cast<double>(light) / all);
  };
  EXPECT_TRUE(WaitUntil([&] { return shares().first > 0.6 && shares().second > 0.01; }))
      << "tooltip dark in part " << shares().first << ", light in part " << shares().second;
  MovePointerTo(POINT{0, 0});

  ::PostMessageA(m_dialog->Window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  HWND about = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (about = FindDialogOfThread(m_dialog->ThreadId(), "About Tallywise")) != nullptr; }));
  ::SendMessageA(about, WM_NULL, 0, 0);
  const struct {
    const char* what;
    HWND window;
  } parts[] = {{"ground", about},
               {"OK button", ::GetDlgItem(about, IDOK)},
               {"mail link", ::GetDlgItem(about, IDC_LINK_MAIL)},
               {"home-page link", ::GetDlgItem(about, IDC_LINK_HOME)}};
  for (const auto& part : parts) {
    EXPECT_TRUE(WaitUntil([&] {
      ::RedrawWindow(part.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return Brightness(PixelOf(part.window, {2, 2})) < 90;
    })) << part.what
        << " brightness " << Brightness(PixelOf(part.window, {2, 2}));
  }
  ::PostMessageA(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
}

}  // namespace
