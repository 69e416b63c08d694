// The history file that every window shares: each adds its own new
// expressions to what the file holds then, a clear holds for all, the end of
// a long file is read, and a file that must not be replaced is left alone
// and said so once.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DataFile.h"
#include "RunningDialog.h"
#include "RunningProgram.h"
#include "TallywiseDlgIds.h"
#include "WaitUntil.h"
#include "WindowToolkit.h"

namespace {

void SetExpression(const RunningDialog& dialog, const char* text) {
  ::SendMessageA(dialog.Item(IDC_EXPRESSION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Enter in a window of this process or of another (sent messages are carried
// across), answered without a box: false when the window is still held up.
bool EnterWithoutBox(HWND window, const char* text) {
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutA(::GetDlgItem(window, IDC_EXPRESSION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                               SMTO_NORMAL, 10000, &answer) != 0 &&
         ::SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_RESULT_BUTTON)), SMTO_NORMAL, 10000,
                               &answer) != 0;
}

bool EnterWithoutBox(const RunningDialog& dialog, const char* text) { return EnterWithoutBox(dialog.Window(), text); }

// Enter, when a box may come: the box, or null.
HWND EnterAndWaitForBox(const RunningDialog& dialog, const char* text, const char* caption) {
  SetExpression(dialog, text);
  ::PostMessageA(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(IDC_RESULT_BUTTON)));
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindDialogOfThread(dialog.ThreadId(), caption)) != nullptr; });
  return box;
}

void Answer(HWND box, int button) {
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
}

std::string History(const std::string& path = HistoryFilePath()) { return ReadFileBytes(path).value_or("(none)"); }

TEST(SharedHistory, TwoWindowsKeepBothsExpressionsAndAClearHoldsForBoth) {
  const FirstRun firstRun;
  RunningDialog first;
  RunningDialog second;
  ASSERT_NE(first.Window(), nullptr);
  ASSERT_NE(second.Window(), nullptr);
  ASSERT_TRUE(EnterWithoutBox(first, "1+1"));
  ASSERT_TRUE(EnterWithoutBox(second, "2+2"));
  ASSERT_TRUE(EnterWithoutBox(first, "3+3"));
  EXPECT_EQ(History(), "1+1\r\n2+2\r\n3+3\r\n");

  ::PostMessageA(first.Window(), WM_SYSCOMMAND, IDM_CLEAR_HISTORY, 0);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = FindDialogOfThread(first.ThreadId(), "Clear History")) != nullptr; }));
  Answer(question, IDYES);
  ASSERT_TRUE(WaitUntil([] { return History() == ""; }));
  // The first window is done with the clear, and the second has handled what
  // was posted to it before a selection posted now.
  ::SendMessageA(first.Window(), WM_NULL, 0, 0);
  SetExpression(second, "5+5");
  ::PostMessageA(second.Item(IDC_EXPRESSION), EM_SETSEL, 1, 2);
  ASSERT_TRUE(WaitUntil([&] {
    DWORD start = 0, end = 0;
    ::SendMessageA(second.Item(IDC_EXPRESSION), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return start == 1 && end == 2;
  }));
  ::SendMessageA(second.Item(IDC_EXPRESSION), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(WindowText(second.Item(IDC_EXPRESSION)), "5+5") << "Up in the other window brought back a cleared line";
  ASSERT_TRUE(EnterWithoutBox(second, "4+4"));
  EXPECT_EQ(History(), "4+4\r\n") << "the other window brings back nothing that was cleared";
}

// The file as a window that starts reads it, while others may be replacing it.
std::optional<std::string> ReadAsAWindowStarting() {
  const HANDLE file = ::CreateFileA(HistoryFilePath().c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char piece[4096];
  DWORD read = 0;
  while (::ReadFile(file, piece, sizeof piece, &read, nullptr) && read > 0)
    bytes.append(piece, read);
  ::CloseHandle(file);
  return bytes;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// Two copies of the program given expressions at the same moment, each Enter
// replacing the file, while a third party reads it as a starting window does:
// one copy at a time reads and replaces it, so every expression of both is
// kept, each copy's in its order; and it is replaced whole, in one step, so the
// reader never sees it shorter than before nor has it kept from being replaced.
// Each copy is a process of its own, as a user's two windows are.
TEST(SharedHistory, TwoWindowsAtTheSameMomentKeepEveryExpression) {
  const FirstRun firstRun;
  ASSERT_TRUE(WriteDataFile(""));
  constexpr int kEach = 40;
  RunningProgram programs[2];
  for (const RunningProgram& program : programs) {
    ASSERT_TRUE(program.Started()) << "cannot start " << ProgramPath();
    ASSERT_NE(program.Window(), nullptr) << "the program shows no window";
  }
  struct Writer {
    HWND window;
    int number;
    HANDLE go;
    int entered = 0;
    static DWORD WINAPI Run(void* self) {
      Writer& writer = *static_cast<Writer*>(self);
      ::WaitForSingleObject(writer.go, INFINITE);
      const std::string prefix = std::to_string(writer.number) + "00+";
      for (; writer.entered < kEach; ++writer.entered)
        if (!EnterWithoutBox(writer.window, (prefix + std::to_string(writer.entered)).c_str())) break;
      return 0;
    }
  };
  const HANDLE go = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Writer writers[2] = {{programs[0].Window(), 1, go}, {programs[1].Window(), 2, go}};
  HANDLE threads[2];
  for (int w = 0; w < 2; ++w)
    threads[w] = ::CreateThread(nullptr, 0, &Writer::Run, &writers[w], 0, nullptr);
  ::SetEvent(go);
  size_t most = 0;
  std::string shrunk;
  while (::WaitForMultipleObjects(2, threads, TRUE, 0) == WAIT_TIMEOUT) {
    const std::vector<std::string> lines = LinesOf(ReadAsAWindowStarting().value_or(""));
    if (lines.size() < most && shrunk.empty())
      shrunk = std::to_string(most) + " lines, then " + std::to_string(lines.size());
    most = std::max(most, lines.size());
    // A window starts now and then, not all the time: the windows get their turn.
    ::Sleep(1);
  }
  for (const HANDLE thread : threads)
    ::CloseHandle(thread);
  ::CloseHandle(go);
  EXPECT_EQ(writers[0].entered, kEach) << "the first window was held up (a box?)";
  EXPECT_EQ(writers[1].entered, kEach) << "the second window was held up (a box?)";
  EXPECT_EQ(shrunk, "") << "a reader saw the file shorter than before";
  for (const RunningProgram& program : programs)
    EXPECT_EQ(program.Close(), 0u) << "a copy did not end on a close request";

  const std::vector<std::string> kept = LinesOf(ReadAsAWindowStarting().value_or(""));
  EXPECT_EQ(kept.size(), 2u * kEach);
  for (int w = 0; w < 2; ++w) {
    std::vector<std::string> ofWindow;
    const std::string prefix = std::to_string(w + 1) + "00+";
    for (const std::string& line : kept)
      if (line.rfind(prefix, 0) == 0) ofWindow.push_back(line);
    std::vector<std::string> wanted;
    for (int k = 0; k < kEach; ++k)
      wanted.push_back(prefix + std::to_string(k));
    EXPECT_EQ(ofWindow, wanted) << "window " << w + 1 << "'s expressions";
  }
}

// Far more than is read (7 MB): the newest lines come back, not the first ones.
TEST(SharedHistory, AFileLongerThanIsReadGivesItsNewestLines) {
  const FirstRun firstRun;
  ASSERT_TRUE(WriteDataFile(""));
  std::string text;
  for (int i = 0; i < 1400000; ++i)
    text += "1+1\r\n";
  ASSERT_TRUE(WriteFileBytes(HistoryFilePath(), text + "7*7\r\n"));
  RunningDialog dialog;
  ASSERT_NE(dialog.Window(), nullptr);
  ::SendMessageA(dialog.Item(IDC_EXPRESSION), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(WindowText(dialog.Item(IDC_EXPRESSION)), "7*7");
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A Unix command run in the history file's folder, as the prefix's side of it;
// true once it has ended. Wine hands back no handle to wait on, so a marker
// file that the command leaves tells.
bool RunUnix(const std::string& command) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  wchar_t folder[MAX_PATH] = L"";
  ::MultiByteToWideChar(CP_ACP, 0, DataDirectory().c_str(), -1, folder, MAX_PATH);
  char* name = unixName ? unixName(folder) : nullptr;
  if (!name) return false;
  std::string line = "/bin/sh -c \"cd '" + std::string(name) + "' && { " + command + "; touch ended.marker; }\"";
  ::HeapFree(::GetProcessHeap(), 0, name);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  if (process.hThread) ::CloseHandle(process.hThread);
  if (process.hProcess) ::CloseHandle(process.hProcess);
  const std::string marker = DataDirectory() + "\\ended.marker";
  const bool ended = WaitUntil([&] { return Exists(marker); }, 15000);
  ::DeleteFileA(marker.c_str());
  return ended;
}

class HistoryFileLeftAlone : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(WriteDataFile("")); }
  void TearDown() override {
    ::SetFileAttributesA(HistoryFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(RunUnix("rm -f history.txt kept.txt"));
  }

  // The first Enter tells, in one box, that the file is left alone; the next
  // ones say nothing.
  void ExpectLeftAloneAndToldOnce(const char* why) {
    RunningDialog dialog;
    ASSERT_NE(dialog.Window(), nullptr);
    const HWND box = EnterAndWaitForBox(dialog, "2+2", "History Not Saved");
    ASSERT_NE(box, nullptr) << "nothing said";
    const std::string told = WindowText(::GetDlgItem(box, 0xFFFF));
    EXPECT_NE(told.find(why), std::string::npos) << told;
    EXPECT_EQ(WindowText(dialog.Item(IDC_RESULT)), "4.000") << "the result comes first";
    Answer(box, IDOK);
    EXPECT_TRUE(EnterWithoutBox(dialog, "3+3")) << "said a second time";
  }

  const FirstRun m_firstRun;
};

TEST_F(HistoryFileLeftAlone, ReadOnly) {
  ASSERT_TRUE(WriteFileBytes(HistoryFilePath(), "1+1\r\n"));
  ASSERT_TRUE(::SetFileAttributesA(HistoryFilePath().c_str(), FILE_ATTRIBUTE_READONLY));
  ExpectLeftAloneAndToldOnce("is read-only");
  EXPECT_EQ(History(), "1+1\r\n");
}

// As root, a device node where the file should be; another user cannot make one.
TEST_F(HistoryFileLeftAlone, Device) {
  ASSERT_TRUE(RunUnix("mknod history.txt c 1 3 2>/dev/null"));
  if (!RunUnix("test -c history.txt && touch device.marker") || !Exists(DataDirectory() + "\\device.marker"))
    GTEST_SKIP() << "only root makes a device node";
  ::DeleteFileA((DataDirectory() + "\\device.marker").c_str());
  ExpectLeftAloneAndToldOnce("is not a file");
  EXPECT_TRUE(RunUnix("test -c history.txt && touch device.marker"));
  EXPECT_TRUE(::DeleteFileA((DataDirectory() + "\\device.marker").c_str())) << "the device was replaced";
}

// A link is followed: its target takes the expression and the link stays.
TEST_F(HistoryFileLeftAlone, ButALinkIsFollowed) {
  const std::string target = DataDirectory() + "\\kept.txt";
  ASSERT_TRUE(WriteFileBytes(target, "1+1\r\n"));
  ASSERT_TRUE(RunUnix("ln -s kept.txt history.txt"));
  RunningDialog dialog;
  ASSERT_NE(dialog.Window(), nullptr);
  ASSERT_TRUE(EnterWithoutBox(dialog, "2+2"));
  EXPECT_EQ(History(target), "1+1\r\n2+2\r\n") << "the link's target was not written";
  EXPECT_TRUE(RunUnix("test -L history.txt && touch link.marker"));
  EXPECT_TRUE(::DeleteFileA((DataDirectory() + "\\link.marker").c_str())) << "the link was replaced";
}

}  // namespace
