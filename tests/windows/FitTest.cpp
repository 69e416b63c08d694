// Every text of every language fits the control that shows it, measured with
// the control's own font at the screen's scale (the test runs at 100 % and at
// 150 %, each in a prefix of its own): the Result button, each prompt in the
// result field, the words of the About box, and the list of keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AboutBox.h"
#include "AboutBoxIds.h"
#include "DataFile.h"
#include "KeysDialogIds.h"
#include "RunningDialog.h"
#include "TallywiseDlgIds.h"
#include "TextIds.h"
#include "UiLanguage.h"
#include "WindowToolkit.h"

namespace {

// An access key's & is not drawn.
std::wstring AsDrawn(std::wstring text) {
  for (size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 1))
    text.erase(at, 1);
  return text;
}

int TextWidth(HWND control, const std::wstring& text) {
  const HDC dc = ::GetDC(control);
  const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return size.cx;
}

// The width the control draws its text in: a button keeps its edges and a
// little room inside them, a field its margins.
int Room(HWND control) {
  RECT client{};
  ::GetClientRect(control, &client);
  const int dpi = static_cast<int>(::GetDeviceCaps(::GetDC(nullptr), LOGPIXELSY));
  if (ClassName(control) == "Button") return client.right - 2 * ::MulDiv(4, dpi, 96);
  if (ClassName(control) == "Edit") {
    const auto margins = static_cast<DWORD>(::SendMessageW(control, EM_GETMARGINS, 0, 0));
    return client.right - LOWORD(margins) - HIWORD(margins) - 1;
  }
  return client.right;
}

void ExpectFits(HWND control, const std::wstring& text, const UiLanguage& language) {
  const std::wstring drawn = AsDrawn(text);
  EXPECT_LE(TextWidth(control, drawn), Room(control))
      << language.tag << ": \"" << Utf8FromWide(drawn) << "\" is wider than its control";
}

HWND ChildStartingWith(HWND parent, const std::string& start) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child).starts_with(start)) return child;
  }
  return nullptr;
}

// A row's text in one column of a list view of this process.
std::wstring ItemText(HWND list, int item, int column) {
  std::vector<wchar_t> text(512, L'\0');
  LVITEMW lv{};
  lv.iSubItem = column;
  lv.pszText = text.data();
  lv.cchTextMax = static_cast<int>(text.size());
  ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return text.data();
}

// The visible dialog of a thread other than `besides`, or null.
HWND OtherDialogOfThread(DWORD threadId, HWND besides) {
  HWND found = nullptr;
  ForEachThreadWindow(threadId, [&](HWND hWnd) {
    if (hWnd == besides || ClassName(hWnd) != "#32770" || !::IsWindowVisible(hWnd)) return true;
    found = hWnd;
    return false;
  });
  return found;
}

constexpr UINT kPrompts[] = {IDS_PROMPT_ENTER,        IDS_PROMPT_PASTE_NUMBER,  IDS_PROMPT_PASTE_OPERATOR,
                             IDS_PROMPT_TOGETHER,     IDS_PROMPT_UNKNOWN,       IDS_PROMPT_MISSING_OPEN,
                             IDS_PROMPT_MISSING_CLOSE, IDS_PROMPT_MISSING_BOTH, IDS_PROMPT_TOO_LONG};

class Fit : public testing::Test {
protected:
  void TearDown() override { UseUiLanguage("en"); }
  FirstRun m_firstRun;
};

TEST_F(Fit, EveryLanguageFitsTheMainWindow) {
  RunningDialog dialog;
  ASSERT_NE(dialog.Window(), nullptr);
  for (const UiLanguage& language : UiLanguages()) {
    UseUiLanguage(language.tag);
    ExpectFits(dialog.Item(IDC_RESULT_BUTTON), LoadText(IDS_RESULT_BUTTON), language);
    for (const UINT prompt : kPrompts)
      ExpectFits(dialog.Item(IDC_RESULT), FormatText(LoadText(prompt), {L"W", L"W"}), language);
  }
}

TEST_F(Fit, EveryLanguageFitsTheAboutBox) {
  ModalThread about([] {
    CAboutBox box;
    return box.DoModal();
  });
  ASSERT_NE(about.Window(), nullptr);
  const HWND version = ChildStartingWith(about.Window(), " Tallywise");
  ASSERT_NE(version, nullptr);
  for (const UiLanguage& language : UiLanguages()) {
    UseUiLanguage(language.tag);
    ExpectFits(version, FormatText(LoadText(IDS_ABOUT_VERSION), {L"10.10.10"}), language);
    ExpectFits(about.Item(IDOK), LoadText(IDS_ABOUT_OK), language);
    ExpectFits(about.Item(IDC_LINK_HOME), LoadText(IDS_ABOUT_HOME), language);
    ExpectFits(about.Item(IDC_LINK_MAIL), LoadText(IDS_ABOUT_MAIL), language);
  }
}

// The list of keys, opened from the window's menu in each language, the
// window's entries named in it too: every row shows whole, without scrolling
// sideways, in the widths the list itself asks for each column.
TEST_F(Fit, EveryLanguageFitsTheListOfKeys) {
  RunningDialog dialog;
  ASSERT_NE(dialog.Window(), nullptr);
  const auto languages = UiLanguages();
  for (size_t index = 0; index < languages.size(); ++index) {
    const UiLanguage& language = languages[index];
    ::SendMessageA(dialog.Window(), WM_SYSCOMMAND, IDM_LANGUAGE_FIRST + 16 * (index + 1), 0);
    ::PostMessageA(dialog.Window(), WM_SYSCOMMAND, IDM_KEYS, 0);
    HWND keys = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (keys = OtherDialogOfThread(dialog.ThreadId(), dialog.Window())) != nullptr; }))
        << language.tag << ": the list of keys did not open";
    const HWND list = ::GetDlgItem(keys, IDC_KEYS_LIST);
    for (int column = 0; column < 2; ++column)
      ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE);
    const int keysWidth = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    const int actionWidth = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0));
    RECT client{};
    ::GetClientRect(list, &client);
    int widest = 0;
    const auto rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 1; row < rows; ++row) {
      const auto width = [&](int at) {
        const std::wstring text = ItemText(list, at, 1);
        return ::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()));
      };
      if (width(row) > width(widest)) widest = row;
    }
    EXPECT_LE(keysWidth + actionWidth, client.right)
        << language.tag << ": the rows need " << keysWidth << " + " << actionWidth << " pixels, the list has "
        << client.right << "; the widest: \"" << Utf8FromWide(ItemText(list, widest, 0)) << "\" \""
        << Utf8FromWide(ItemText(list, widest, 1)) << "\"";
    ExpectFits(::GetDlgItem(keys, IDOK), LoadText(IDS_KEYS_CLOSE), language);
    ::PostMessageA(keys, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(keys); })) << language.tag;
  }
}

}  // namespace
