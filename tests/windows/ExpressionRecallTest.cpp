// Earlier expressions brought back into the expression field with Up and
// Down: the walk through the history and its draft, its ends and its limit,
// the whole road of real key presses, and a new start that still has them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "DisplayKeys.h"
#include "MainDialogTest.h"
#include "TallywiseDlgIds.h"

namespace {

enum class Act { Type, Edit, Enter, Up, Down };

const char* ActName(Act act) {
  switch (act) {
    case Act::Type: return "type";
    case Act::Edit: return "edit";
    case Act::Enter: return "Enter";
    case Act::Up: return "Up";
    case Act::Down: return "Down";
  }
  return "?";
}

struct Step {
  Act act;
  const char* text;  // the field's new text for Type, the text typed at the caret for Edit
  const char* shown;
};

class ExpressionRecall : public MainDialogTest {
protected:
  // Up and Down go to the field itself, past the dialog manager; the
  // keyboard test below takes the whole road.
  void Do(Act act, const char* text = "") const {
    switch (act) {
      case Act::Type: ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); break;
      case Act::Edit: ::SendMessageA(Expression(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); break;
      case Act::Enter: ClickResult(); break;
      case Act::Up:
      case Act::Down:
        const WPARAM key = act == Act::Up ? VK_UP : VK_DOWN;
        ::SendMessageA(Expression(), WM_KEYDOWN, key, 1);
        ::SendMessageA(Expression(), WM_KEYUP, key, 0xC0000001);
        break;
    }
  }

  std::pair<DWORD, DWORD> Selection() const {
    DWORD start = 0, end = 0;
    ::SendMessageA(Expression(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

TEST_F(ExpressionRecall, UpAndDownWalkTheHistoryAndComeBackToTheDraft) {
  // clang-format off
  const Step steps[] = {
      {Act::Up, "", ""},                          // nothing to recall yet
      {Act::Type, "1+2", "1+2"},   {Act::Enter, "", "1+2"},
      {Act::Type, "2*", "2*"},     {Act::Enter, "", "2*"},  // rejected, and kept all the same
      {Act::Enter, "", "2*"},                                // the same again: kept once
      {Act::Type, "3+4", "3+4"},   {Act::Enter, "", "3+4"},
      {Act::Type, "7-", "7-"},                               // typed, not given: the draft
      {Act::Up, "", "3+4"},        {Act::Up, "", "2*"},      {Act::Up, "", "1+2"},
      {Act::Up, "", "1+2"},                                  // the oldest: nothing happens
      {Act::Down, "", "2*"},       {Act::Down, "", "3+4"},
      {Act::Down, "", "7-"},                                 // past the newest: the draft as it was
      {Act::Down, "", "7-"},                                 // the draft: nothing happens
      {Act::Up, "", "3+4"},        {Act::Edit, "*2", "3+4*2"},
      {Act::Up, "", "2*"},         {Act::Edit, "1", "2*1"},
      {Act::Down, "", "3+4*2"},    {Act::Up, "", "2*1"},     // edits stay while walking, as in a shell
      {Act::Down, "", "3+4*2"},    {Act::Enter, "", "3+4*2"},  // a recalled and edited expression is kept
      {Act::Up, "", "3+4"},                                  // the field shows the newest: Up goes past it
      {Act::Up, "", "2*"},         {Act::Down, "", "3+4"},   // Enter gave the entries back as they were
      {Act::Down, "", "3+4*2"},    {Act::Down, "", "3+4*2"},  // the draft is the newest entry: the end
      {Act::Type, "9", "9"},       {Act::Up, "", "3+4*2"},   {Act::Up, "", "3+4"},
      {Act::Down, "", "3+4*2"},    {Act::Down, "", "9"},
      {Act::Type, "", ""},         {Act::Enter, "", ""},     // an empty field leaves nothing to recall
      {Act::Up, "", "3+4*2"},      {Act::Down, "", ""},
  };
  // clang-format on
  for (size_t i = 0; i < std::size(steps); ++i) {
    const Step& step = steps[i];
    const std::string result = WindowText(Result());
    Do(step.act, step.text);
    const std::string shown = WindowText(Expression());
    EXPECT_EQ(shown, step.shown) << "step " << i << ": " << ActName(step.act) << " " << step.text;
    if (step.act == Act::Up || step.act == Act::Down) {
      const auto end = static_cast<DWORD>(shown.size());
      EXPECT_EQ(Selection(), std::make_pair(end, end)) << "step " << i << ": the caret ends the text";
      EXPECT_EQ(WindowText(Result()), result) << "step " << i << ": recalling leaves the result alone";
    }
  }
  EXPECT_EQ(LOWORD(::SendMessageA(m_dialog->Item(IDC_PRECISION), UDM_GETPOS, 0, 0)), 3);
}

TEST_F(ExpressionRecall, KeepsTheNewestHundredExpressions) {
  for (int i = 1; i <= 101; ++i) {
    Do(Act::Type, std::to_string(i).c_str());
    Do(Act::Enter);
  }
  for (int i = 0; i < 100; ++i)
    Do(Act::Up);
  EXPECT_EQ(WindowText(Expression()), "2");
  Do(Act::Up);
  EXPECT_EQ(WindowText(Expression()), "2") << "the first expression is gone";
}

TEST_F(ExpressionRecall, UpAfterEnterBringsTheExpressionBackFromTheKeyboard) {
  ASSERT_NO_FATAL_FAILURE(PressOnDisplay("1 2 plus 3 Return asterisk 2 Up minus 1"));
  // Typed after Up, "-1" lands behind the recalled expression only: without
  // the recall the field would end in "*2-1".
  EXPECT_TRUE(WaitUntil([&] { return WindowText(Expression()) == "12+3-1"; })) << WindowText(Expression());
  EXPECT_EQ(WindowText(Result()), "15.000") << "Enter computed 12+3";
  EXPECT_TRUE(KeyReleased('1'));
}

// As another program leaves it: Unicode text, or nothing.
void SetClipboard(const std::u16string& text) {
  if (!::OpenClipboard(nullptr)) return;
  ::EmptyClipboard();
  if (!text.empty()) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
      ::GlobalUnlock(memory);
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
}

// A day's work survives Escape and a new start: Up brings back what was
// pasted in the run before (Shift+Insert makes the superscript a power, where
// the code page's best fit would make it a digit), and Ctrl+C copies the result of the field's
// expression, or what is selected in the field.
TEST(ExpressionHistoryAcrossRuns, UpBringsBackTheLastRunsExpressionAndCtrlCCopiesTheResult) {
  const FirstRun firstRun;
  {
    RunningDialog first;
    ASSERT_NE(first.Window(), nullptr);
    SetClipboard(u"2\u2074+3");
    ASSERT_NO_FATAL_FAILURE(PressOnDisplay("shift+Insert Return"));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(first.Item(IDC_RESULT)) == "19.000"; }));
    EXPECT_TRUE(KeyReleased(VK_RETURN));
    // Escape posted, not pressed: the window it ends would never see it rise.
    PostKey(first.Item(IDC_EXPRESSION), VK_ESCAPE);
    EXPECT_TRUE(first.WaitForEnd()) << "Escape did not end the first run";
  }
  SetClipboard(u"");
  RunningDialog second;
  ASSERT_NE(second.Window(), nullptr);
  ASSERT_NO_FATAL_FAILURE(PressOnDisplay("Up Return ctrl+c"));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "19.000"; })) << ClipboardText().value_or("(none)");
  EXPECT_EQ(WindowText(second.Item(IDC_EXPRESSION)), "2^4+3");

  ASSERT_NO_FATAL_FAILURE(PressOnDisplay("shift+Home ctrl+c"));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "2^4+3"; })) << ClipboardText().value_or("(none)");
  EXPECT_TRUE(KeyReleased(VK_CONTROL));
}

}  // namespace
