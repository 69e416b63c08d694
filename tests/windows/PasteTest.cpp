// Text pasted into the expression field as another program leaves it on the
// clipboard, Unicode: what the field then shows, and what Enter makes of it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "MainDialogTest.h"
#include "WaitUntil.h"
#include "WindowToolkit.h"

namespace {

bool PutOnClipboard(const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
  ::GlobalUnlock(memory);
  if (!::OpenClipboard(nullptr)) return ::GlobalFree(memory), false;
  const bool put = ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
  if (!put) ::GlobalFree(memory);
  return put;
}

std::string Printed(const std::u16string& text) {
  std::string printed;
  for (const char16_t c : text) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
    printed += c < 0x80 ? std::string(1, static_cast<char>(c)) : escaped;
  }
  return testing::PrintToString(printed);
}

class Paste : public MainDialogTest {
protected:
  void SetText(const char* text) const { ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  void Select(int start, int end) const { ::SendMessageA(Expression(), EM_SETSEL, static_cast<WPARAM>(start), end); }
  std::pair<std::size_t, std::size_t> Selection() const {
    DWORD start = 0, end = 0;
    ::SendMessageA(Expression(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

TEST_F(Paste, ShowsTheTextMeantAndNeverALookAlikeDigitOrOperator) {
  ASSERT_EQ(::GetACP(), 1252u) << "the table is written for the Western code page";
  const struct {
    std::u16string pasted;
    const char* field;
    const char* result;
    // clang-format off
  } cases[] = {
      {u"2\u2074", "2^4", "16.000"},
      {u"1+2\r\n+3", "1+2+3", "6.000"},
      {u"1\n+2\r+3\r\n", "1+2+3", "6.000"},
      {u"2\u00A0365\u202F596\u2009", "2 365 596 ", "2365596.000"},
      {u"12\u00D73", "12*3", "36.000"},
      {u"10\u00F74", "10/4", "2.500"},
      {u"\uFF12\uFF0B\uFF13", "2+3", "5.000"},
      {u"\uFF08\uFF11\uFF0D\uFF12\uFF09\uFF0A\uFF14\uFF0F\uFF12", "(1-2)*4/2", "-2.000"},
      {u"7\u22122", "7-2", "5.000"},
      {u"3\u00B2+4\u00B2", "3^2+4^2", "25.000"},
      {u"(1+1)\u00B3", "(1+1)^3", "8.000"},
      {u"2\u00B9\u2070", "2^10", "1024.000"},
      {u"10\u207B\u00B3", "10^(-3)", "0.001"},
      {u"\u00B23", "\xB2" "3", "Unknown symbol '\xB2'"},  // no number before it: itself
      {u"2 \u2074", "2 ?", "Unknown symbol '?'"},
      {u"2\u207B", "2?", "Unknown symbol '?'"},
      {u"\u00BD+1", "\xBD+1", "Unknown symbol '\xBD'"},
      {u"\u20AC5", "\x80" "5", "Unknown symbol '\x80'"},
      {u"\uFF21+1", "?+1", "Unknown symbol '?'"},  // best fit would make it an A
      {u"5\u22485", "5?5", "Unknown symbol '?'"},
      {u"\U0001F600" "1", "?1", "Unknown symbol '?'"},
      {std::u16string(u"\xD800" "1"), "?1", "Unknown symbol '?'"},
      {u"2\t+3", "2 +3", "5.000"},
      // Two numbers on two lines or in two cells are never one number.
      {u"12\r\n34", "12|34", "Unknown symbol '|'"},
      {u"5\r7", "5|7", "Unknown symbol '|'"},
      {u"12\t34\r\n", "12|34", "Unknown symbol '|'"},
      {u"\uFEFF1+\u200B2\u200E", "1+2", "3.000"},
      {u"2 \u2013 3", "2 - 3", "-1.000"},
      {u"\u0661\u0662+3", "12+3", "15.000"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SetText("");
    ASSERT_TRUE(PutOnClipboard(c.pasted));
    ::SendMessageA(Expression(), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(Expression()), c.field) << Printed(c.pasted);
    ClickResult();
    EXPECT_EQ(WindowText(Result()), c.result) << Printed(c.pasted);
    if (const auto mark = std::string(c.field).find('|'); mark != std::string::npos) {
      EXPECT_EQ(Selection(), std::make_pair(mark, mark + 1)) << Printed(c.pasted) << ": the mark is selected";
    }
  }
}

// A sum longer than the edit control's own limit (under Wine a paste of it
// takes seconds, so it is not much longer) arrives whole, a superscript goes on from the digit before the
// caret, and characters typed outside ASCII go the way pasted ones do.
TEST_F(Paste, ALongSumArrivesWholeAndTypedSignsAreWhatTheyShow) {
  std::u16string sum;
  for (int i = 0; i < 4000; ++i)
    sum += u"123456789+";
  sum += u"0";
  ASSERT_TRUE(PutOnClipboard(sum));
  ::SendMessageA(Expression(), WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(Expression()).size(), sum.size());
  ClickResult();
  EXPECT_EQ(WindowText(Result()), "493827156000.000");

  const struct {
    const char* before;
    std::u16string typed;
    const char* field;
  } cases[] = {
      {"3", u"\u00B2", "3^2"},
      {"10", u"\u00B9\u00B2", "10^12"},  // typed one by one: one power
      {"2", u"\u00D73\u00F74\u22121", "2*3/4-1"},
      {"", u"\u0661\u2013\u00BD", "1-\xBD"},
  };
  for (const auto& c : cases) {
    SetText(c.before);
    const int end = static_cast<int>(std::strlen(c.before));
    Select(end, end);
    for (const char16_t ch : c.typed)
      ::PostMessageW(Expression(), WM_CHAR, ch, 1);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Expression()) == c.field; })) << WindowText(Expression());
  }
}

// As the control's own paste: in place of the selection, undone in one step;
// Ctrl+V reaches it as a character of its own. What does not fit is refused
// whole, never cut.
TEST_F(Paste, ReplacesTheSelectionCanBeUndoneAndIsRefusedWholeWhenTooLong) {
  EXPECT_EQ(::SendMessageA(Expression(), EM_GETLIMITTEXT, 0, 0), 1000000);
  ASSERT_TRUE(PutOnClipboard(u"2\u2074"));
  SetText("1+9*3");
  Select(2, 3);
  ::SendMessageA(Expression(), WM_CHAR, 0x16, 1);  // Ctrl+V
  EXPECT_EQ(WindowText(Expression()), "1+2^4*3");
  ::SendMessageA(Expression(), EM_UNDO, 0, 0);
  EXPECT_EQ(WindowText(Expression()), "1+9*3");

  ASSERT_TRUE(PutOnClipboard(u"\uFF11\uFF12\uFF13\uFF14\uFF15"));
  SetText("1+");
  Select(2, 2);
  ::SendMessageA(Expression(), EM_LIMITTEXT, 6, 0);
  ::SendMessageA(Expression(), WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(Expression()), "1+");
  EXPECT_EQ(WindowText(Result()), "Too long to paste");
  Select(0, 2);
  ::SendMessageA(Expression(), WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(Expression()), "12345") << "in place of the selection it fits";
}

}  // namespace
