// The main window and the About box at the screen scale of the test's prefix
// (100 %, 150 % or 200 %; CTest runs this program once in a prefix of each):
// the fonts and icons made for that scale, the settings file unchanged by
// it, and a move to a monitor of another scale.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "AboutBox.h"
#include "StoredRun.h"

namespace {

// The scale the prefix's screen was given; 96 when it was given none.
UINT PrefixDpi() {
  DWORD dpi = 0;
  DWORD size = sizeof dpi;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", RRF_RT_REG_DWORD, nullptr, &dpi,
                     &size) != ERROR_SUCCESS) {
    return 96;
  }
  return dpi;
}

// What Windows gives at each scale: the caption's small and big icon, and the
// pin drawn 16 pixels square at 100 %.
struct IconSizes {
  UINT dpi;
  int smallIcon, bigIcon, pin;
};
constexpr IconSizes kIconSizes[] = {{96, 16, 32, 16}, {144, 24, 48, 24}, {192, 32, 64, 32}};

IconSizes IconSizesAt(UINT dpi) {
  for (const IconSizes& sizes : kIconSizes) {
    if (sizes.dpi == dpi) return sizes;
  }
  ADD_FAILURE() << "no icon sizes for " << dpi << " DPI";
  return {};
}

// A length in pixels at 96 DPI at another scale.
int LengthAt(int heightAt96, UINT dpi) { return ::MulDiv(heightAt96, static_cast<int>(dpi), 96); }

HICON CaptionIcon(HWND window, WPARAM which) {
  return reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, which, 0));
}

class DisplayScale : public StoredRun {
protected:
  void SetUp() override {
    StoredRun::SetUp();
    m_dpi = PrefixDpi();
  }

  HFONT FieldFont() const { return ShownFont(Item(IDC_EXPRESSION)); }

  // The point size the font chooser shows when it opens.
  int ChooserPointSize() {
    ::PostMessageA(Window(), WM_SYSCOMMAND, IDM_FONT, 0);
    HWND chooser = nullptr;
    if (!WaitUntil([&] { return (chooser = FindDialogOfThread(m_dlg->ThreadId(), "Font")) != nullptr; })) return -1;
    const int points = std::atoi(WindowText(::GetDlgItem(chooser, cmb3)).c_str());
    ::PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));
    return points;
  }

  UINT m_dpi = 96;
};

TEST_F(DisplayScale, TheProgramDrawsItselfAtTheScreensScale) {
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  EXPECT_TRUE(::IsProcessDPIAware()) << "the manifest declares no DPI awareness";
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSY)), m_dpi) << "the prefix's scale is not in effect";
  ::ReleaseDC(nullptr, screen);
  // Laid out as the template says, in dialog units of the scaled dialog font.
  RECT client;
  ::GetClientRect(Window(), &client);
  EXPECT_EQ(client.right, DialogUnits(Window(), {0, 0, 286, 50}).right);
  EXPECT_EQ(client.bottom, DialogUnits(Window(), {0, 0, 286, 50}).bottom);
}

// The file keeps heights at 96 DPI; the fields show them at the screen's scale,
// and the chooser shows the same size in points as at 100 %.
TEST_F(DisplayScale, FieldsShowTheStoredFontAtTheScreensScale) {
  const struct {
    std::optional<std::string> file;
    int heightAt96;
    int points;
  } cases[] = {{std::nullopt, -15, 11}, {"%0.3f\r\n300\r\n300\r\n-20\r\n700\r\n1\r\nCourier New\r\n0\r\n", -20, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heightAt96);
    ASSERT_NO_FATAL_FAILURE(Start(c.file));
    const LOGFONTA shown = FontDescription(FieldFont());
    EXPECT_EQ(shown.lfHeight, LengthAt(c.heightAt96, m_dpi));
    EXPECT_EQ(ShownFont(Item(IDC_RESULT)), FieldFont());
    // Nothing of the text is cut off by the field's edges.
    TEXTMETRICA metrics{};
    const HDC dc = ::GetDC(Item(IDC_EXPRESSION));
    const HGDIOBJ old = ::SelectObject(dc, FieldFont());
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(Item(IDC_EXPRESSION), dc);
    RECT field;
    ::GetClientRect(Item(IDC_EXPRESSION), &field);
    EXPECT_LE(metrics.tmHeight, field.bottom);
    EXPECT_EQ(ChooserPointSize(), c.points);
  }
}

// What the fields and the window measure with the font shown.
struct FieldFit {
  int textHeight;           // the font's full line height
  int fieldBorder;          // the field's own edge, outside its client area
  RECT expression, result;  // in the window's client area
  RECT resultButton, pin, precision;
  RECT exactMark;  // placed while hidden too
  int clientHeight;
};

FieldFit MeasureFit(HWND window) {
  FieldFit fit{};
  const HWND expression = ::GetDlgItem(window, IDC_EXPRESSION);
  TEXTMETRICA metrics{};
  const HDC dc = ::GetDC(expression);
  const HGDIOBJ old = ::SelectObject(dc, ShownFont(expression));
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(expression, dc);
  fit.textHeight = metrics.tmHeight;
  RECT inner;
  ::GetClientRect(expression, &inner);
  fit.expression = PlaceInDialog(expression, window);
  fit.fieldBorder = (fit.expression.bottom - fit.expression.top) - inner.bottom;
  fit.result = PlaceInDialog(::GetDlgItem(window, IDC_RESULT), window);
  fit.resultButton = PlaceInDialog(::GetDlgItem(window, IDC_RESULT_BUTTON), window);
  fit.pin = PlaceInDialog(::GetDlgItem(window, IDC_TOPMOST), window);
  fit.precision = PlaceInDialog(::GetDlgItem(window, IDC_PRECISION), window);
  fit.exactMark = PlaceInDialog(::GetDlgItem(window, IDC_EXACT_MARK), window);
  RECT client;
  ::GetClientRect(window, &client);
  fit.clientHeight = client.bottom;
  return fit;
}

int HeightOf(const RECT& rect) { return rect.bottom - rect.top; }

// Level with the field, give or take the pixel that the template's rounding
// leaves at some scales.
bool Beside(const RECT& control, const RECT& field) {
  return control.top >= field.top - 1 && control.bottom <= field.bottom + 1;
}

// The fields take the height their font needs, never less than the template
// gives them, and the window grows with them and shrinks back: at 100 % the
// file's -15 fits the template, -40 (30 points) does not.
TEST_F(DisplayScale, FieldsAndWindowTakeTheHeightTheFontNeeds) {
  ASSERT_NO_FATAL_FAILURE(Start(kDefaultFile));
  const FieldFit usual = MeasureFit(Window());
  ASSERT_NO_FATAL_FAILURE(Start("%0.3f\r\n300\r\n300\r\n-40\r\n400\r\n0\r\nCourier New\r\n0\r\n"));
  const FieldFit large = MeasureFit(Window());
  EXPECT_FALSE(::GetWindowLongA(Window(), GWL_STYLE) & WS_THICKFRAME) << "the user may not resize the window";

  const int inset = LengthAt(2, m_dpi);
  for (const FieldFit* fit : {&usual, &large}) {
    SCOPED_TRACE(fit->textHeight);
    for (const RECT& field : {fit->expression, fit->result}) {
      // The whole line with room above and below, inside the field's edge.
      EXPECT_GE(HeightOf(field), fit->textHeight + fit->fieldBorder + 2 * inset);
    }
    EXPECT_LE(fit->expression.bottom, fit->result.top) << "the rows overlap";
    EXPECT_TRUE(Beside(fit->pin, fit->expression));
    EXPECT_TRUE(Beside(fit->resultButton, fit->result));
    EXPECT_TRUE(Beside(fit->precision, fit->result));
    // The mark of a result that differs from the exact value: in the gap
    // before the result field, as high as it.
    EXPECT_EQ(fit->exactMark.top, fit->result.top);
    EXPECT_EQ(fit->exactMark.bottom, fit->result.bottom);
    EXPECT_EQ(fit->exactMark.left, fit->resultButton.right);
    EXPECT_EQ(fit->exactMark.right, fit->result.left);
    EXPECT_GE(fit->exactMark.right - fit->exactMark.left, LengthAt(8, m_dpi)) << "too narrow for its sign";
    EXPECT_LT(fit->result.bottom, fit->clientHeight);
  }
  // Grown no more than the font asks, and the window by just what the fields grew.
  EXPECT_EQ(HeightOf(large.expression), large.textHeight + large.fieldBorder + 2 * inset);
  EXPECT_EQ(HeightOf(large.result), HeightOf(large.expression));
  const int grown = HeightOf(large.expression) - HeightOf(usual.expression);
  EXPECT_GT(grown, 0);
  EXPECT_EQ(large.clientHeight - usual.clientHeight, 2 * grown);
  EXPECT_EQ(large.clientHeight - large.result.bottom, usual.clientHeight - usual.result.bottom);
  EXPECT_EQ(HeightOf(large.resultButton), HeightOf(usual.resultButton)) << "the buttons keep their height";

  // A small font chosen while the window runs takes it back to the template's size.
  ::PostMessageA(Window(), WM_SYSCOMMAND, IDM_FONT, 0);
  HWND chooser = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (chooser = FindDialogOfThread(m_dlg->ThreadId(), "Font")) != nullptr; }));
  const HWND sizes = ::GetDlgItem(chooser, cmb3);
  int ten = -1;
  for (LRESULT i = 0; i < ::SendMessageA(sizes, CB_GETCOUNT, 0, 0); ++i) {
    if (::SendMessageA(sizes, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == 10) ten = static_cast<int>(i);
  }
  ASSERT_GE(ten, 0) << "no 10 point size";
  ::SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(ten), 0);
  ::SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
  ::PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));
  const FieldFit chosen = MeasureFit(Window());
  EXPECT_EQ(chosen.clientHeight, usual.clientHeight);
  EXPECT_TRUE(::EqualRect(&chosen.result, &usual.result));
  EXPECT_TRUE(::EqualRect(&chosen.resultButton, &usual.resultButton));
}

TEST_F(DisplayScale, FilesAreWrittenBackAsTheyWereRead) {
  const std::string odd = "%0.2f\r\n200\r\n150\r\n-13\r\n400\r\n0\r\nCourier New\r\n0\r\n";
  for (const std::string& file : {kDefaultFile, kStoredFile, odd}) {
    SCOPED_TRACE(file);
    ASSERT_NO_FATAL_FAILURE(Start(file));
    EXPECT_EQ(CloseAndRead(), file);
  }
}

TEST_F(DisplayScale, CaptionAndPinShowTheFramesDrawnForTheirSize) {
  const IconSizes sizes = IconSizesAt(m_dpi);
  ASSERT_NO_FATAL_FAILURE(Start(kStoredFile));  // on top: the green pin
  EXPECT_EQ(IconSize(CaptionIcon(Window(), ICON_SMALL)), sizes.smallIcon);
  EXPECT_TRUE(ShowsIconFrame(CaptionIcon(Window(), ICON_SMALL), IDR_MAINFRAME));
  EXPECT_EQ(IconSize(CaptionIcon(Window(), ICON_BIG)), sizes.bigIcon);
  EXPECT_TRUE(ShowsIconFrame(CaptionIcon(Window(), ICON_BIG), IDR_MAINFRAME));
  EXPECT_EQ(IconSize(Pin()), sizes.pin);
  EXPECT_TRUE(ShowsIconFrame(Pin(), IDI_TOP));
  ::SendMessageA(Item(IDC_TOPMOST), BM_CLICK, 0, 0);
  EXPECT_EQ(IconSize(Pin()), sizes.pin);
  EXPECT_TRUE(ShowsIconFrame(Pin(), IDI_NOTOP));
}

TEST_F(DisplayScale, AboutBoxShowsTheFrameDrawnForAnIconsSize) {
  ModalThread about{[] {
    CAboutBox box;
    return box.DoModal();
  }};
  ASSERT_NE(about.Window(), nullptr);
  const HWND icon = ::GetWindow(about.Window(), GW_CHILD);
  const auto shown = reinterpret_cast<HICON>(::SendMessageA(icon, STM_GETICON, 0, 0));
  EXPECT_EQ(IconSize(shown), IconSizesAt(m_dpi).bigIcon);
  EXPECT_TRUE(ShowsIconFrame(shown, IDR_MAINFRAME));
}

// As when the window is dragged from a monitor at 100 % to one at 150 %.
TEST_F(DisplayScale, MovedToAMonitorOfAnotherScaleTheWindowTakesTheSuggestedPlaceFontAndIcons) {
  if (m_dpi != 96) GTEST_SKIP() << "moves from 100 %";
  ASSERT_NO_FATAL_FAILURE(Start(std::nullopt));
  const HFONT oldFont = FieldFont();
  const HICON oldIcons[] = {CaptionIcon(Window(), ICON_SMALL), CaptionIcon(Window(), ICON_BIG), Pin()};
  const RECT before = WindowRect(Window());
  RECT clientBefore;
  ::GetClientRect(Window(), &clientBefore);
  const RECT suggested{before.left + 40, before.top + 30, before.left + 40 + (before.right - before.left) * 3 / 2,
                       before.top + 30 + (before.bottom - before.top) * 3 / 2};

  const HWND button = Item(IDC_RESULT_BUTTON);
  const RECT buttonBefore = PlaceInDialog(button, Window());
  const LONG buttonTextHeight = FontDescription(ShownFont(button)).lfHeight;

  ::SendMessageA(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

  // Wine runs the program as per-monitor aware of the first version, where
  // the system leaves the controls and their text to the program.
  const RECT buttonAfter = PlaceInDialog(button, Window());
  EXPECT_EQ(buttonAfter.left, LengthAt(buttonBefore.left, 144));
  EXPECT_EQ(buttonAfter.top, LengthAt(buttonBefore.top, 144));
  EXPECT_EQ(buttonAfter.right, LengthAt(buttonBefore.right, 144));
  EXPECT_EQ(buttonAfter.bottom, LengthAt(buttonBefore.bottom, 144));
  EXPECT_EQ(FontDescription(ShownFont(button)).lfHeight, LengthAt(buttonTextHeight, 144));

  // The place and width suggested; the height is the client area the template
  // has at the new scale, below a caption that Wine does not scale.
  const RECT after = WindowRect(Window());
  EXPECT_EQ(after.left, suggested.left);
  EXPECT_EQ(after.top, suggested.top);
  EXPECT_EQ(after.right, suggested.right);
  RECT client;
  ::GetClientRect(Window(), &client);
  EXPECT_EQ(client.bottom, LengthAt(clientBefore.bottom, 144));
  EXPECT_EQ(FontDescription(FieldFont()).lfHeight, LengthAt(-15, 144));
  EXPECT_EQ(ShownFont(Item(IDC_RESULT)), FieldFont());
  EXPECT_EQ(::GetObjectType(oldFont), 0u) << "the old font was not deleted";
  const IconSizes at144 = IconSizesAt(144);
  EXPECT_EQ(IconSize(CaptionIcon(Window(), ICON_SMALL)), at144.smallIcon);
  EXPECT_EQ(IconSize(CaptionIcon(Window(), ICON_BIG)), at144.bigIcon);
  EXPECT_EQ(IconSize(Pin()), at144.pin);
  EXPECT_TRUE(ShowsIconFrame(Pin(), IDI_NOTOP));
  for (HICON old : oldIcons) {
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(old, &info)) << "an old icon was not destroyed";
  }
  // The font's height goes back to the file at 96 DPI.
  const std::string moved = "%0.3f\r\n" + std::to_string(suggested.left) + "\r\n" + std::to_string(suggested.top) +
                            "\r\n-15\r\n500\r\n0\r\nCourier New\r\n0\r\n";
  EXPECT_EQ(CloseAndRead(), moved);
}

// A large font still fits after the move to 150 %: the fields take the height
// of the font made for the new scale, and the window grows with them.
TEST_F(DisplayScale, MovedToAMonitorOfAnotherScaleTheFieldsStillFitTheirFont) {
  if (m_dpi != 96) GTEST_SKIP() << "moves from 100 %";
  ASSERT_NO_FATAL_FAILURE(Start("%0.3f\r\n300\r\n300\r\n-40\r\n400\r\n0\r\nCourier New\r\n0\r\n"));
  const FieldFit before = MeasureFit(Window());
  const RECT rect = WindowRect(Window());
  const RECT suggested{rect.left, rect.top, rect.left + (rect.right - rect.left) * 3 / 2,
                       rect.top + (rect.bottom - rect.top) * 3 / 2};
  ::SendMessageA(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

  const FieldFit after = MeasureFit(Window());
  ASSERT_EQ(FontDescription(FieldFont()).lfHeight, LengthAt(-40, 144));
  EXPECT_EQ(HeightOf(after.expression), after.textHeight + after.fieldBorder + 2 * LengthAt(2, 144));
  EXPECT_EQ(HeightOf(after.result), HeightOf(after.expression));
  EXPECT_LE(after.expression.bottom, after.result.top);
  EXPECT_EQ(after.clientHeight - after.result.bottom, LengthAt(before.clientHeight - before.result.bottom, 144));
}

// Started at its remembered corner on a monitor at 150 % while it was made
// where the template put it, at 100 %: the window takes the monitor's scale
// before it is first shown. Wine has one screen; the second monitor, right of
// x = 600, is played through the window's scale lookup.
TEST_F(DisplayScale, StartedOnAMonitorOfAnotherScaleTheWindowIsFirstShownAtThatScale) {
  if (m_dpi != 96) GTEST_SKIP() << "starts from 100 %";
  m_systemCalls.dpiForWindow = [](HWND window) -> UINT { return WindowRect(window).left >= 600 ? 144 : 96; };
  ASSERT_NO_FATAL_FAILURE(Start(kDefaultFile));  // at (300, 300): on the first monitor
  const RECT at96 = WindowRect(Window());
  RECT client96;
  ::GetClientRect(Window(), &client96);
  ASSERT_NO_FATAL_FAILURE(Start("%0.3f\r\n610\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n0\r\n"));

  const RECT at144 = WindowRect(Window());
  EXPECT_EQ(at144.left, 610);
  EXPECT_EQ(at144.top, 300);
  EXPECT_EQ(at144.right - at144.left, LengthAt(at96.right - at96.left, 144));
  RECT client144;
  ::GetClientRect(Window(), &client144);
  EXPECT_EQ(client144.bottom, LengthAt(client96.bottom, 144));
  EXPECT_EQ(FontDescription(FieldFont()).lfHeight, LengthAt(-15, 144));
  EXPECT_EQ(IconSize(CaptionIcon(Window(), ICON_SMALL)), IconSizesAt(144).smallIcon);
  EXPECT_EQ(IconSize(Pin()), IconSizesAt(144).pin);
  // Nothing was shown at the old size.
  for (const WindowPosCall& call : m_recorder.Calls()) {
    if (!(call.flags & SWP_SHOWWINDOW)) continue;
    EXPECT_EQ(call.cx, at144.right - at144.left) << call;
    break;
  }
}

}  // namespace
