// The About box as the user meets it: its look, where its links lead and
// what their tooltips say, and the keys that close it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "AboutBox.h"
#include "LinkProbe.h"
#include "AboutBoxIds.h"
#include "TallywiseVersion.h"

namespace {

HWND ChildWithText(HWND dialog, const char* text) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == text) return child;
  }
  return nullptr;
}

class AboutBox : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(dlg.Window(), nullptr) << "the About box did not appear";
    ForgetShellCalls();
  }

  ModalThread dlg{[] {
    CAboutBox box;
    return box.DoModal();
  }};
};

TEST_F(AboutBox, HasItsTitleFrameAndSize) {
  EXPECT_EQ(WindowText(dlg.Window()), "About Tallywise");
  const DWORD style = static_cast<DWORD>(::GetWindowLongA(dlg.Window(), GWL_STYLE));
  for (DWORD wanted : {DWORD{WS_POPUP}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{DS_MODALFRAME}}) {
    EXPECT_EQ(style & wanted, wanted) << std::hex << "style " << wanted;
  }
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
  RECT client;
  ::GetClientRect(dlg.Window(), &client);
  const RECT designed = DialogUnits(dlg.Window(), {0, 0, 236, 58});
  EXPECT_EQ(client.right, designed.right);
  EXPECT_EQ(client.bottom, designed.bottom);
}

TEST_F(AboutBox, ShowsIconNameVersionNoticeButtonAndLinksAsDesigned) {
  struct Item {
    int id;
    const char* text;
    const char* className;
    RECT units;  // left, top, width, height
    LONG styles;
    LONG absentStyles;
  };
  const Item items[] = {
      {-1, " Tallywise Version " TALLYWISE_VERSION_TEXT, "Static", {40, 10, 119, 8}, WS_GROUP | SS_NOPREFIX, WS_TABSTOP},
      {-1, "Copyright (C) 2026 Quillbright", "Static", {42, 23, 141, 8}, WS_GROUP, WS_TABSTOP | SS_CENTER | SS_RIGHT},
      {IDOK, "OK", "Button", {179, 7, 50, 16}, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0},
      // Tab stops, so that they can be opened without the mouse.
      {IDC_LINK_HOME, "Home page", "Static", {42, 38, 60, 13}, WS_TABSTOP | WS_GROUP | SS_CENTER | SS_CENTERIMAGE, 0},
      {IDC_LINK_MAIL, "eMail", "Static", {111, 38, 57, 13}, WS_TABSTOP | WS_GROUP | SS_CENTER | SS_CENTERIMAGE, 0},
  };
  for (const Item& item : items) {
    SCOPED_TRACE(item.text);
    const HWND control = item.id == -1 ? ChildWithText(dlg.Window(), item.text) : dlg.Item(item.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(WindowText(control), item.text);
    EXPECT_EQ(ClassName(control), item.className);
    const RECT at = PlaceInDialog(control, dlg.Window());
    const RECT designed = DialogUnits(dlg.Window(), item.units);
    EXPECT_EQ(at.left, designed.left);
    EXPECT_EQ(at.top, designed.top);
    EXPECT_EQ(at.right, designed.right);
    EXPECT_EQ(at.bottom, designed.bottom);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ(style & item.styles, item.styles) << std::hex << style;
    EXPECT_EQ(style & item.absentStyles, 0) << std::hex << style;
  }

  const HWND icon = ::GetWindow(dlg.Window(), GW_CHILD);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(::GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
  EXPECT_NE(::SendMessageA(icon, STM_GETICON, 0, 0), 0) << "the program icon is missing";
  EXPECT_EQ(PlaceInDialog(icon, dlg.Window()).left, DialogUnits(dlg.Window(), {12, 15, 20, 20}).left);
}

// The notice is meant to be read on its one line.
TEST_F(AboutBox, LegalNoticeFitsOnItsLine) {
  const HWND notice = ChildWithText(dlg.Window(), "Copyright (C) 2026 Quillbright");
  ASSERT_NE(notice, nullptr);
  RECT client;
  ::GetClientRect(notice, &client);
  const HDC dc = ::GetDC(notice);
  const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(notice, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, client.right, 0};
  ::DrawTextA(dc, "Copyright (C) 2026 Quillbright", -1, &needed, DT_CALCRECT | DT_WORDBREAK);
  ::SelectObject(dc, old);
  ::ReleaseDC(notice, dc);
  EXPECT_LE(needed.right, client.right);
  EXPECT_LE(needed.bottom, client.bottom) << "the notice wraps onto a second line";
}

TEST_F(AboutBox, LinksExplainThemselvesAndLeadToTheMaker) {
  EXPECT_EQ(ToolTipTextFor(dlg.Item(IDC_LINK_MAIL)), "Say, what do you think about this calculator?");
  EXPECT_EQ(ToolTipTextFor(dlg.Item(IDC_LINK_HOME)), "More programs on quillbright.example");

  struct Target {
    int id;
    const char* file;
  };
  for (const Target& target : {Target{IDC_LINK_MAIL, "mailto:support@quillbright.example"},
                               Target{IDC_LINK_HOME, "http://quillbright.example"}}) {
    ForgetShellCalls();
    ClickOn(dlg.Item(target.id));
    const auto call = WaitForShellCall();
    ASSERT_TRUE(call) << target.file;
    EXPECT_EQ(call->file, target.file);
    EXPECT_EQ(call->verb, "open");
  }
  EXPECT_EQ(::IsWindow(dlg.Window()), TRUE) << "a click on a link closed the box";
}

TEST_F(AboutBox, StartsWithTheFocusOnOk) { EXPECT_EQ(FocusOfThread(dlg.ThreadId()), dlg.Item(IDOK)); }

TEST_F(AboutBox, EnterClosesItWithOk) {
  PostKey(FocusOfThread(dlg.ThreadId()), VK_RETURN);
  ASSERT_TRUE(dlg.WaitForEnd());
  EXPECT_EQ(dlg.Result(), IDOK);
}

TEST_F(AboutBox, EscapeClosesIt) {
  PostKey(FocusOfThread(dlg.ThreadId()), VK_ESCAPE);
  ASSERT_TRUE(dlg.WaitForEnd());
  EXPECT_EQ(dlg.Result(), IDCANCEL);
}

TEST_F(AboutBox, TheCaptionsCloseBoxClosesIt) {
  ::PostMessageA(dlg.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(dlg.WaitForEnd());
  EXPECT_EQ(dlg.Result(), IDCANCEL);
}

}  // namespace
