// Results grouped for reading, as the locale of the run writes numbers: Wine
// takes the locale from LC_ALL, so each locale is a run of its own (see
// CMakeLists.txt). Whatever the look, a copy carries the plain number.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "DisplayKeys.h"
#include "FileBytes.h"
#include "MainDialogTest.h"
#include "TallywiseDlgIds.h"
#include "WindowToolkit.h"
#include "Wnd.h"

namespace {

std::string Printed(const std::wstring& text) {
  std::string printed;
  for (const wchar_t c : text) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
    printed += c < 0x80 ? std::string(1, static_cast<char>(c)) : escaped;
  }
  return printed;
}

void EmptyClipboard() {
  if (!::OpenClipboard(nullptr)) return;
  ::EmptyClipboard();
  ::CloseClipboard();
}

std::wstring RunLocale() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
  ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  return name;
}

// A choice the user changed in the regional settings, put back after the test.
class RegionalOverride {
public:
  RegionalOverride(LCTYPE type, const wchar_t* value) : m_type(type) {
    wchar_t before[16] = L"";
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, before, 16);
    m_before = before;
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value);
  }
  ~RegionalOverride() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, m_type, m_before.c_str()); }
  RegionalOverride(const RegionalOverride&) = delete;
  RegionalOverride& operator=(const RegionalOverride&) = delete;

private:
  LCTYPE m_type;
  std::wstring m_before;
};

class DigitGroupingWindow : public MainDialogTest {
protected:
  void Choose(UINT id) const { ::SendMessageA(m_dialog->Window(), WM_SYSCOMMAND, id, 0); }
  void Compute(const char* expression) const {
    ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(expression));
    ClickResult();
  }
  // What a copy of the result field's characters from `first` to its end gives.
  std::string CopiedFrom(int first) const {
    EmptyClipboard();
    const int length = ::GetWindowTextLengthW(Result());
    ::SendMessageW(Result(), EM_SETSEL, static_cast<WPARAM>(first < 0 ? length + first : first), length);
    ::SendMessageW(Result(), WM_COPY, 0, 0);
    return ClipboardText().value_or("(nothing)");
  }
};

TEST_F(DigitGroupingWindow, ResultsShowTheLocalesGroupsAndMarkAndCopyThePlainNumber) {
  const struct {
    const wchar_t* locale;
    const wchar_t* grouped;
    const wchar_t* negative;
    // clang-format off
  } rows[] = {
      {L"en-US", L"1,234,567.891",           L"-1,234,567.000"},
      {L"de-DE", L"1.234.567,891",           L"-1.234.567,000"},
      {L"en-IN", L"12,34,567.891",           L"-12,34,567.000"},
      // Wine's French groups with the no-break space; Windows 11's with the
      // narrow one, which the last test stands in.
      {L"fr-FR", L"1\u00a0234\u00a0567,891", L"-1\u00a0234\u00a0567,000"},
  };
  // clang-format on
  const std::wstring locale = RunLocale();
  const auto* row = std::find_if(std::begin(rows), std::end(rows), [&](const auto& r) { return locale == r.locale; });
  ASSERT_NE(row, std::end(rows)) << "no row for the locale " << Printed(locale) << "; LC_ALL chooses it";

  Compute("1234567,891");
  EXPECT_EQ(WindowText(Result()), "1234567.891") << "no grouping until it is chosen";
  Choose(IDM_DIGIT_GROUPING);
  EXPECT_EQ(Printed(ReadWindowTextW(Result())), Printed(row->grouped)) << "the shown result is grouped at once";
  EXPECT_NE(ReadFileBytes(ChoicesFilePath()).value_or("").find("digit-grouping=1"), std::string::npos)
      << "the choice is kept";

  Compute("0-1234567");
  EXPECT_EQ(Printed(ReadWindowTextW(Result())), Printed(row->negative));
  EXPECT_EQ(CopiedFrom(0), "-1234567.000") << "the whole field";
  EXPECT_EQ(CopiedFrom(-7), "567.000") << "a part";

  // Ctrl+C in the expression field with nothing selected copies the result.
  EmptyClipboard();
  ASSERT_NO_FATAL_FAILURE(PressOnDisplay("End ctrl+c"));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "-1234567.000"; })) << ClipboardText().value_or("(nothing)");
  EXPECT_TRUE(KeyReleased(VK_CONTROL));

  Compute("1000*1000");
  Choose(IDM_DIGIT_GROUPING);
  EXPECT_EQ(WindowText(Result()), "1000000.000") << "back to the plain number";
}

// The regional settings as the user changed them, in any locale: a group
// size, separator or decimal mark of their own, a separator the ANSI code page
// does not hold, and no groups at all.
TEST_F(DigitGroupingWindow, FollowsTheUsersOwnRegionalSettings) {
  const struct {
    const wchar_t* sizes;
    const wchar_t* separator;
    const wchar_t* decimalMark;
    const wchar_t* shown;
    // clang-format off
  } rows[] = {
      {L"3;0",   L"\u202f", L",", L"1\u202f234\u202f567,891"},
      {L"3;2;0", L"'",      L".", L"12'34'567.891"},
      {L"3",     L" ",      L".", L"1234 567.891"},
      {L"0",     L",",      L",", L"1234567,891"},
  };
  // clang-format on
  Choose(IDM_DIGIT_GROUPING);
  for (const auto& row : rows) {
    const RegionalOverride sizes(LOCALE_SGROUPING, row.sizes);
    const RegionalOverride separator(LOCALE_STHOUSAND, row.separator);
    const RegionalOverride mark(LOCALE_SDECIMAL, row.decimalMark);
    Compute("1234567,891");
    EXPECT_EQ(Printed(ReadWindowTextW(Result())), Printed(row.shown)) << Printed(row.sizes);
    EXPECT_EQ(CopiedFrom(0), "1234567.891") << Printed(row.sizes);
  }
}

}  // namespace
