// The Result command and the precision control, driven the way a user drives
// them: text in the expression field, Enter or a click on Result, clicks on the
// arrows; what the result field shows and where the caret stands is read back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DisplayKeys.h"
#include "MainDialogTest.h"
#include "RunningDialog.h"
#include "TallywiseDlgIds.h"

namespace {

std::pair<int, int> Selection(HWND edit) {
  DWORD start = 0, end = 0;
  ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

BOOL CALLBACK CollectAttentionBox(HWND hWnd, LPARAM boxes) {
  char caption[32] = "";
  ::GetWindowTextA(hWnd, caption, sizeof caption);
  if (::IsWindowVisible(hWnd) && std::string(caption) == "Attention") {
    reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(hWnd);
  }
  return TRUE;
}

// The message boxes of computing failures open on the window's thread.
std::vector<HWND> MessageBoxes(DWORD threadId) {
  std::vector<HWND> boxes;
  ::EnumThreadWindows(threadId, CollectAttentionBox, reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

HWND FindMessageBox(DWORD threadId) {
  const std::vector<HWND> boxes = MessageBoxes(threadId);
  return boxes.empty() ? nullptr : boxes.front();
}

// The text of a message box: its static text item.
std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == "Static" && ::GetWindowTextLengthA(child) > 0) text = WindowText(child);
  }
  return text;
}

class ResultCommand : public MainDialogTest {
protected:
  HWND Spin() const { return m_dialog->Item(IDC_PRECISION); }

  void Type(const std::string& text) {
    ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  // The Result command as another program or an automation tool gives it: it
  // arrives even while the window is disabled under a message box.
  void PostResult() {
    ::PostMessageA(m_dialog->Window(), WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                   reinterpret_cast<LPARAM>(m_dialog->Item(IDC_RESULT_BUTTON)));
  }

  // A click on Result that may open message boxes: each is read and closed with
  // OK, as a user would, until the command has finished.
  std::vector<std::string> ClickResultClosingMessages() {
    ::SetWindowTextA(Result(), "(running)");
    PostResult();
    std::vector<std::string> messages;
    WaitUntil([&] {
      if (HWND box = FindMessageBox(m_dialog->ThreadId())) {
        messages.push_back(MessageBoxText(box));
        ::SendMessageA(box, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !::IsWindow(box); });
        return false;
      }
      return WindowText(Result()) != "(running)";
    });
    return messages;
  }

  // A click on one of the arrows: the right one raises the number of decimals.
  void ClickArrow(bool right) {
    RECT client;
    ::GetClientRect(Spin(), &client);
    const LPARAM at = MAKELPARAM(right ? client.right * 3 / 4 : client.right / 4, client.bottom / 2);
    ::SendMessageA(Spin(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(Spin(), WM_LBUTTONUP, 0, at);
  }
  int Decimals() const { return LOWORD(::SendMessageA(Spin(), UDM_GETPOS, 0, 0)); }

  // A key pressed in the expression field, through the window's message loop;
  // returns once the loop has handled it.
  void PressInExpression(WORD key) {
    ::SendMessageA(Expression(), EM_SETMODIFY, FALSE, 0);
    PostKey(Expression(), key);
    ::PostMessageA(Expression(), EM_SETMODIFY, TRUE, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(Expression(), EM_GETMODIFY, 0, 0) != 0; }));
  }
};

struct PromptCase {
  const char* text;
  const char* prompt;
  int start, end;
};

TEST_F(ResultCommand, RejectedExpressionsShowThePromptAndMarkTheSpot) {
  // clang-format off
  const PromptCase cases[] = {
      {"", "Enter expression   ", 0, 0},
      {"   +  ", "Enter expression   ", 0, 6},
      {"  *5", "Paste number here   ", 2, 2},
      {"5 +  ", "Paste number here   ", 3, 3},
      {"2 (3", "Paste operator here ", 2, 2},
      {"(2) 3", "Paste operator here ", 3, 3},
      {"(2)  (3)", "Paste operator here ", 5, 5},
      {"((2))3", "Paste operator here ", 5, 5},
      {"2 * - 3", " Together '*-'  ", 2, 5},
      {"2 + a", "Unknown symbol 'a'", 4, 5},
      {"2\t+3", "Unknown symbol '\t'", 1, 2},
      {"1,5 +\r\n* 2", " Together '+*'  ", 4, 8},
  };
  // clang-format on
  for (const auto& c : cases) {
    Type(c.text);
    ::SetFocus(nullptr);
    ClickResult();
    const std::string shown = testing::PrintToString(std::string(c.text));
    EXPECT_EQ(WindowText(Result()), c.prompt) << shown;
    EXPECT_EQ(Selection(Expression()), std::make_pair(c.start, c.end)) << shown;
    EXPECT_EQ(m_dialog->Focus(), Expression()) << shown;
    EXPECT_EQ(WindowText(Expression()), c.text) << "the expression field is never changed";
  }
}

TEST_F(ResultCommand, BalancePromptsLeaveSelectionAndFocusAlone) {
  const std::pair<const char*, const char*> cases[] = {
      {"(1+2))", "Missing '('"}, {"((1+2)", "Missing ')'"}, {")+(2", "Missing '(' and ')'"}};
  for (const auto& [text, prompt] : cases) {
    Type(text);
    ::SendMessageA(Expression(), EM_SETSEL, 1, 3);
    ::SendMessageA(m_dialog->Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Result()), TRUE);
    ClickResult();
    EXPECT_EQ(WindowText(Result()), prompt) << text;
    EXPECT_EQ(Selection(Expression()), std::make_pair(1, 3)) << text;
    EXPECT_EQ(m_dialog->Focus(), Result()) << text;
  }
}

TEST_F(ResultCommand, AcceptedExpressionsShowTheirValue) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"2*(3+4)-5", "9.000"}, {"2+3", "5.000"},       {"10-2+3", "11.000"}, {"2^3^2", "64.000"},
      {"200*10%50", "1000.000"}, {"-2^2", "-4.000"}, {"1/3*3", "1.000"},   {"3.14159", "3.142"},
      {"2 , 5 * 2", "5.000"},  {"27#3", "3.000"},    {"0-0.0001", "-0.000"}, {"2 5", "25.000"},
  };
  // clang-format on
  for (const auto& [text, value] : cases) {
    Type(text);
    ClickResult();
    EXPECT_EQ(WindowText(Result()), value) << text;
    EXPECT_EQ(WindowText(Expression()), text) << "blanks and commas stay as typed";
  }
  // The same expression again gives the same text again.
  Type("2+3");
  ClickResult();
  ASSERT_EQ(WindowText(Result()), "5.000");
  ClickResult();
  EXPECT_EQ(WindowText(Result()), "5.000");
}

TEST_F(ResultCommand, EnterInEitherFieldRunsTheCommandAndKeepsTheFocus) {
  for (HWND field : {Expression(), Result()}) {
    Type("2+3");
    ::SetWindowTextA(Result(), "");
    ::SendMessageA(m_dialog->Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return m_dialog->Focus() == field; }));
    ::SetForegroundWindow(m_dialog->Window());
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Result()) == "5.000"; })) << WindowText(Result());
    EXPECT_EQ(m_dialog->Focus(), field);
    EXPECT_TRUE(::IsWindow(m_dialog->Window())) << "Enter must not close the window";
  }
}

TEST_F(ResultCommand, EachComputingFailureShowsOneMessageAndTheEvaluationGoesOn) {
  Type("5+1/0");
  EXPECT_EQ(ClickResultClosingMessages(), std::vector<std::string>{"Division to the zero!"});
  EXPECT_EQ(WindowText(Result()), "5.000");

  Type("1/0+1/0");
  EXPECT_EQ(ClickResultClosingMessages(), (std::vector<std::string>{"Division to the zero!", "Division to the zero!"}));
  EXPECT_EQ(WindowText(Result()), "0.000");

  Type("10^400+1");
  const auto overflow = ClickResultClosingMessages();
  ASSERT_EQ(overflow.size(), 1u);
  EXPECT_NE(overflow[0], "Division to the zero!");
  EXPECT_EQ(WindowText(Result()), "1.000");

  Type("(-4)#2");
  EXPECT_EQ(ClickResultClosingMessages().size(), 1u);
  EXPECT_EQ(WindowText(Result()), "0.000");

  // In the order the passes reach them: deepest first, then the strongest.
  Type("(0-4)#2+(7/(3-3))-1/0+1");
  EXPECT_EQ(ClickResultClosingMessages(),
            (std::vector<std::string>{"Division to the zero!", "No even root of a negative number!",
                                      "Division to the zero!"}));
  EXPECT_EQ(WindowText(Result()), "1.000");
}

// While a box is open the window's thread runs the box's message loop, which
// hands on what is posted to the window: a second Result command must not start.
TEST_F(ResultCommand, AResultCommandArrivingWhileABoxIsOpenIsIgnored) {
  Type("2*(1/0)+3");
  ::SetWindowTextA(Result(), "(running)");
  PostResult();
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(m_dialog->ThreadId())) != nullptr; }));

  // Another expression, with a fault of its own, and its Result command. The
  // selection posted after it shows when the box's loop has handed both on.
  Type("1/0+7");
  PostResult();
  ::PostMessageA(Expression(), EM_SETSEL, 1, 2);
  ASSERT_TRUE(WaitUntil([&] { return Selection(Expression()) == std::make_pair(1, 2); }));
  EXPECT_EQ(MessageBoxes(m_dialog->ThreadId()), std::vector<HWND>{box}) << "no second box";
  EXPECT_EQ(WindowText(Result()), "(running)") << "nothing shown before the box is closed";

  ::SendMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(Result()) != "(running)"; }));
  EXPECT_EQ(WindowText(Result()), "3.000") << "the first expression's value";
  EXPECT_EQ(WindowText(Expression()), "1/0+7") << "the field keeps what it was given";
  ::PostMessageA(Expression(), EM_SETSEL, 0, 1);
  ASSERT_TRUE(WaitUntil([&] { return Selection(Expression()) == std::make_pair(0, 1); }));
  EXPECT_TRUE(MessageBoxes(m_dialog->ThreadId()).empty()) << "the second command never ran";
  EXPECT_EQ(WindowText(Result()), "3.000");

  // The window takes commands again once the first has finished.
  Type("2+2");
  ClickResult();
  EXPECT_EQ(WindowText(Result()), "4.000");
}

// Enter held down on a faulty expression, through the display: the press opens
// a box, a repeat closes it, and the window is left active with the focus in
// the expression field, where the next keys typed arrive.
TEST_F(ResultCommand, EnterHeldOnAFaultLeavesTheWindowReadyForTyping) {
  Type("1/0");
  ::SendMessageA(Expression(), EM_SETSEL, 3, 3);
  ::SetWindowTextA(Result(), "(running)");
  ASSERT_NO_FATAL_FAILURE(HoldOnDisplay("Return", 2));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(Result()) != "(running)"; })) << "Enter computed nothing";
  EXPECT_TRUE(KeyReleased(VK_RETURN));

  const HWND window = m_dialog->Window();
  EXPECT_TRUE(WaitUntil([&] {
    return MessageBoxes(m_dialog->ThreadId()).empty() && ::GetForegroundWindow() == window &&
           m_dialog->Focus() == Expression();
  })) << "boxes open: "
      << MessageBoxes(m_dialog->ThreadId()).size() << ", foreground " << ::GetForegroundWindow() << " (the window is "
      << window << "), focus " << m_dialog->Focus() << " (the field is " << Expression() << ")";
  ASSERT_NO_FATAL_FAILURE(PressOnDisplay("plus 1"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(Expression()) == "1/0+1"; })) << WindowText(Expression());
  EXPECT_TRUE(KeyReleased('1'));
}

// The value the last Result computed is written again, not the rounded text,
// and nothing is evaluated again: decimals dropped come back.
TEST_F(ResultCommand, PrecisionArrowsRewriteTheValueTheLastResultComputed) {
  EXPECT_EQ(Decimals(), 3);
  const struct {
    const char* expression;  // given to Result first, when there is one
    int clicks;              // to the right, or to the left when negative
    const char* shown;
    // clang-format off
  } steps[] = {
      {"1/3", 0, "0.333"},     {nullptr, 1, "0.3333"},  {nullptr, -1, "0.333"},
      {"2.5", -3, "3"},        {nullptr, 1, "2.5"},
      {"2/3", -3, "1"},        {nullptr, 9, "0.666667000"},  // the six decimals every value is rounded to
      {"0-0.0004", -8, "-0.0"}, {nullptr, 1, "-0.00"},       {nullptr, 2, "-0.0004"},
  };
  // clang-format on
  for (const auto& step : steps) {
    if (step.expression) {
      Type(step.expression);
      ClickResult();
    }
    for (int i = 0; i < std::abs(step.clicks); ++i)
      ClickArrow(step.clicks > 0);
    EXPECT_EQ(WindowText(Result()), step.shown) << (step.expression ? step.expression : "") << " " << step.clicks;
  }
}

TEST_F(ResultCommand, PrecisionStaysWithinZeroAndNine) {
  for (int i = 0; i < 5; ++i)
    ClickArrow(false);
  EXPECT_EQ(Decimals(), 0);
  Type("2.5");
  ClickResult();
  EXPECT_EQ(WindowText(Result()), "3");
  for (int i = 0; i < 12; ++i)
    ClickArrow(true);
  EXPECT_EQ(Decimals(), 9);
  ClickResult();
  EXPECT_EQ(WindowText(Result()), "2.500000000");
}

TEST_F(ResultCommand, ArrowsWithoutAResultChangeOnlyTheFormat) {
  ClickArrow(true);
  EXPECT_EQ(WindowText(Result()), "");
  Type("1/3");
  ClickResult();
  EXPECT_EQ(WindowText(Result()), "0.3333");
}

TEST_F(ResultCommand, ArrowsNeverTouchAnExpressionTypedSinceTheLastResult) {
  Type("1+1");
  ClickResult();
  Type("7*(8");
  ::SendMessageA(Expression(), EM_SETSEL, 2, 2);
  ClickArrow(true);
  EXPECT_EQ(WindowText(Expression()), "7*(8");
  EXPECT_EQ(Selection(Expression()), std::make_pair(2, 2));
  EXPECT_EQ(WindowText(Result()), "2.0000");
}

// Page Up and Page Down in the expression field are the right and the left
// arrow: the same rewriting, the same bounds, and the field left as it was.
TEST_F(ResultCommand, PageUpAndPageDownInTheExpressionFieldStepLikeTheArrows) {
  Type("1/3");
  ClickResult();
  Type("7*(8");
  ::SendMessageA(Expression(), EM_SETSEL, 2, 2);
  const struct {
    WORD key;
    int presses;
    int decimals;
    const char* shown;
  } steps[] = {
      {VK_PRIOR, 1, 4, "0.3333"},
      {VK_NEXT, 2, 2, "0.33"},
      {VK_NEXT, 3, 0, "0"},
      {VK_PRIOR, 11, 9, "0.333333000"},
  };
  for (const auto& step : steps) {
    for (int i = 0; i < step.presses; ++i)
      PressInExpression(step.key);
    EXPECT_EQ(Decimals(), step.decimals) << step.presses << " x " << step.key;
    EXPECT_EQ(WindowText(Result()), step.shown) << step.presses << " x " << step.key;
  }
  EXPECT_EQ(WindowText(Expression()), "7*(8");
  EXPECT_EQ(Selection(Expression()), std::make_pair(2, 2));

  Type("2*");
  ClickResult();
  PressInExpression(VK_NEXT);
  EXPECT_EQ(WindowText(Result()), "Paste number here   ");
  EXPECT_EQ(Decimals(), 8);
}

TEST_F(ResultCommand, ArrowsLeaveAPromptAsItIs) {
  Type("2*");
  ClickResult();
  ASSERT_EQ(WindowText(Result()), "Paste number here   ");
  ClickArrow(true);
  EXPECT_EQ(WindowText(Result()), "Paste number here   ");
  EXPECT_EQ(Decimals(), 4);
}

}  // namespace
