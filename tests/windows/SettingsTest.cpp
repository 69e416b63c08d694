// The settings file as the main window reads it at start and writes it at
// close, in the Windows directory of the test's prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StoredRun.h"

namespace {

// What the window shows of the eight values.
struct Shown {
  int decimals;
  LONG x, y;
  int fontHeight;
  int fontWeight;
  bool italic;
  char face[LF_FACESIZE];
  bool topMost;  // the green pin and the z-order asked for
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "{" << s.decimals << " decimals, at " << s.x << "," << s.y << ", font " << s.fontHeight << "/"
             << s.fontWeight << (s.italic ? " italic" : "") << " \"" << s.face << "\", "
             << (s.topMost ? "on top" : "not on top") << "}";
}

bool operator==(const Shown& a, const Shown& b) {
  return a.decimals == b.decimals && a.x == b.x && a.y == b.y && a.fontHeight == b.fontHeight &&
         a.fontWeight == b.fontWeight && a.italic == b.italic && std::strcmp(a.face, b.face) == 0 &&
         a.topMost == b.topMost;
}

const Shown kDefaultsShown{3, 300, 300, -15, 500, false, "Courier New", false};
const Shown kStoredShown{7, 120, 80, -20, 700, true, "Arial", true};

std::string WithoutLastLine(const std::string& file) { return file.substr(0, file.rfind("\r\n", file.size() - 3) + 2); }

class SettingsFile : public StoredRun {
protected:
  Shown WhatIsShown() const {
    const LOGFONTA font = ShownFontDescription(Item(IDC_EXPRESSION));
    const RECT rect = WindowRect(Window());
    const bool green = ShowsIconFrame(Pin(), IDI_TOP);
    EXPECT_EQ(green, LastZOrder() == HWND_TOPMOST) << "pin and z-order disagree";
    EXPECT_EQ(green ? HWND_TOPMOST : HWND_NOTOPMOST, LastZOrder());
    Shown shown{Decimals(), rect.left, rect.top, font.lfHeight, font.lfWeight, font.lfItalic != 0, "", green};
    std::memcpy(shown.face, font.lfFaceName, sizeof shown.face);
    return shown;
  }
};

TEST_F(SettingsFile, FirstStartCreatesTheDirectoryShowsTheDefaultsAndWritesThemAtClose) {
  ASSERT_FALSE(IsDirectory(MakerDirectory()));
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  EXPECT_TRUE(IsDirectory(DataDirectory())) << "both levels exist once the window is there";
  EXPECT_EQ(WhatIsShown(), kDefaultsShown);
  EXPECT_FALSE(HasTopMostStyle());
  EXPECT_FALSE(ReadDataFile()) << "nothing is written before the close";

  const auto file = CloseAndRead();
  ASSERT_TRUE(file) << "no file written at close";
  EXPECT_EQ(*file, kDefaultFile);
  EXPECT_EQ(file->size(), 46u);
}

TEST_F(SettingsFile, StoredValuesComeBackAndAreWrittenAgain) {
  ASSERT_NO_FATAL_FAILURE(Start(kStoredFile));
  EXPECT_EQ(WhatIsShown(), kStoredShown);
  EXPECT_TRUE(HasTopMostStyle()) << "a window started on top is topmost";
  EXPECT_EQ(::SendMessageA(Item(IDC_EXPRESSION), WM_GETFONT, 0, 0), ::SendMessageA(Item(IDC_RESULT), WM_GETFONT, 0, 0));
  EXPECT_EQ(CloseAndRead(), kStoredFile);
}

TEST_F(SettingsFile, AnythingUnusableGivesAllTheDefaults) {
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"empty file", ""},
      {"seven lines", WithoutLastLine(kStoredFile)},
      {"no final CR LF", kStoredFile.substr(0, kStoredFile.size() - 2)},
      {"only LF line ends", "%0.7f\n120\n80\n-20\n700\n1\nArial\n1\n"},
      {"eighth line cut by the 100th byte",
       "%0.7f\r\n120\r\n80\r\n-20\r\n700\r\n1\r\n" + std::string(68, 'A') + "\r\n1\r\n"},
      {"NUL in the fourth line", std::string("%0.7f\r\n120\r\n80\r\n-2") + '\0' + "0\r\n700\r\n1\r\nArial\r\n1\r\n"},
      {"first line empty", "\r\n120\r\n80\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n"},
      {"first line a string format", "%s%s%s%s\r\n120\r\n80\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n"},
      {"first line an integer format", "%0.7d\r\n120\r\n80\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n"},
      {"first line with two digits", "%0.12f\r\n120\r\n80\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n"},
      {"first line with a blank", "%0.7f \r\n120\r\n80\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Start(c.file));
    EXPECT_EQ(WhatIsShown(), kDefaultsShown);
    EXPECT_EQ(CloseAndRead(), kDefaultFile) << "the close writes the defaults over it";
  }
}

TEST_F(SettingsFile, OddButCompleteFilesAreTakenAsTheyStand) {
  const struct {
    const char* what;
    std::string file;
    Shown shown;
    std::string written;
    // clang-format off
  } cases[] = {
      {"empty position lines", "%0.7f\r\n\r\n\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n",
       {7, 0, 0, -20, 700, true, "Arial", true}, "%0.7f\r\n0\r\n0\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n"},
      {"lines after the eighth", kStoredFile + "more\r\n%s\r\n", kStoredShown, kStoredFile},
      {"exactly 100 bytes", "%0.7f\r\n120\r\n80\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n" + std::string(59, 'x') + "\r\n",
       kStoredShown, kStoredFile},
      {"non-numeric lines", "%0.5f\r\nabc\r\n12abc\r\nx\r\n-\r\n0\r\nArial\r\n+0\r\n",
       {5, 0, 12, 0, 0, false, "Arial", false}, "%0.5f\r\n0\r\n12\r\n0\r\n0\r\n0\r\nArial\r\n0\r\n"},
      {"blanks and signs", "%0.0f\r\n  +150\r\n\t90 px\r\n-20\r\n700\r\n0\r\nArial\r\n-1\r\n",
       {0, 150, 90, -20, 700, false, "Arial", true}, "%0.0f\r\n150\r\n90\r\n-20\r\n700\r\n0\r\nArial\r\n1\r\n"},
      {"on top written as 2", "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n2\r\n",
       {3, 300, 300, -15, 500, false, "Courier New", true}, "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n1\r\n"},
      {"italic beyond a byte", "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n256\r\nCourier New\r\n0\r\n", kDefaultsShown,
       kDefaultFile},
      {"font height beyond 72 points", "%0.3f\r\n300\r\n300\r\n-600\r\n500\r\n0\r\nCourier New\r\n0\r\n", kDefaultsShown,
       kDefaultFile},
  };
  // clang-format on
  RECT work{};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Start(c.file));
    EXPECT_EQ(WhatIsShown(), c.shown);
    const RECT window = WindowRect(Window());
    RECT inside{};
    EXPECT_TRUE(::IntersectRect(&inside, &window, &work) && ::EqualRect(&inside, &window)) << "beyond the work area";
    EXPECT_EQ(CloseAndRead(), c.written);
  }
}

TEST_F(SettingsFile, ItalicIsWrittenBackAsTheSystemReportsIt) {
  ASSERT_NO_FATAL_FAILURE(Start("%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n255\r\nCourier New\r\n0\r\n"));
  const LOGFONTA font = ShownFontDescription(Item(IDC_EXPRESSION));
  EXPECT_NE(font.lfItalic, 0);
  EXPECT_EQ(CloseAndRead(), "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n" + std::to_string(unsigned{font.lfItalic}) +
                                "\r\nCourier New\r\n0\r\n");
}

TEST_F(SettingsFile, EscapeEndsTheRunWithoutWriting) {
  ASSERT_NO_FATAL_FAILURE(Start(kStoredFile));
  ::SendMessageA(Item(IDC_TOPMOST), BM_CLICK, 0, 0);
  ::SetWindowPos(Window(), nullptr, 200, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_NO_FATAL_FAILURE(PressEscape());
  EXPECT_EQ(ReadDataFile(), kStoredFile);

  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  ASSERT_NO_FATAL_FAILURE(PressEscape());
  EXPECT_FALSE(ReadDataFile()) << "a first run ended by Escape leaves no file";
}

// Windows sends no close request when the session ends, and may end the
// process as soon as the window has been told.
TEST_F(SettingsFile, TheEndOfTheSessionWritesAsACloseRequestDoes) {
  ASSERT_NO_FATAL_FAILURE(Start(kStoredFile));
  ::SendMessageA(Item(IDC_TOPMOST), BM_CLICK, 0, 0);
  ::SendMessageA(Window(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(ReadDataFile(), kStoredFile) << "a session that goes on writes nothing";
  ::SendMessageA(Window(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadDataFile(), WithoutLastLine(kStoredFile) + "0\r\n");
}

TEST_F(SettingsFile, AFileThatCannotBeReplacedStaysAndTheWindowStillCloses) {
  // A folder in the file's place: reading fails, and so does the replacement.
  ASSERT_TRUE(WriteDataFile(kStoredFile));
  ::DeleteFileA(DataFilePath().c_str());
  ASSERT_TRUE(::CreateDirectoryA(DataFilePath().c_str(), nullptr));
  const std::string kept = DataFilePath() + "\\kept";
  const HANDLE file = ::CreateFileA(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::CloseHandle(file);

  m_dlg.emplace(m_systemCalls);
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(WhatIsShown(), kDefaultsShown);
  ::PostMessageA(Window(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(m_dlg->WaitForEnd());
  EXPECT_EQ(m_dlg->Result(), IDCANCEL);
  EXPECT_TRUE(IsDirectory(DataFilePath()));
  EXPECT_NE(::GetFileAttributesA(kept.c_str()), INVALID_FILE_ATTRIBUTES);

  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((DataDirectory() + "\\*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "the new text stayed behind in " << found.cFileName;
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

}  // namespace
