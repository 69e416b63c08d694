// Tallywise.exe as a whole: it starts with its window, and the ways of closing
// the window end the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "DataFile.h"
#include "WaitUntil.h"
#include "TallywiseDlgIds.h"

namespace {

// Beside this test program's folder, as the build lays the programs out.
std::string ProgramPath() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') + 1);
  std::string relative = TALLYWISE_EXE_FROM_TESTS;
  for (char& c : relative) {
    if (c == '/') c = '\\';
  }
  return folder + relative;
}

struct ProcessWindow {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK FindProcessDialog(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<ProcessWindow*>(param);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(hWnd, &processId);
  char className[16] = "";
  ::GetClassNameA(hWnd, className, sizeof className);
  if (processId != search->processId || std::string(className) != "#32770" || !::IsWindowVisible(hWnd)) return TRUE;
  search->found = hWnd;
  return FALSE;
}

class RunningProgram {
public:
  RunningProgram() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine(1, '"');
    commandLine.append(ProgramPath()).push_back('"');
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &m_process)) {
      return;
    }
    WaitUntil(
        [this] {
          ProcessWindow search{m_process.dwProcessId};
          ::EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
          m_window = search.found;
          return m_window != nullptr;
        },
        30000);
    // Visible while still being shown; an answered message means its loop runs.
    if (m_window) ::SendMessageA(m_window, WM_NULL, 0, 0);
  }
  ~RunningProgram() {
    if (!m_process.hProcess) return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_process.hProcess, 1);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return m_process.hProcess != nullptr; }
  HWND Window() const { return m_window; }
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(m_process.dwThreadId, &info) ? info.hwndFocus : nullptr;
  }
  // The exit code, or STILL_ACTIVE when the process has not ended within 30 seconds.
  DWORD WaitForExit() const {
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(m_process.hProcess, 30000) == WAIT_OBJECT_0)
      ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
  }

private:
  PROCESS_INFORMATION m_process{};
  HWND m_window = nullptr;
};

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
