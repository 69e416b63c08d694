// The hyperlink control on a real dialog: what attaching does, hovering,
// painting, the looks, the tooltip, the hand cursor and the click.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>

#include "Framework.h"
#include "Link.h"
#include "LinkProbe.h"
#include "WaitUntil.h"
#include "AboutBoxIds.h"

namespace {

constexpr UINT kRunOnDialogThread = WM_APP + 1;

// The About box's template with two links of the test's own: the home-page
// item as constructed, the mail item with a look, a target and a tooltip
// given before attaching.
class LinkHost : public CDialog {
public:
  LinkHost() : CDialog(IDD_ABOUTBOX) {
    m_mail.SetLinkStyle(5);
    m_mail.SetURL("set before attaching");
    m_mail.SetToolTipText("set before attaching");
  }

  CLink m_home;
  CLink m_mail;

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_LINK_HOME, m_home);
    DDX_Control(pDX, IDC_LINK_MAIL, m_mail);
  }

  LRESULT OnRunOnDialogThread(WPARAM, LPARAM work) {
    (*reinterpret_cast<const std::function<void()>*>(work))();
    return 0;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LinkHost, CDialog)
  ON_MESSAGE(kRunOnDialogThread, OnRunOnDialogThread)
END_MESSAGE_MAP()

// Counts the timer messages that a window's thread takes from its queue for
// the window: each is one poll of a hovered link.
class TimerTicks {
public:
  TimerTicks(DWORD threadId, HWND window) {
    s_window = window;
    s_count = 0;
    m_hook = ::SetWindowsHookExA(WH_GETMESSAGE, &Watch, nullptr, threadId);
  }
  ~TimerTicks() {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
  }
  TimerTicks(const TimerTicks&) = delete;
  TimerTicks& operator=(const TimerTicks&) = delete;

  bool Installed() const { return m_hook != nullptr; }
  int Count() const { return s_count; }

private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == s_window && msg->message == WM_TIMER) ++s_count;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::atomic<HWND> s_window{};
  static inline std::atomic<int> s_count{};
  HHOOK m_hook;
};

struct Colours {
  COLORREF text;
  int backgroundMode;
  bool hollowBrush;
};

class Link : public ::testing::Test {
protected:
  void SetUp() override {
    MoveAway();
    ASSERT_NE(dlg.Window(), nullptr) << "the dialog did not appear";
    ASSERT_NE(host.load(), nullptr);
    home = dlg.Item(IDC_LINK_HOME);
    mail = dlg.Item(IDC_LINK_MAIL);
    ForgetShellCalls();
  }
  void TearDown() override { MoveAway(); }

  // Links belong to the dialog's thread; what changes them runs there.
  void OnDialogThread(const std::function<void(LinkHost&)>& work) {
    const std::function<void()> call = [&] { work(*host.load()); };
    ::SendMessageA(dlg.Window(), kRunOnDialogThread, 0, reinterpret_cast<LPARAM>(&call));
  }

  // What the link asks its parent to paint its text with.
  Colours ColoursOf(HWND link) {
    PaintProbe probe(link);
    const auto brush = ::SendMessageA(dlg.Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(probe.Dc()),
                                      reinterpret_cast<LPARAM>(link));
    return {::GetTextColor(probe.Dc()), ::GetBkMode(probe.Dc()),
            reinterpret_cast<HGDIOBJ>(brush) == ::GetStockObject(NULL_BRUSH)};
  }

  // Hovering shows a font of its own; the handle tells which one is shown.
  bool HoverOver(HWND link, HFONT normal) {
    MovePointerTo(link);
    return WaitUntil([&] { return ShownFont(link) != normal; });
  }

  static void MoveAway() {
    MovePointerTo(POINT{::GetSystemMetrics(SM_CXSCREEN) - 20, ::GetSystemMetrics(SM_CYSCREEN) - 20});
  }

  std::atomic<LinkHost*> host{nullptr};
  ModalThread dlg{[this] {
    LinkHost dialog;
    host = &dialog;
    return dialog.DoModal();
  }};
  HWND home = nullptr;
  HWND mail = nullptr;
};

TEST_F(Link, AttachingTakesClicksAndBuildsTooltipAndTargetFromTheCaption) {
  for (HWND link : {home, mail}) {
    EXPECT_TRUE(::GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY) << WindowText(link);
  }
  EXPECT_EQ(ToolTipTextFor(home), "Go to Home page");
  // Set before attaching, and gone: attaching replaced both.
  EXPECT_EQ(ToolTipTextFor(mail), "Go to eMail");

  ClickOn(mail);
  const auto call = WaitForShellCall();
  ASSERT_TRUE(call) << "the click reached no shell call";
  EXPECT_EQ(call->file, "eMail");
  EXPECT_EQ(call->verb, "open");
  EXPECT_EQ(call->owner, nullptr);
  EXPECT_FALSE(call->hasParameters);
  EXPECT_FALSE(call->hasDirectory);
  EXPECT_EQ(call->show, SW_SHOW);
}

// The mail link's look was chosen before it had a window: attaching builds
// its fonts from that look.
TEST_F(Link, ShowsACopyOfTheDialogFontUnderlinedAsItsLookSays) {
  const HFONT dialogFont = ShownFont(dlg.Item(IDOK));
  struct Expected {
    HWND link;
    BYTE underline;
    COLORREF text;
  };
  for (const Expected& e : {Expected{home, 0, RGB(50, 50, 200)}, Expected{mail, 1, RGB(50, 50, 150)}}) {
    SCOPED_TRACE(WindowText(e.link));
    const HFONT shown = ShownFont(e.link);
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown, dialogFont) << "the link must own the font it shows";
    const LOGFONTA expected = FontDescription(dialogFont);
    const LOGFONTA actual = FontDescription(shown);
    EXPECT_STREQ(actual.lfFaceName, expected.lfFaceName);
    EXPECT_EQ(actual.lfHeight, expected.lfHeight);
    EXPECT_EQ(actual.lfWeight, expected.lfWeight);
    EXPECT_EQ(actual.lfUnderline, e.underline);
    EXPECT_EQ(ColoursOf(e.link).text, e.text) << DescribeColour(ColoursOf(e.link).text);
  }
}

TEST_F(Link, TextAndTargetGivenAfterAttachingReplaceTheCaptions) {
  OnDialogThread([](LinkHost& h) {
    h.m_home.SetToolTipText("Our web site");
    h.m_home.SetURL("http://quillbright.example/tallywise");
    h.m_mail.SetToolTipText(nullptr);
    h.m_mail.SetURL(nullptr);
  });
  EXPECT_EQ(ToolTipTextFor(home), "Our web site");
  EXPECT_EQ(ToolTipTextFor(mail), "");

  ClickOn(home);
  auto call = WaitForShellCall();
  ASSERT_TRUE(call);
  EXPECT_EQ(call->file, "http://quillbright.example/tallywise");

  ForgetShellCalls();
  ClickOn(mail);
  call = WaitForShellCall();
  ASSERT_TRUE(call);
  EXPECT_EQ(call->file, "");
}

TEST_F(Link, HoverLastsWhileThePointerStaysAndEndsSoonAfterItLeaves) {
  const HFONT normal = ShownFont(home);
  const LOGFONTA normalLook = FontDescription(normal);
  EXPECT_EQ(ColoursOf(home).text, RGB(50, 50, 200));

  ASSERT_TRUE(HoverOver(home, normal)) << "moving onto the link did not switch to the hover font";
  const HFONT hover = ShownFont(home);
  const LOGFONTA hoverLook = FontDescription(hover);
  // The program's look: only the colours change.
  EXPECT_STREQ(hoverLook.lfFaceName, normalLook.lfFaceName);
  EXPECT_EQ(hoverLook.lfHeight, normalLook.lfHeight);
  EXPECT_EQ(hoverLook.lfUnderline, normalLook.lfUnderline);
  EXPECT_EQ(ColoursOf(home).text, RGB(50, 50, 50));

  // Several polls find the pointer still there; the next message the window
  // answers comes after the last of them has been handled.
  TimerTicks ticks(dlg.ThreadId(), home);
  ASSERT_TRUE(ticks.Installed());
  ASSERT_TRUE(WaitUntil([&] { return ticks.Count() >= 4; })) << "the link stopped polling the pointer";
  ::SendMessageA(home, WM_NULL, 0, 0);
  EXPECT_EQ(ShownFont(home), hover);
  EXPECT_EQ(ColoursOf(home).text, RGB(50, 50, 50));

  MoveAway();
  EXPECT_TRUE(WaitUntil([&] { return ShownFont(home) == normal; })) << "leaving the link was not noticed";
  EXPECT_EQ(ColoursOf(home).text, RGB(50, 50, 200));
}

TEST_F(Link, PaintsTextOverItsOwnBackgroundInTheColoursOfItsState) {
  const Colours colours = ColoursOf(home);
  EXPECT_TRUE(colours.hollowBrush) << "the parent would paint over the link's background";
  EXPECT_EQ(colours.backgroundMode, TRANSPARENT);

  PaintProbe probe(home);
  const int midX = probe.Width() / 2;
  const int midY = probe.Height() / 2;
  ::SendMessageA(home, WM_ERASEBKGND, reinterpret_cast<WPARAM>(probe.Dc()), 0);
  EXPECT_EQ(probe.Pixel(midX, midY), ::GetSysColor(COLOR_BTNFACE)) << DescribeColour(probe.Pixel(midX, midY));
  EXPECT_EQ(probe.Pixel(0, 0), ::GetSysColor(COLOR_BTNFACE)) << DescribeColour(probe.Pixel(0, 0));

  const HFONT normal = ShownFont(home);
  ASSERT_TRUE(HoverOver(home, normal));
  ::SendMessageA(home, WM_ERASEBKGND, reinterpret_cast<WPARAM>(probe.Dc()), 0);
  EXPECT_EQ(probe.Pixel(midX, midY), RGB(180, 190, 220)) << DescribeColour(probe.Pixel(midX, midY));
  EXPECT_EQ(probe.Pixel(0, 0), RGB(180, 190, 220))
      << "no frame in the program's look: " << DescribeColour(probe.Pixel(0, 0));
}

TEST_F(Link, AFramedLookFramesTheHoveredLink) {
  OnDialogThread([](LinkHost& h) { h.m_home.SetLinkStyle(1); });
  const HFONT normal = ShownFont(home);
  ASSERT_TRUE(HoverOver(home, normal));

  PaintProbe probe(home);
  ::SendMessageA(home, WM_ERASEBKGND, reinterpret_cast<WPARAM>(probe.Dc()), 0);
  const int right = probe.Width() - 1;
  const int bottom = probe.Height() - 1;
  for (POINT edge : {POINT{0, 0}, POINT{right, 0}, POINT{0, bottom}, POINT{right, bottom}, POINT{right / 2, 0}}) {
    EXPECT_EQ(probe.Pixel(edge.x, edge.y), RGB(50, 50, 150))
        << edge.x << "," << edge.y << ": " << DescribeColour(probe.Pixel(edge.x, edge.y));
  }
  EXPECT_EQ(probe.Pixel(right / 2, bottom / 2), RGB(180, 190, 220));
  EXPECT_EQ(probe.Pixel(1, 1), RGB(180, 190, 220)) << "the frame is one pixel wide";
  EXPECT_EQ(ColoursOf(home).text, RGB(50, 50, 150));
}

TEST_F(Link, LooksWithUnderlineShowTheirFontsAtOnce) {
  const HFONT before = ShownFont(home);
  OnDialogThread([](LinkHost& h) { h.m_home.SetLinkStyle(4); });
  const HFONT normal = ShownFont(home);
  EXPECT_NE(normal, before);
  EXPECT_EQ(FontDescription(normal).lfUnderline, 1) << "style 4 underlines the link at rest";
  EXPECT_EQ(ColoursOf(home).text, RGB(50, 50, 150));

  ASSERT_TRUE(HoverOver(home, normal));
  EXPECT_EQ(FontDescription(ShownFont(home)).lfUnderline, 0) << "and not while hovered";
  EXPECT_EQ(ColoursOf(home).text, RGB(250, 10, 10));

  // A number beyond the looks keeps colours and underlines, leaves the hover
  // state and builds the fonts anew.
  PaintProbe probe(home);
  COLORREF textAfter = 0;
  HFONT shownAfter = nullptr;
  OnDialogThread([&](LinkHost& h) {
    h.m_home.SetLinkStyle(9);
    shownAfter = ShownFont(home);
    ::SendMessageA(h.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(probe.Dc()), reinterpret_cast<LPARAM>(home));
    textAfter = ::GetTextColor(probe.Dc());
  });
  EXPECT_NE(shownAfter, normal) << "the normal font was not built anew";
  EXPECT_EQ(FontDescription(shownAfter).lfUnderline, 1);
  EXPECT_EQ(textAfter, RGB(50, 50, 150)) << DescribeColour(textAfter);
}

// Rebuilding the font on screen hands the new one over before the old one is
// deleted, at rest and while hovered alike.
TEST_F(Link, RebuildingTheShownFontNeverLeavesADeletedOneOnScreen) {
  const HFONT normal = ShownFont(home);
  OnDialogThread([](LinkHost& h) { h.m_home.RebuildNormalFont(TRUE); });
  const HFONT rebuilt = ShownFont(home);
  EXPECT_EQ(::GetObjectType(normal), 0u) << "the replaced font was not deleted";
  EXPECT_EQ(::GetObjectType(rebuilt), static_cast<DWORD>(OBJ_FONT)) << "the link shows a deleted font";
  EXPECT_EQ(FontDescription(rebuilt).lfUnderline, 1);

  ASSERT_TRUE(HoverOver(home, rebuilt));
  const HFONT hover = ShownFont(home);
  OnDialogThread([](LinkHost& h) { h.m_home.RebuildHoverFont(TRUE); });
  EXPECT_EQ(::GetObjectType(hover), 0u) << "the replaced hover font was not deleted";
  EXPECT_EQ(::GetObjectType(ShownFont(home)), static_cast<DWORD>(OBJ_FONT)) << "the hovered link shows a deleted font";
}

TEST_F(Link, TooltipAppearsForThePointerOverTheLink) {
  const HWND tip = ToolTipFor(home);
  ASSERT_NE(tip, nullptr);
  EXPECT_FALSE(::IsWindowVisible(tip));
  MovePointerTo(home);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(tip); })) << "the tooltip heard nothing of the pointer";
}

// The hand comes from the system's help program; where that has none (as
// under Wine) the link leaves the cursor to the system.
TEST_F(Link, TakesOverTheCursorOnlyWithAHandToShow) {
  char directory[MAX_PATH] = "";
  ::GetWindowsDirectoryA(directory, MAX_PATH);
  const std::string helpProgram = std::string(directory) + "\\winhlp32.exe";
  const HMODULE help = ::LoadLibraryExA(helpProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const bool hasHand = help && ::FindResourceA(help, MAKEINTRESOURCEA(106), MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */);
  if (help) ::FreeLibrary(help);

  const HFONT normal = ShownFont(home);
  ASSERT_TRUE(HoverOver(home, normal));
  const LRESULT taken =
      ::SendMessageA(home, WM_SETCURSOR, reinterpret_cast<WPARAM>(home), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(taken != 0, hasHand);
}

}  // namespace
