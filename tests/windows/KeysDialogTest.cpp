// The list of keys: opened from the system menu, naming every key and every
// entry the program adds to that menu, closed with Escape or Enter, and drawn
// dark in the dark mode. F1 still opens nothing.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ios>
#include <string>
#include <vector>

#include "AppsMode.h"
#include "DarkLook.h"
#include "MainDialogTest.h"
#include "TallywiseDlgIds.h"
#include "WindowToolkit.h"

namespace {

std::string ItemText(HWND list, int item, int column) {
  char text[256] = "";
  LVITEMA lv{};
  lv.iSubItem = column;
  lv.pszText = text;
  lv.cchTextMax = sizeof text;
  ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return text;
}

class KeysDialog : public MainDialogTest {
protected:
  HWND Open() {
    ::PostMessageA(m_dialog->Window(), WM_SYSCOMMAND, IDM_KEYS, 0);
    HWND keys = nullptr;
    WaitUntil([&] { return (keys = FindDialogOfThread(m_dialog->ThreadId(), "Keys")) != nullptr; });
    return keys;
  }
  // Each row as "key: action".
  std::vector<std::string> Rows(HWND keys) const {
    const HWND list = ::GetDlgItem(keys, 1020);
    std::vector<std::string> rows;
    const auto count = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
      rows.push_back(ItemText(list, i, 0) + ": " + ItemText(list, i, 1));
    return rows;
  }
};

TEST_F(KeysDialog, ListsEveryKeyAndMenuEntryAndClosesWithEscapeOrEnter) {
  const struct {
    const char* row;
    // clang-format off
  } expected[] = {
      {"Enter: Show the result of the expression"},
      {"Alt+R: Show the result, from any control"},
      {"Up, Down: Bring back earlier expressions, and go forward again"},
      {"Page Up, Page Down: One decimal place more or fewer"},
      {"Ctrl+C: Copy the result, when nothing is selected in the expression"},
      {"Escape: Close the window without saving its place, font and decimal places"},
      {"Alt+Space, A: About Tallywise"},
      {"Alt+Space, F: Font"},
      {"Alt+Space, H: Clear History"},
      {"Alt+Space, L: Live Result"},
      {"Alt+Space, G: Digit Grouping"},
      {"Alt+Space, K: Keys"},
      {"Alt+Space, X: Exact Arithmetic"},
      {"Alt+Space, U: Language"},
  };
  // clang-format on
  for (const WORD key : {WORD{VK_ESCAPE}, WORD{VK_RETURN}}) {
    const HWND keys = Open();
    ASSERT_NE(keys, nullptr) << "the list did not open";
    const std::vector<std::string> rows = Rows(keys);
    for (const auto& e : expected)
      EXPECT_NE(std::find(rows.begin(), rows.end(), e.row), rows.end()) << e.row;
    EXPECT_EQ(::GetWindow(keys, GW_OWNER), m_dialog->Window());
    PostKey(::GetDlgItem(keys, 1020), key);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(keys); })) << "key " << key << " did not close the list";
  }
}

TEST_F(KeysDialog, F1StillOpensNothing) {
  PostKey(Expression(), VK_F1);
  ::SendMessageA(m_dialog->Window(), WM_NULL, 0, 0);
  EXPECT_EQ(FindDialogOfThread(m_dialog->ThreadId(), "Keys"), nullptr);
}

TEST(KeysDialogDark, ListGroundAndButtonAreDarkInTheDarkMode) {
  const AppsMode mode;
  AppsMode::Set(true);
  const FirstRun firstRun;
  RunningDialog main;
  ::PostMessageA(main.Window(), WM_SYSCOMMAND, IDM_KEYS, 0);
  HWND keys = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (keys = FindDialogOfThread(main.ThreadId(), "Keys")) != nullptr; }));
  const HWND list = ::GetDlgItem(keys, 1020);
  EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), kDarkPalette.field);
  EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)), kDarkPalette.text);
  RECT client;
  ::GetClientRect(keys, &client);
  ::RedrawWindow(keys, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const HDC dc = ::GetDC(keys);
  EXPECT_EQ(::GetPixel(dc, 2, client.bottom - 2), kDarkPalette.window) << "the dialog's ground";
  ::ReleaseDC(keys, dc);
  const HWND close = ::GetDlgItem(keys, IDOK);
  COLORREF face = 0;
  EXPECT_TRUE(WaitUntil([&] {
    ::RedrawWindow(close, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC closeDc = ::GetDC(close);
    face = ::GetPixel(closeDc, 2, 2);
    ::ReleaseDC(close, closeDc);
    return face == kDarkPalette.face || face == kDarkPalette.faceHot;
  })) << "the Close button's face is "
      << std::hex << face;
  ::PostMessageA(keys, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(keys); }));
}

}  // namespace
