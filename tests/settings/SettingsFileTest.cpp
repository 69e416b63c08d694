// The settings file on disk: the data directory, the 100-byte reading and the
// replacement of the old file, in the Windows directory of the test's prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileBytes.h"
#include "SettingsFile.h"

namespace {

using Lines = std::vector<std::string>;

std::string WindowsDirectory() {
  char path[MAX_PATH] = "";
  ::GetWindowsDirectoryA(path, sizeof path);
  return path;
}

void WriteBytes(const std::string& path, const std::string& bytes) { ASSERT_TRUE(WriteFileBytes(path, bytes)) << path; }

std::string ReadBytes(const std::string& path) { return ReadFileBytes(path).value_or("<missing>"); }

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

// A folder of the test's own, emptied and removed after each test.
class SettingsFile : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof temp, temp);
    m_folder = std::string(temp) + "tallywise-settings-test";
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    ASSERT_TRUE(IsDirectory(m_folder));
    m_path = m_folder + "\\data.dat";
  }
  void TearDown() override {
    for (const std::string& name : FilesIn(m_folder)) {
      const std::string path = m_folder + "\\" + name;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(path.c_str());
    }
    ::RemoveDirectoryA(m_folder.c_str());
  }

  std::string m_folder;
  std::string m_path;
};

TEST(DataDirectory, IsCreatedBelowTheWindowsDirectoryLevelByLevel) {
  const std::string maker = WindowsDirectory() + "\\quillbright";
  const std::string program = maker + "\\tallywise";
  ::DeleteFileA((program + "\\data.dat").c_str());
  ::RemoveDirectoryA(program.c_str());
  ::RemoveDirectoryA(maker.c_str());
  ASSERT_FALSE(IsDirectory(maker)) << "the data directory of an earlier run is still there";

  EXPECT_EQ(GetDataDirectory(), program + "\\");
  EXPECT_TRUE(IsDirectory(program));
  EXPECT_EQ(GetDataDirectory(), program + "\\") << "a directory that exists already is no failure";
  EXPECT_EQ(GetSettingsPath(), program + "\\data.dat");
}

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string program(path, length);
  return program.substr(0, program.find_last_of('\\'));
}

// The marker beside this test program for as long as it lives.
class PortableMarker {
public:
  explicit PortableMarker(std::string text) : m_path(ProgramFolder() + "\\" + kPortableMarkerName) {
    WriteFileBytes(m_path, text);
  }
  PortableMarker(const PortableMarker&) = delete;
  PortableMarker& operator=(const PortableMarker&) = delete;
  ~PortableMarker() { ::DeleteFileA(m_path.c_str()); }

private:
  std::string m_path;
};

TEST(DataDirectory, IsTheProgramsOwnFolderWhileTheMarkerIsBesideIt) {
  const std::string installed = WindowsDirectory() + "\\quillbright\\tallywise\\";
  {
    const PortableMarker marker("Settings are kept in this folder.\r\n");
    const std::vector<std::string> filesBefore = FilesIn(ProgramFolder());
    EXPECT_EQ(GetDataDirectory(), ProgramFolder() + "\\");
    EXPECT_EQ(GetSettingsPath(), ProgramFolder() + "\\data.dat");
    EXPECT_EQ(FilesIn(ProgramFolder()), filesBefore) << "trying the folder for writing leaves nothing behind";
  }
  EXPECT_EQ(GetDataDirectory(), installed) << "without the marker the program keeps the installed place";
  const std::string folderAsMarker = ProgramFolder() + "\\" + kPortableMarkerName;
  ASSERT_TRUE(::CreateDirectoryA(folderAsMarker.c_str(), nullptr));
  EXPECT_EQ(GetDataDirectory(), installed) << "a folder of the marker's name is no marker";
  ::RemoveDirectoryA(folderAsMarker.c_str());
}

TEST_F(SettingsFile, MissingFileCannotBeReadAndLeavesNoLines) {
  Lines lines = {"left over"};
  EXPECT_FALSE(ReadSettingsFile(m_path, lines));
  EXPECT_TRUE(lines.empty());
}

TEST_F(SettingsFile, ReadsTheCompleteLinesAmongTheFirstHundredBytes) {
  const std::string face(88, 'F');  // with the lines before it, 100 bytes end just after its CR LF
  const struct {
    const char* what;
    std::string bytes;
    size_t lines;
    std::string last;
  } cases[] = {
      {"empty file", "", 0, ""},
      {"defaults", "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n0\r\n", 8, "0"},
      {"no final CR LF", "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n0", 7, "Courier New"},
      {"NUL inside", std::string("%0.3f\r\n300\r\n30\0\r\n-15\r\n", 22), 2, "300"},
      {"exactly 100 bytes", "%0.3f\r\n1\r\n" + face + "\r\n", 3, face},
      {"CR LF split by the 100th byte", "%0.3f\r\n1\r\n" + face + "G\r\n", 2, "1"},
      {"lines after the 100th byte", "%0.3f\r\n1\r\n" + face + "\r\nmore\r\nand more\r\n", 3, face},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(m_path, c.bytes);
    Lines lines;
    ASSERT_TRUE(ReadSettingsFile(m_path, lines));
    ASSERT_EQ(lines.size(), c.lines);
    if (!lines.empty()) {
      EXPECT_EQ(lines.back(), c.last);
    }
  }
}

TEST_F(SettingsFile, WritingReplacesTheWholeFileAndLeavesNothingElseBehind) {
  WriteBytes(m_path, std::string(300, 'x'));
  ASSERT_TRUE(WriteSettingsFile(m_path, {"%0.3f", "300", "300", "-15", "500", "0", "Courier New", "0"}));
  EXPECT_EQ(ReadBytes(m_path), "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n0\r\n");
  EXPECT_EQ(FilesIn(m_folder), Lines{"data.dat"});

  ::DeleteFileA(m_path.c_str());
  ASSERT_TRUE(WriteSettingsFile(m_path, {"", "a"}));
  EXPECT_EQ(ReadBytes(m_path), "\r\na\r\n");
  EXPECT_EQ(FilesIn(m_folder), Lines{"data.dat"});
}

TEST_F(SettingsFile, FailedWritingLeavesWhatWasThereAndNothingElse) {
  // Under Wine neither a read-only file nor an open one stops a replacement;
  // a folder in the file's place does, there as on Windows.
  ASSERT_TRUE(::CreateDirectoryA(m_path.c_str(), nullptr));
  WriteBytes(m_path + "\\kept", "old");
  EXPECT_FALSE(WriteSettingsFile(m_path, {"%0.3f", "1", "1", "-15", "500", "0", "Courier New", "0"}));
  EXPECT_TRUE(IsDirectory(m_path));
  EXPECT_EQ(ReadBytes(m_path + "\\kept"), "old");
  EXPECT_TRUE(FilesIn(m_folder).empty()) << "the new text must not stay behind";
  ::DeleteFileA((m_path + "\\kept").c_str());
  ::RemoveDirectoryA(m_path.c_str());

  EXPECT_FALSE(WriteSettingsFile(m_folder + "\\missing\\data.dat", {"%0.3f"}));
  EXPECT_TRUE(FilesIn(m_folder).empty());
}

}  // namespace
