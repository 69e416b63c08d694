// Exact arithmetic switched in the system menu and kept in the choices file
// across runs, the exact result in the window, and the classic result's mark
// when the exact value would show other digits.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "ChoicesFile.h"
#include "StoredRun.h"

namespace {

class ExactArithmetic : public StoredRun {
protected:
  bool SwitchChecked() const {
    const HMENU menu = ::GetSystemMenu(Window(), FALSE);
    return menu && (::GetMenuState(menu, IDM_EXACT_ARITHMETIC, MF_BYCOMMAND) & MF_CHECKED);
  }
  // What a click on the menu item sends; returns once its check has turned.
  void Toggle() const {
    const bool was = SwitchChecked();
    ::PostMessageA(Window(), WM_SYSCOMMAND, IDM_EXACT_ARITHMETIC, 0);
    ASSERT_TRUE(WaitUntil([&] { return SwitchChecked() != was; })) << "the switch did not turn";
  }
  bool ChoiceInFile() const { return ReadChoicesFile(GetChoicesPath()).exactArithmetic; }
  // A new run over the files the last one left.
  void Restart() {
    ::PostMessageA(Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_dlg->WaitForEnd());
    m_dlg.emplace();
    ASSERT_NE(Window(), nullptr);
  }

  // Enter in the expression field; returns once the command has ended.
  std::string Compute(const char* expression) const {
    ::SendMessageA(Item(IDC_EXPRESSION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(expression));
    ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(IDC_RESULT_BUTTON)));
    return Shown();
  }
  // Page Up or Page Down in the expression field, once per step; returns once
  // the decimals control has taken them all.
  void StepDecimals(int steps) const {
    const int wanted = Decimals() + steps;
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
      PostKey(Item(IDC_EXPRESSION), steps > 0 ? VK_PRIOR : VK_NEXT);
    EXPECT_TRUE(WaitUntil([&] { return Decimals() == wanted; }));
  }
  std::string Shown() const { return WindowText(Item(IDC_RESULT)); }
  // The mark's tooltip while it shows, "(none)" while it does not.
  std::string Mark() const {
    const HWND mark = Item(IDC_EXACT_MARK);
    return ::IsWindowVisible(mark) ? ToolTipTextFor(mark) : "(none)";
  }
};

// Off on a first run; every turn is in the file at once and outlives the run,
// and the settings file keeps its eight lines.
TEST_F(ExactArithmetic, SwitchIsOffAtFirstAndEachTurnIsKeptAcrossRuns) {
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  EXPECT_FALSE(SwitchChecked());
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on ? "turned on" : "turned off");
    ASSERT_NO_FATAL_FAILURE(Toggle());
    EXPECT_EQ(SwitchChecked(), on);
    EXPECT_EQ(ChoiceInFile(), on) << "written as soon as it turned";
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(SwitchChecked(), on) << "after a new start";
    const std::optional<std::string> settings = ReadDataFile();
    ASSERT_TRUE(settings);
    EXPECT_EQ(std::count(settings->begin(), settings->end(), '\n'), 8) << *settings;
  }
}

// With the switch on, Enter shows the exact value at the chosen decimals, and
// other decimals write that value again.
TEST_F(ExactArithmetic, ResultIsTheExactValueAtTheChosenDecimals) {
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  ASSERT_NO_FATAL_FAILURE(Toggle());
  const struct {
    const char* expression;
    const char* shown;
    const char* oneDecimalMore;
  } cases[] = {
      {"3000000*1/3000000", "1.000", "1.0000"},
      {"2844151.43*1/935", "3041.873", "3041.8732"},
      {"2^63", "9223372036854775808.000", "9223372036854775808.0000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    EXPECT_EQ(Compute(c.expression), c.shown);
    StepDecimals(1);
    EXPECT_EQ(Shown(), c.oneDecimalMore);
    EXPECT_EQ(Mark(), "(none)") << "exact arithmetic has nothing to mark";
    StepDecimals(-1);
  }
}

// The shown result follows the switch at once, computed again from the
// expression it came from, not from what has been typed since.
TEST_F(ExactArithmetic, ShownResultIsComputedAgainWhenTheSwitchTurns) {
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  ASSERT_EQ(Compute("3000000*1/3000000"), "0.000");
  ::SendMessageA(Item(IDC_EXPRESSION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2+2"));
  const struct {
    const char* shown;
    const char* mark;
  } turns[] = {{"1.000", "(none)"}, {"0.000", "Exact: 1.000"}};
  for (const auto& turn : turns) {
    ASSERT_NO_FATAL_FAILURE(Toggle());
    EXPECT_EQ(Shown(), turn.shown);
    EXPECT_EQ(Mark(), turn.mark);
  }
  EXPECT_EQ(WindowText(Item(IDC_EXPRESSION)), "2+2") << "the expression field is left alone";
}

// The classic result stays as the classic rules write it; the mark beside it
// tells the exact value whenever that has other digits, follows the decimals,
// and goes with a result that has none or with a prompt.
TEST_F(ExactArithmetic, ClassicResultIsMarkedWhileTheExactValueShowsOtherDigits) {
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  const struct {
    const char* expression;  // null: the decimals step
    int steps;
    const char* shown;
    const char* mark;
  } cases[] = {
      {"3000000*1/3000000", 0, "0.000", "Exact: 1.000"},
      {nullptr, 1, "0.0000", "Exact: 1.0000"},
      {"2+2", 0, "4.0000", "(none)"},
      {"1/3*3", 0, "1.0000", "(none)"},
      {nullptr, 5, "0.999999000", "Exact: 1.000000000"},
      {nullptr, -6, "1.000", "(none)"},
      {"3000000*1/3000000", 0, "0.000", "Exact: 1.000"},
      {"2*", 0, "Paste number here   ", "(none)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression ? c.expression : "decimals " + std::to_string(c.steps));
    if (c.expression) {
      Compute(c.expression);
    } else {
      StepDecimals(c.steps);
    }
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(Mark(), c.mark);
  }
}

}  // namespace
