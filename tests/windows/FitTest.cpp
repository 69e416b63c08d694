// Every text of every language fits the control that shows it, measured with
// the control's own font at the screen's scale (the test runs at 100 % and at
// 150 %, each in a prefix of its own): the Result button, each prompt in the
// result field, and the words of the About box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "AboutBox.h"
#include "AboutBoxIds.h"
#include "DataFile.h"
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

}  // namespace
