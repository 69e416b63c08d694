// The main window's system menu: its four entries, the About box, the
// display font chosen through the system's font chooser, the emptied history.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "DataFile.h"
#include "LinkProbe.h"
#include "SettingsText.h"
#include "TallywiseDlg.h"
#include "WaitUntil.h"
#include "TallywiseDlgIds.h"

namespace {

struct MenuItem {
  UINT type;
  UINT id;
  std::string text;
};

MenuItem ItemAt(HMENU menu, int position) {
  char text[128] = "";
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text;
  ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  return {info.fType, info.wID, text};
}

int FindItemWithData(HWND combo, auto matches) {
  const auto count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (matches(::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0))) return static_cast<int>(i);
  }
  return -1;
}

// Picks an entry of one of the chooser's lists the way a click would: the
// selection, then the notice the chooser reacts to.
void Pick(HWND chooser, int comboId, int index) {
  const HWND combo = ::GetDlgItem(chooser, comboId);
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Check(HWND chooser, int boxId) {
  const HWND box = ::GetDlgItem(chooser, boxId);
  ::SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  ::SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(boxId, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

void Press(HWND dialog, int buttonId) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

class SystemMenu : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(main.Window(), nullptr) << "the main window did not appear";
    expression = main.Item(IDC_EXPRESSION);
    result = main.Item(IDC_RESULT);
  }

  HWND WaitForDialog(const char* caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialogOfThread(main.ThreadId(), caption)) != nullptr; });
    return found;
  }

  HWND OpenFontChooser() {
    ::PostMessageA(main.Window(), WM_SYSCOMMAND, IDM_FONT, 0);
    return WaitForDialog("Font");
  }

  // Picks a face other than the one shown, in bold italic at 20 points with
  // underline and strike-out, and confirms; the face chosen, or empty when
  // that failed.
  std::string ChooseBoldItalicTwentyPoints() {
    const auto fail = [](const std::string& why) {
      ADD_FAILURE() << why;
      return std::string();
    };
    const std::string shownFace = FontDescription(ShownFont(expression)).lfFaceName;
    const HWND chooser = OpenFontChooser();
    if (!chooser) return fail("no font chooser");
    const HWND faces = ::GetDlgItem(chooser, cmb1);
    std::string face;
    int faceIndex = -1;
    const auto faceCount = ::SendMessageA(faces, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < faceCount && faceIndex < 0; ++i) {
      char name[LF_FACESIZE + 1] = "";
      ::SendMessageA(faces, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
      if (name[0] != '@' && shownFace != name) {
        face = name;
        faceIndex = static_cast<int>(i);
      }
    }
    if (faceIndex < 0) return fail("no other face to choose");
    Pick(chooser, cmb1, faceIndex);
    // Styles carry weight and slant, sizes their point size.
    const int boldItalic = FindItemWithData(::GetDlgItem(chooser, cmb2),
                                            [](LRESULT data) { return LOWORD(data) == FW_BOLD && HIWORD(data) != 0; });
    if (boldItalic < 0) return fail(face + " has no bold italic style");
    Pick(chooser, cmb2, boldItalic);
    const int twenty = FindItemWithData(::GetDlgItem(chooser, cmb3), [](LRESULT data) { return data == 20; });
    if (twenty < 0) return fail(face + " offers no 20 point size");
    Pick(chooser, cmb3, twenty);
    Check(chooser, chx1);  // strike-out
    Check(chooser, chx2);  // underline
    Press(chooser, IDOK);
    if (!WaitUntil([&] { return !::IsWindow(chooser); })) return fail("OK left the chooser open");
    return face;
  }

  FirstRun firstRun;
  // As at start-up: the main window stands for the application, so the
  // dialogs it opens belong to it.
  ModalThread main{[] {
    CWinApp app;
    CTallywiseDlg dlg;
    app.m_pMainWnd = &dlg;
    return dlg.DoModal();
  }};
  HWND expression = nullptr;
  HWND result = nullptr;
};

TEST_F(SystemMenu, EndsWithTheProgramsEntriesAndTheLanguagesAfterTheSystemsOwnEntries) {
  const HMENU menu = ::GetSystemMenu(main.Window(), FALSE);
  ASSERT_NE(menu, nullptr);
  const int count = ::GetMenuItemCount(menu);
  const struct {
    UINT id;
    const char* text;
    bool check;  // a choice, off until turned on
  } entries[] = {
      {IDM_ABOUTBOX, "&About Tallywise...", false},
      {IDM_FONT, "&Font...", false},
      {IDM_CLEAR_HISTORY, "Clear &History", false},
      {IDM_EXACT_ARITHMETIC, "E&xact Arithmetic", true},
      {IDM_LIVE_RESULT, "&Live Result", true},
      {IDM_DIGIT_GROUPING, "Digit &Grouping", true},
      {IDM_KEYS, "&Keys...", false},
  };
  // The language submenu comes last.
  const int first = count - 1 - static_cast<int>(std::size(entries));
  ASSERT_GE(first, 2);
  EXPECT_TRUE(ItemAt(menu, first - 1).type & MFT_SEPARATOR);
  for (int i = 0; i < static_cast<int>(std::size(entries)); ++i) {
    const MenuItem item = ItemAt(menu, first + i);
    EXPECT_EQ(item.id, entries[i].id) << entries[i].text;
    EXPECT_EQ(item.text, entries[i].text);
    EXPECT_FALSE(item.type & MFT_SEPARATOR) << entries[i].text;
    if (entries[i].check) {
      EXPECT_FALSE(::GetMenuState(menu, entries[i].id, MF_BYCOMMAND) & MF_CHECKED) << entries[i].text;
    }
  }
  const MenuItem language = ItemAt(menu, count - 1);
  EXPECT_EQ(language.id, static_cast<UINT>(IDM_LANGUAGE));
  EXPECT_EQ(language.text, "Lang&uage");
  const HMENU languages = ::GetSubMenu(menu, count - 1);
  ASSERT_NE(languages, nullptr) << "Language opens a submenu";
  EXPECT_EQ(::GetMenuItemCount(languages), 12) << "the system's default, a separator and ten languages";

  int closeAt = -1;
  for (int i = 0; i < count; ++i) {
    if (ItemAt(menu, i).id == SC_CLOSE) closeAt = i;
  }
  EXPECT_GE(closeAt, 0) << "the system's own entries are gone";
  EXPECT_LT(closeAt, first - 1);
}

// Only when confirmed, then at once in the window and on disk: Up finds
// nothing, and a new start neither.
TEST_F(SystemMenu, ClearHistoryAsksAndThenEmptiesTheHistoryAndItsFile) {
  for (const char* text : {"1+2", "3*4"}) {
    ::SendMessageA(expression, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageA(main.Window(), WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                   reinterpret_cast<LPARAM>(main.Item(IDC_RESULT_BUTTON)));
  }
  ASSERT_EQ(ReadFileBytes(HistoryFilePath()), "1+2\r\n3*4\r\n");

  for (const int answer : {IDNO, IDYES}) {
    ::PostMessageA(main.Window(), WM_SYSCOMMAND, IDM_CLEAR_HISTORY, 0);
    const HWND box = WaitForDialog("Clear History");
    ASSERT_NE(box, nullptr) << "no question asked";
    EXPECT_EQ(ReadFileBytes(HistoryFilePath()), "1+2\r\n3*4\r\n") << "nothing cleared before the answer";
    Press(box, answer);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  }
  ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(HistoryFilePath()) == ""; }));
  ::SendMessageA(expression, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5"));
  ::SendMessageA(expression, WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(WindowText(expression), "5") << "nothing to recall";
}

TEST_F(SystemMenu, AboutCommandRunsTheAboutBoxOverTheMainWindow) {
  // The system may use the four low bits: all sixteen numbers mean About.
  for (WPARAM command : {WPARAM{IDM_ABOUTBOX}, WPARAM{IDM_ABOUTBOX | 0xF}}) {
    SCOPED_TRACE(command);
    ::PostMessageA(main.Window(), WM_SYSCOMMAND, command, 0);
    const HWND about = WaitForDialog("About Tallywise");
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(::GetWindow(about, GW_OWNER), main.Window());
    EXPECT_FALSE(::IsWindowEnabled(main.Window())) << "the About box must be modal";

    const HWND focus = FocusOfThread(main.ThreadId());
    ::PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); })) << "Escape left the About box open";
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main.Window()) != FALSE; }));
  }
  EXPECT_TRUE(::IsWindowVisible(main.Window())) << "closing the About box ended the program";
}

// Everything else is the system's: the window still minimises and closes.
TEST_F(SystemMenu, OtherCommandsKeepTheirUsualMeaning) {
  ::PostMessageA(main.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(main.Window()) != FALSE; })) << "Minimise did nothing";
  ::PostMessageA(main.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(main.Window()); })) << "Restore did nothing";
  ::PostMessageA(main.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(main.WaitForEnd()) << "Close did not end the program";
}

TEST_F(SystemMenu, FontChooserCancelledChangesNothing) {
  const HFONT before = ShownFont(expression);
  const LOGFONTA beforeLook = FontDescription(before);
  const HWND chooser = OpenFontChooser();
  ASSERT_NE(chooser, nullptr) << "no font chooser";
  EXPECT_EQ(::GetWindow(chooser, GW_OWNER), main.Window());

  // Whatever is picked, Cancel throws it away.
  Pick(chooser, cmb3, 0);
  Check(chooser, chx2);
  Press(chooser, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));

  for (HWND field : {expression, result}) {
    EXPECT_EQ(ShownFont(field), before);
    const LOGFONTA look = FontDescription(ShownFont(field));
    EXPECT_STREQ(look.lfFaceName, beforeLook.lfFaceName);
    EXPECT_EQ(look.lfHeight, beforeLook.lfHeight);
    EXPECT_EQ(look.lfUnderline, 0);
  }
}

TEST_F(SystemMenu, FontChosenWithOkGoesToBothFieldsAtOnce) {
  const HFONT before = ShownFont(expression);
  const HFONT buttonFont = ShownFont(main.Item(IDC_RESULT_BUTTON));
  const std::string face = ChooseBoldItalicTwentyPoints();
  ASSERT_FALSE(face.empty());

  const HFONT shown = ShownFont(expression);
  EXPECT_NE(shown, before);
  EXPECT_EQ(ShownFont(result), shown) << "both fields share the one font";
  const LOGFONTA look = FontDescription(shown);
  EXPECT_EQ(look.lfFaceName, face);
  EXPECT_EQ(look.lfWeight, FW_BOLD);
  EXPECT_NE(look.lfItalic, 0);
  EXPECT_EQ(look.lfUnderline, 1);
  EXPECT_EQ(look.lfStrikeOut, 1);
  const HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(look.lfHeight, -::MulDiv(20, ::GetDeviceCaps(screen, LOGPIXELSY), 72));
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(::GetObjectType(before), 0u) << "the replaced font was not deleted";

  EXPECT_EQ(ShownFont(main.Item(IDC_RESULT_BUTTON)), buttonFont) << "the button must keep the dialog font";
}

// What closing stores is the font the fields show; its effects are kept with
// the choices, and the next start shows them again.
TEST_F(SystemMenu, ChosenFontIsWrittenAtCloseAndComesBackWithItsEffects) {
  const std::string face = ChooseBoldItalicTwentyPoints();
  ASSERT_FALSE(face.empty());
  const LOGFONTA shown = FontDescription(ShownFont(expression));

  ::PostMessageA(main.Window(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(main.WaitForEnd());
  const auto file = ReadDataFile();
  ASSERT_TRUE(file) << "nothing written at close";
  const std::vector<std::string> lines = SplitSettingsText(*file);
  ASSERT_EQ(lines.size(), 8u) << *file;
  EXPECT_EQ(lines[3], std::to_string(shown.lfHeight));
  EXPECT_EQ(lines[4], "700");
  EXPECT_EQ(lines[5], std::to_string(static_cast<unsigned>(shown.lfItalic)));
  EXPECT_NE(lines[5], "0");
  EXPECT_EQ(lines[6], face);
  const std::string choices = ReadFileBytes(ChoicesFilePath()).value_or("(none)");
  EXPECT_NE(choices.find("font-underline=1\r\n"), std::string::npos) << choices;
  EXPECT_NE(choices.find("font-strikeout=1\r\n"), std::string::npos) << choices;

  ModalThread again{[] {
    CTallywiseDlg dlg;
    return dlg.DoModal();
  }};
  ASSERT_NE(again.Window(), nullptr);
  const LOGFONTA restarted = ShownFontDescription(again.Item(IDC_EXPRESSION));
  EXPECT_EQ(restarted.lfFaceName, face);
  EXPECT_EQ(restarted.lfUnderline, 1);
  EXPECT_EQ(restarted.lfStrikeOut, 1);
}

// The chooser opens on the font shown; choosing again starts from the last choice.
TEST_F(SystemMenu, FontChooserStartsFromTheFontShown) {
  HWND chooser = OpenFontChooser();
  ASSERT_NE(chooser, nullptr);
  const int twenty = FindItemWithData(::GetDlgItem(chooser, cmb3), [](LRESULT data) { return data == 20; });
  ASSERT_GE(twenty, 0);
  Pick(chooser, cmb3, twenty);
  Press(chooser, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));
  const std::string face = FontDescription(ShownFont(expression)).lfFaceName;

  chooser = OpenFontChooser();
  ASSERT_NE(chooser, nullptr);
  const HWND sizes = ::GetDlgItem(chooser, cmb3);
  const auto selected = ::SendMessageA(sizes, CB_GETCURSEL, 0, 0);
  ASSERT_NE(selected, CB_ERR);
  EXPECT_EQ(::SendMessageA(sizes, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0), 20);
  char shownFace[LF_FACESIZE + 1] = "";
  ::GetWindowTextA(::GetDlgItem(chooser, cmb1), shownFace, sizeof shownFace);
  EXPECT_EQ(shownFace, face);
  Press(chooser, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));
}

}  // namespace
