// Where the main window opens, the on-top toggle, the positions it remembers,
// the minimised window and F1.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SettingsText.h"
#include "StoredRun.h"

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

std::string FileWith(int x, int y, bool topMost = false) {
  return "%0.7f\r\n" + std::to_string(x) + "\r\n" + std::to_string(y) + "\r\n-15\r\n500\r\n0\r\nCourier New\r\n" +
         (topMost ? "1" : "0") + "\r\n";
}

// Messages one window of the dialog's thread received, with what its
// procedure answered.
class MessageWatch {
public:
  MessageWatch(DWORD threadId, HWND window, UINT message) {
    s_window = window;
    s_message = message;
    s_count = 0;
    s_result = 0;
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &Watch, nullptr, threadId);
  }
  ~MessageWatch() {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
  }
  MessageWatch(const MessageWatch&) = delete;
  MessageWatch& operator=(const MessageWatch&) = delete;

  bool Installed() const { return m_hook != nullptr; }
  int Count() const { return s_count; }
  LRESULT LastResult() const { return s_result; }

private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == s_window && call->message == s_message) {
      s_result = call->lResult;
      ++s_count;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::atomic<HWND> s_window{};
  static inline std::atomic<UINT> s_message{};
  static inline std::atomic<int> s_count{};
  static inline std::atomic<LRESULT> s_result{};
  HHOOK m_hook;
};

BOOL CALLBACK CollectVisible(HWND hWnd, LPARAM windows) {
  if (::IsWindowVisible(hWnd)) reinterpret_cast<std::set<HWND>*>(windows)->insert(hWnd);
  return TRUE;
}

// Top-level windows of every program on the test's desktop.
std::set<HWND> VisibleWindows() {
  std::set<HWND> windows;
  ::EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

class Placement : public StoredRun {
protected:
  void ClickToggleFromTheResultField() {
    ::SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_RESULT)), TRUE);
    ASSERT_EQ(Focus(), Item(IDC_RESULT));
    ::SendMessageA(Item(IDC_TOPMOST), BM_CLICK, 0, 0);
  }

  // The lines of the file written at close.
  static std::vector<std::string> LinesOf(const std::optional<std::string>& file) {
    return SplitSettingsText(file.value_or(""));
  }
};

TEST_F(Placement, StartMovesTheHiddenWindowThenShowsItWithTheStoredZOrder) {
  const struct {
    std::string file;
    int x, y;
    bool topMost;
  } cases[] = {{"", 300, 300, false}, {FileWith(120, 80, true), 120, 80, true}, {FileWith(640, 500), 640, 500, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_NO_FATAL_FAILURE(Start(c.file));
    const RECT rect = WindowRect(Window());
    EXPECT_EQ(rect.left, c.x);
    EXPECT_EQ(rect.top, c.y);
    const std::vector<WindowPosCall> expected = {
        {HWND_TOP, c.x, c.y, Width(rect), Height(rect), SWP_HIDEWINDOW},
        {c.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, c.x, c.y, Width(rect), Height(rect), SWP_SHOWWINDOW},
    };
    EXPECT_EQ(m_recorder.Calls(), expected);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    // The template asks for topmost; Wine carries out both starts faithfully.
    EXPECT_EQ(HasTopMostStyle(), c.topMost);
    EXPECT_TRUE(ShowsIconFrame(Pin(), c.topMost ? IDI_TOP : IDI_NOTOP));
  }
}

TEST_F(Placement, TwoTogglesBringBackTheFirstStateWithTheFocusInTheExpressionField) {
  for (bool startOnTop : {false, true}) {
    for (int clicks : {1, 2}) {
      SCOPED_TRACE(testing::Message() << (startOnTop ? "on top" : "not on top") << ", " << clicks << " clicks");
      ASSERT_NO_FATAL_FAILURE(Start(FileWith(200, 150, startOnTop)));
      const RECT before = WindowRect(Window());
      bool onTop = startOnTop;
      for (int i = 0; i < clicks; ++i) {
        m_recorder.Clear();
        ASSERT_NO_FATAL_FAILURE(ClickToggleFromTheResultField());
        onTop = !onTop;
        const std::vector<WindowPosCall> expected = {{onTop ? HWND_TOPMOST : HWND_NOTOPMOST, before.left, before.top,
                                                      Width(before), Height(before), SWP_SHOWWINDOW}};
        EXPECT_EQ(m_recorder.Calls(), expected) << "click " << i + 1;
        EXPECT_TRUE(ShowsIconFrame(Pin(), onTop ? IDI_TOP : IDI_NOTOP)) << "click " << i + 1;
        EXPECT_EQ(Focus(), Item(IDC_EXPRESSION)) << "click " << i + 1;
        const RECT after = WindowRect(Window());
        EXPECT_TRUE(::EqualRect(&before, &after)) << "the window neither moves nor changes size";
      }
      const auto lines = LinesOf(CloseAndRead());
      ASSERT_EQ(lines.size(), 8u);
      EXPECT_EQ(lines[7], onTop ? "1" : "0") << "the state the window closed with";
    }
  }
}

// Pinned while it runs, the window is topmost at once, and a window shown
// later over the same place stays below it; unpinned, that window covers it.
TEST_F(Placement, PinClickedWhileRunningKeepsTheWindowAboveAWindowShownLater) {
  ASSERT_NO_FATAL_FAILURE(Start(FileWith(200, 150)));
  const RECT place = WindowRect(Window());
  const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  for (bool onTop : {true, false}) {
    SCOPED_TRACE(onTop ? "pinned" : "unpinned");
    ::SendMessageA(Item(IDC_TOPMOST), BM_CLICK, 0, 0);
    EXPECT_EQ(HasTopMostStyle(), onTop);
    const HWND later = ::CreateWindowExA(0, "STATIC", "later", WS_POPUP | WS_VISIBLE | SS_NOTIFY, place.left, place.top,
                                         Width(place), Height(place), nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(later, nullptr);
    ::SetWindowPos(later, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_EQ(::GetAncestor(::WindowFromPoint(middle), GA_ROOT), onTop ? Window() : later);
    ::DestroyWindow(later);
  }
}

// Wherever the window was shown, on any monitor of any size, it reopens there
// (or, off today's screens, on the nearest one).
TEST_F(Placement, EveryPlaceTheWindowIsMovedToIsRemembered) {
  const struct {
    int x, y;
  } cases[] = {{1, 1},       {640, 480}, {0, 300},    {-20, 300},  {1280, 300},
               {1500, 1100}, {300, 0},   {-1900, -5}, {3000, 2000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "move to " << c.x << "," << c.y);
    ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
    ::SetWindowPos(Window(), nullptr, 200, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(Window(), nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(WindowRect(Window()).left, c.x) << "the move did not happen";
    const auto lines = LinesOf(CloseAndRead());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[1], std::to_string(c.x));
    EXPECT_EQ(lines[2], std::to_string(c.y));
  }
}

TEST_F(Placement, MinimisedWindowShowsTheProgramIconAndSavesItsFormerPlace) {
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  ::SetWindowPos(Window(), nullptr, 400, 350, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  {
    MessageWatch erase(m_dlg->ThreadId(), Window(), WM_ICONERASEBKGND);
    ASSERT_TRUE(erase.Installed());
    ::SendMessageA(Window(), WM_PAINT, 0, 0);
    EXPECT_EQ(erase.Count(), 0) << "a normal window paints as a dialog";

    ::SendMessageA(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(Window()) != FALSE; }));
    ::SendMessageA(Window(), WM_PAINT, 0, 0);
    EXPECT_EQ(erase.Count(), 1) << "the minimised window's background is erased as an icon's";
  }
  const auto dragIcon = reinterpret_cast<HICON>(::SendMessageA(Window(), WM_QUERYDRAGICON, 0, 0));
  EXPECT_EQ(dragIcon, reinterpret_cast<HICON>(::SendMessageA(Window(), WM_GETICON, ICON_BIG, 0)));
  EXPECT_TRUE(ShowsIconFrame(dragIcon, IDR_MAINFRAME));

  const auto lines = LinesOf(CloseAndRead());
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[1], "400");
  EXPECT_EQ(lines[2], "350");
}

// Xvfb's one monitor is 1280x1024 and the window about 435x100 at 100 %: any
// place that leaves a part of it off the work area brings it wholly back.
TEST_F(Placement, AWindowStoredPartlyOffTheScreenOpensWhollyInsideTheNearestWorkArea) {
  const struct {
    int x, y;
    bool moved;
    // clang-format off
  } cases[] = {
      {5000, 5000, true},    {-5000, 300, true},   {300, 3000, true},   {2147483647, 2147483647, true},
      {-2147483647 - 1, -2147483647 - 1, true},    {1250, 1000, true},  {1200, 300, true},
      {-100, -10, true},     {300, 1000, true},    {0, 0, false},       {600, 400, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "stored " << c.x << "," << c.y);
    ASSERT_NO_FATAL_FAILURE(Start(FileWith(c.x, c.y)));
    const RECT rect = WindowRect(Window());
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &monitor));
    RECT inside;
    ::IntersectRect(&inside, &rect, &monitor.rcWork);
    EXPECT_TRUE(::EqualRect(&inside, &rect)) << "at " << rect.left << "," << rect.top;
    if (!c.moved) {
      EXPECT_EQ(rect.left, c.x);
      EXPECT_EQ(rect.top, c.y);
    } else {
      // Moved no further than onto the screen: an edge that was inside stays.
      if (c.x >= 0 && 1LL * c.x + Width(rect) <= monitor.rcWork.right) {
        EXPECT_EQ(rect.left, c.x);
      }
      if (c.y >= 0 && 1LL * c.y + Height(rect) <= monitor.rcWork.bottom) {
        EXPECT_EQ(rect.top, c.y);
      }
    }
    EXPECT_EQ(Decimals(), 7) << "the other stored values apply as they stand";
  }
}

// Copies started one after another over the same file each open one caption
// lower and further right than the last, never on top of one another.
TEST_F(Placement, ASecondCopyOpensBesideTheFirstInsteadOfOnIt) {
  const struct { int x, y; } cases[] = {{300, 300}, {1280 - 435, 1024 - 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "stored " << c.x << "," << c.y);
    ASSERT_NO_FATAL_FAILURE(Start(FileWith(c.x, c.y)));
    const RECT first = WindowRect(Window());
    std::vector<std::unique_ptr<RunningDialog>> copies;
    std::vector<RECT> places{first};
    for (int i = 0; i < 3; ++i) {
      copies.push_back(std::make_unique<RunningDialog>(m_systemCalls));
      ASSERT_NE(copies.back()->Window(), nullptr);
      const RECT rect = WindowRect(copies.back()->Window());
      for (const RECT& other : places) {
        EXPECT_FALSE(rect.left == other.left && rect.top == other.top) << "copy " << i + 2 << " opened on another";
      }
      MONITORINFO monitor{};
      monitor.cbSize = sizeof monitor;
      ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromWindow(copies.back()->Window(), MONITOR_DEFAULTTONEAREST), &monitor));
      RECT inside;
      ::IntersectRect(&inside, &rect, &monitor.rcWork);
      EXPECT_TRUE(::EqualRect(&inside, &rect)) << "copy " << i + 2 << " at " << rect.left << "," << rect.top;
      places.push_back(rect);
    }
    const int step = ::GetSystemMetrics(SM_CYCAPTION);
    if (c.x == 300) {
      EXPECT_EQ(places[1].left, first.left + step);
      EXPECT_EQ(places[1].top, first.top + step);
      EXPECT_EQ(places[3].left, first.left + 3 * step);
    }
    for (auto& copy : copies) {
      ::PostMessageA(copy->Window(), WM_CLOSE, 0, 0);
      EXPECT_TRUE(copy->WaitForEnd());
    }
  }
}

TEST_F(Placement, F1IsAnsweredAndShowsNothing) {
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == Window(); })) << "the window is not in front";
  ASSERT_EQ(Focus(), Item(IDC_EXPRESSION));
  const std::set<HWND> before = VisibleWindows();
  MessageWatch help(m_dlg->ThreadId(), Window(), WM_HELP);
  ASSERT_TRUE(help.Installed());

  SendKey(VK_F1);
  ASSERT_TRUE(WaitUntil([&] { return help.Count() > 0; })) << "F1 did not reach the window";
  ::SendMessageA(Window(), WM_NULL, 0, 0);  // whatever F1 started on the window's thread is done
  EXPECT_EQ(VisibleWindows(), before);
  EXPECT_EQ(::GetForegroundWindow(), Window());
  EXPECT_EQ(Focus(), Item(IDC_EXPRESSION));

  // Wine's hook reports 0 for the WM_HELP that F1 sends on the window's own
  // thread, whatever the window answered; a request from outside shows the answer.
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.hItemHandle = Item(IDC_EXPRESSION);
  info.iCtrlId = IDC_EXPRESSION;
  EXPECT_EQ(::SendMessageA(Window(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
  EXPECT_EQ(help.LastResult(), TRUE);
  EXPECT_EQ(VisibleWindows(), before);
}

}  // namespace
