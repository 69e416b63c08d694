// The main window as the user meets it: its look, the state it starts in,
// the keyboard, the tooltips and the ways it ends.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DataFile.h"
#include "RunningDialog.h"
#include "WindowToolkit.h"
#include "TallywiseDlgIds.h"

namespace {

HWND ToolTipOf(const RunningDialog& dlg) { return ToolTipFor(dlg.Item(IDC_TOPMOST)); }

TTTOOLINFOA ToolRecord(char* text) {
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.lpszText = text;
  return tool;
}

class MainWindow : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(dlg.Window(), nullptr) << "the main window did not appear"; }

  FirstRun firstRun;
  RunningDialog dlg;
};

TEST_F(MainWindow, HasItsCaptionSizeAndFixedFrame) {
  EXPECT_EQ(WindowText(dlg.Window()), "Tallywise");

  const DWORD style = static_cast<DWORD>(::GetWindowLongA(dlg.Window(), GWL_STYLE));
  for (DWORD wanted :
       {DWORD{WS_POPUP}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_MINIMIZEBOX}, DWORD{DS_MODALFRAME}}) {
    EXPECT_EQ(style & wanted, wanted) << std::hex << "style " << wanted;
  }
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0u) << "the window must not be resizable";
  EXPECT_TRUE(::GetWindowLongA(dlg.Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

  RECT client;
  ::GetClientRect(dlg.Window(), &client);
  const RECT designed = DialogUnits(dlg.Window(), {0, 0, 286, 50});
  EXPECT_EQ(client.right, designed.right);
  EXPECT_EQ(client.bottom, designed.bottom);
}

TEST_F(MainWindow, ShowsItsFiveControlsAsDesigned) {
  struct Control {
    int id;
    const char* className;
    const char* text;
    RECT units;  // left, top, width, height
    LONG styles;
    LONG absentStyles;
    LONG exStyles;
  };
  // clang-format off
  const Control controls[] = {
      // The dialog manager draws the fields' border as a sunken edge.
      {IDC_EXPRESSION, "Edit", "", {7, 7, 247, 18}, WS_TABSTOP | ES_AUTOHSCROLL | ES_LOWERCASE, 0, WS_EX_CLIENTEDGE},
      {IDC_RESULT, "Edit", "", {57, 27, 197, 18}, WS_TABSTOP | ES_AUTOHSCROLL, ES_LOWERCASE | ES_READONLY, WS_EX_CLIENTEDGE},
      {IDC_RESULT_BUTTON, "Button", "&Result", {7, 28, 42, 17}, BS_DEFPUSHBUTTON | BS_CENTER | BS_NOTIFY | WS_TABSTOP, 0, 0},
      {IDC_TOPMOST, "Button", "<", {259, 7, 20, 17}, BS_ICON | WS_TABSTOP, 0, WS_EX_STATICEDGE},
      {IDC_PRECISION, UPDOWN_CLASSA, "", {259, 27, 20, 17}, UDS_HORZ | UDS_ARROWKEYS, WS_TABSTOP | UDS_AUTOBUDDY, 0},
  };
  // clang-format on
  for (const Control& c : controls) {
    SCOPED_TRACE(c.id);
    const HWND item = dlg.Item(c.id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ClassName(item), c.className);
    EXPECT_EQ(WindowText(item), c.text);
    const RECT at = PlaceInDialog(item, dlg.Window());
    const RECT designed = DialogUnits(dlg.Window(), c.units);
    EXPECT_EQ(at.left, designed.left);
    EXPECT_EQ(at.top, designed.top);
    EXPECT_EQ(at.right, designed.right);
    EXPECT_EQ(at.bottom, designed.bottom);
    const LONG style = ::GetWindowLongA(item, GWL_STYLE);
    EXPECT_EQ(style & c.styles, c.styles) << std::hex << style;
    EXPECT_EQ(style & c.absentStyles, 0) << std::hex << style;
    EXPECT_EQ(::GetWindowLongA(item, GWL_EXSTYLE) & c.exStyles, c.exStyles);
  }
  EXPECT_EQ(::SendMessageA(dlg.Item(IDC_PRECISION), UDM_GETBUDDY, 0, 0), 0) << "the up-down control has no buddy";
}

TEST_F(MainWindow, TabGoesThroughFieldsAndButtonsButNotThePrecisionControl) {
  const int order[] = {IDC_EXPRESSION, IDC_RESULT, IDC_RESULT_BUTTON, IDC_TOPMOST, IDC_EXPRESSION};
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(::GetNextDlgTabItem(dlg.Window(), dlg.Item(order[i]), FALSE), dlg.Item(order[i + 1]))
        << "after " << order[i];
  }
}

TEST_F(MainWindow, StartsWithTheFocusInTheExpressionField) { EXPECT_EQ(dlg.Focus(), dlg.Item(IDC_EXPRESSION)); }

TEST_F(MainWindow, StartsAtTheDefaultPlaceNotOnTopWithTheGreyPin) {
  RECT rect;
  ::GetWindowRect(dlg.Window(), &rect);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 300);
  EXPECT_TRUE(::IsWindowVisible(dlg.Window()));
  EXPECT_FALSE(::GetWindowLongA(dlg.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST)
      << "the template asks for topmost; the start takes it away";
  EXPECT_TRUE(ShowsIconFrame(reinterpret_cast<HICON>(::SendMessageA(dlg.Item(IDC_TOPMOST), BM_GETIMAGE, IMAGE_ICON, 0)),
                             IDI_NOTOP));
}

TEST_F(MainWindow, ShowsTheProgramIconInItsCaption) {
  const struct {
    WPARAM which;
    int metric;
  } icons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
  for (const auto& icon : icons) {
    const auto shown = reinterpret_cast<HICON>(::SendMessageA(dlg.Window(), WM_GETICON, icon.which, 0));
    EXPECT_EQ(IconSize(shown), ::GetSystemMetrics(icon.metric)) << "icon " << icon.which;
    EXPECT_TRUE(ShowsIconFrame(shown, IDR_MAINFRAME)) << "icon " << icon.which;
  }
}

TEST_F(MainWindow, FieldsShowCourierNewOfHeight15AndButtonsTheDialogFont) {
  for (int id : {IDC_EXPRESSION, IDC_RESULT}) {
    SCOPED_TRACE(id);
    const LOGFONTA font = ShownFontDescription(dlg.Item(id));
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    EXPECT_EQ(font.lfHeight, -15);
    EXPECT_EQ(font.lfWeight, 500);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfCharSet, 0);
  }
  EXPECT_EQ(::SendMessageA(dlg.Item(IDC_EXPRESSION), WM_GETFONT, 0, 0),
            ::SendMessageA(dlg.Item(IDC_RESULT), WM_GETFONT, 0, 0))
      << "both fields share one font";
  for (int id : {IDC_RESULT_BUTTON, IDC_TOPMOST}) {
    EXPECT_EQ(::SendMessageA(dlg.Item(id), WM_GETFONT, 0, 0), ::SendMessageA(dlg.Window(), WM_GETFONT, 0, 0))
        << "button " << id << " keeps the dialog font";
  }
}

TEST_F(MainWindow, PrecisionControlStartsAtThreeWithinZeroToNine) {
  const LRESULT pos = ::SendMessageA(dlg.Item(IDC_PRECISION), UDM_GETPOS, 0, 0);
  EXPECT_EQ(LOWORD(pos), 3);  // the high word flags an error for a control without a buddy
  const LRESULT range = ::SendMessageA(dlg.Item(IDC_PRECISION), UDM_GETRANGE, 0, 0);
  EXPECT_EQ(LOWORD(range), 9) << "upper limit";
  EXPECT_EQ(HIWORD(range), 0) << "lower limit";
}

TEST_F(MainWindow, TypedCapitalsBecomeSmallLetters) {
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dlg.Window(); })) << "the window is not in front";
  SendKey('T', true);
  SendKey('W', true);
  SendKey('O');
  EXPECT_TRUE(WaitUntil([&] { return WindowText(dlg.Item(IDC_EXPRESSION)) == "two"; }))
      << "shows \"" << WindowText(dlg.Item(IDC_EXPRESSION)) << "\"";
}

TEST_F(MainWindow, EnterInEitherFieldKeepsTheWindowOpen) {
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dlg.Window(); }));
  const HWND expression = dlg.Item(IDC_EXPRESSION);
  const HWND result = dlg.Item(IDC_RESULT);
  // A key goes through the window's queue: each Enter is seen to have run the
  // Result command (the empty expression's prompt, the focus back in the
  // expression field) before the next step, which would otherwise race it.
  const auto enterRunsTheResultCommand = [&] {
    ::SendMessageA(result, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendKey(VK_RETURN);
    return WaitUntil([&] { return WindowText(result) == "Enter expression   " && dlg.Focus() == expression; });
  };
  ASSERT_TRUE(enterRunsTheResultCommand()) << "Enter in the expression field";
  ::SendMessageA(dlg.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(result), TRUE);
  ASSERT_EQ(dlg.Focus(), result);
  ASSERT_TRUE(enterRunsTheResultCommand()) << "Enter in the result field";
  // The window is still there to take a key.
  SendKey('X');
  EXPECT_TRUE(WaitUntil([&] { return WindowText(expression) == "x"; }));
  EXPECT_TRUE(::IsWindow(dlg.Window()));
}

TEST_F(MainWindow, OnTopToggleSwapsThePinAndGivesTheFocusBack) {
  const HWND toggle = dlg.Item(IDC_TOPMOST);
  for (int icon : {IDI_TOP, IDI_NOTOP}) {
    ::SendMessageA(dlg.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dlg.Item(IDC_RESULT)), TRUE);
    ::SendMessageA(toggle, BM_CLICK, 0, 0);
    EXPECT_TRUE(ShowsIconFrame(reinterpret_cast<HICON>(::SendMessageA(toggle, BM_GETIMAGE, IMAGE_ICON, 0)), icon));
    EXPECT_EQ(dlg.Focus(), dlg.Item(IDC_EXPRESSION));
  }
}

// The Result button clicked, or reached by its underlined letter: the value
// shows, and the expression field has the focus back with its selection, so
// the next key typed goes on with the expression.
TEST_F(MainWindow, ResultClickedOrAltRComputesAndTypingGoesOnInTheExpression) {
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dlg.Window(); })) << "the window is not in front";
  const HWND expression = dlg.Item(IDC_EXPRESSION);
  for (bool click : {true, false}) {
    SCOPED_TRACE(click ? "click" : "Alt+R");
    ::SendMessageA(expression, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2+3*4"));
    ::SendMessageA(dlg.Item(IDC_RESULT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ::SendMessageA(dlg.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(expression), TRUE);
    ::SendMessageA(expression, EM_SETSEL, 2, 5);
    if (click) {
      ClickOn(dlg.Item(IDC_RESULT_BUTTON));
    } else {
      std::vector<INPUT> keys;
      for (const auto& [key, flags] :
           {std::pair<WORD, DWORD>{VK_MENU, 0}, {'R', 0}, {'R', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        keys.push_back(input);
      }
      ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    }
    EXPECT_TRUE(WaitUntil([&] { return WindowText(dlg.Item(IDC_RESULT)) == "14.000"; }))
        << "shows \"" << WindowText(dlg.Item(IDC_RESULT)) << "\"";
    EXPECT_EQ(dlg.Focus(), expression);
    DWORD start = 0, end = 0;
    ::SendMessageA(expression, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{2}, DWORD{5}));
    SendKey('5');
    EXPECT_TRUE(WaitUntil([&] { return WindowText(expression) == "2+5"; })) << WindowText(expression);
  }
}

TEST_F(MainWindow, EscapeEndsTheRunThroughCancel) {
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dlg.Window(); }));
  SendKey(VK_ESCAPE);
  ASSERT_TRUE(dlg.WaitForEnd());
  EXPECT_EQ(dlg.Result(), IDCANCEL);
  EXPECT_FALSE(::IsWindow(dlg.Window()));
}

TEST_F(MainWindow, CloseRequestEndsTheRun) {
  ::PostMessageA(dlg.Window(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(dlg.WaitForEnd());
  EXPECT_EQ(dlg.Result(), IDCANCEL);
  EXPECT_FALSE(::IsWindow(dlg.Window()));
}

class ToolTips : public MainWindow {};

TEST_F(ToolTips, NameTheToggleThePrecisionControlAndTheResultButton) {
  const HWND tip = ToolTipOf(dlg);
  ASSERT_NE(tip, nullptr);
  ASSERT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 4);
  // The exact value's mark says nothing until a result differs from it.
  const struct {
    int id;
    const char* text;
  } tools[] = {{IDC_TOPMOST, "Top / No-top toggle"},
               {IDC_PRECISION, "Round-up: 3 decimals (Page Up / Page Down)"},
               {IDC_RESULT_BUTTON, "Result (Enter)"},
               {IDC_EXACT_MARK, ""}};
  for (UINT i = 0; i < 4; ++i) {
    char text[80] = "";
    TTTOOLINFOA tool = ToolRecord(text);
    ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), dlg.Item(tools[i].id)) << "tool " << i;
    EXPECT_TRUE(tool.uFlags & TTF_IDISHWND);
    EXPECT_STREQ(text, tools[i].text);
  }
  for (int id : {IDC_EXPRESSION, IDC_RESULT}) {
    TTTOOLINFOA tool = ToolRecord(nullptr);
    tool.hwnd = dlg.Window();
    tool.uId = reinterpret_cast<UINT_PTR>(dlg.Item(id));
    EXPECT_FALSE(::SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) << "field " << id;
  }
}

TEST_F(ToolTips, AppearWhenThePointerRestsOnAControl) {
  const HWND tip = ToolTipOf(dlg);
  ASSERT_NE(tip, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dlg.Window(); }));
  const struct {
    int id;
    const char* text;
  } tools[] = {{IDC_RESULT_BUTTON, "Result (Enter)"},
               {IDC_TOPMOST, "Top / No-top toggle"},
               {IDC_PRECISION, "Round-up: 3 decimals (Page Up / Page Down)"}};
  for (const auto& t : tools) {
    char text[80] = "";
    TTTOOLINFOA tool = ToolRecord(text);
    auto showing = [&] {
      return ::IsWindowVisible(tip) && ::SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) &&
             reinterpret_cast<HWND>(tool.uId) == dlg.Item(t.id);
    };
    // The tip waits for the pointer to rest; a move that got lost is made again.
    bool shown = false;
    for (int attempt = 0; attempt < 5 && !shown; ++attempt) {
      MovePointerOnto(dlg.Item(t.id));
      shown = WaitUntil(showing, 5000);
    }
    EXPECT_TRUE(shown) << "no tooltip over control " << t.id;
    EXPECT_STREQ(text, t.text);
  }
}

}  // namespace
