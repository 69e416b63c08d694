// Tallywise.exe as a whole: it starts with its window, and the ways of closing
// the window end the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "DataFile.h"
#include "RunningProgram.h"
#include "TallywiseDlgIds.h"

namespace {

class Program : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(program.Started()) << "cannot start " << ProgramPath();
    ASSERT_NE(program.Window(), nullptr) << "the program shows no window";
  }

  FirstRun firstRun;  // before the program, which must not find an earlier run's files
  RunningProgram program;
};

TEST_F(Program, StartsWithItsWindowAndTheFocusInTheExpressionField) {
  char caption[64] = "";
  ::GetWindowTextA(program.Window(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Tallywise");
  EXPECT_EQ(program.Focus(), ::GetDlgItem(program.Window(), IDC_EXPRESSION));
  // The program's icons are linked in: the toggle shows its pin. (Wine answers
  // WM_GETICON from another process with nothing, so the caption icon is
  // checked by the window tests.)
  const HWND pin = ::GetDlgItem(program.Window(), IDC_TOPMOST);
  EXPECT_NE(::SendMessageA(pin, BM_GETIMAGE, IMAGE_ICON, 0), 0) << "no pin icon";
}

TEST_F(Program, EndsWhenEscapeIsPressedInAField) {
  const HWND field = ::GetDlgItem(program.Window(), IDC_EXPRESSION);
  ::PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ::PostMessageA(field, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(Program, EndsOnACloseRequest) {
  ::PostMessageA(program.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

// Wine's own end of the session asks every window whether it may end, tells
// it that it does (WM_ENDSESSION with a true wParam) and then ends the process
// without a close request.
TEST_F(Program, KeepsItsSettingsWhenTheSessionEnds) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION wineboot{};
  char command[] = "wineboot.exe --end-session";
  ASSERT_TRUE(::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &wineboot))
      << ::GetLastError();
  EXPECT_EQ(::WaitForSingleObject(wineboot.hProcess, 20000), WAIT_OBJECT_0);
  ::CloseHandle(wineboot.hThread);
  ::CloseHandle(wineboot.hProcess);
  EXPECT_NE(program.WaitForExit(), STILL_ACTIVE) << "the program outlived the session";
  EXPECT_EQ(ReadDataFile(), "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n0\r\n");
}

}  // namespace
