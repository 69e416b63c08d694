// The live result: what the result field shows while the expression changes,
// in grey, and what it leaves alone: the prompt, the caret, boxes, the history
// and the settings. Enter goes on as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "MainDialogTest.h"
#include "TallywiseDlgIds.h"
#include "WindowToolkit.h"

namespace {

// The darkest pixel's brightness on the middle rows of a field: the text's
// colour, whatever smoothing its edges have; 255 for a field without text.
int DarkestText(HWND field) {
  RECT client;
  ::GetClientRect(field, &client);
  const HDC dc = ::GetDC(field);
  int darkest = 255;
  for (int y = client.bottom / 2 - 3; y <= client.bottom / 2 + 3; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const COLORREF colour = ::GetPixel(dc, x, y);
      if (colour != CLR_INVALID)
        darkest = std::min(darkest, (GetRValue(colour) * 3 + GetGValue(colour) * 6 + GetBValue(colour)) / 10);
    }
  }
  ::ReleaseDC(field, dc);
  return darkest;
}

bool PutOnClipboard(const char* text) {
  const std::size_t bytes = std::strlen(text) + 1;
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(::GlobalLock(memory), text, bytes);
  ::GlobalUnlock(memory);
  if (!::OpenClipboard(nullptr)) return ::GlobalFree(memory), false;
  const bool put = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
  if (!put) ::GlobalFree(memory);
  return put;
}

class LiveResult : public MainDialogTest {
protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    ::SendMessageA(m_dialog->Window(), WM_SYSCOMMAND, IDM_LIVE_RESULT, 0);
  }
  void SetText(const std::string& text) const {
    ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void ReplaceSelection(const char* text) const {
    ::SendMessageA(Expression(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  }
  std::pair<DWORD, DWORD> Selection() const {
    DWORD start = 0, end = 0;
    ::SendMessageA(Expression(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  bool Shows(const std::string& text) const {
    return WaitUntil([&] { return WindowText(Result()) == text; });
  }
  // Every message the window had before this has been handled, timers included.
  void Settle() const {
    ::SendMessageA(m_dialog->Window(), WM_NULL, 0, 0);
    ::Sleep(50);
    ::SendMessageA(m_dialog->Window(), WM_NULL, 0, 0);
  }
};

TEST_F(LiveResult, ShowsWhatEnterWouldInGreyAndNothingWhereEnterWouldPrompt) {
  const struct {
    const char* what;
    std::function<void()> act;
    const char* shown;
    bool grey;
    // clang-format off
  } steps[] = {
      {"typed",                 [&] { SetText("2+3"); },                         "5.000",  true},
      {"rejected: no prompt",   [&] { SetText("2*"); },                          "",       false},
      {"a fault: no box",       [&] { SetText("1/0+2"); },                       "",       false},
      {"edited",                [&] { SetText("1/8"); },                         "0.125",  true},
      {"more decimals",         [&] { PostKey(Expression(), VK_PRIOR); },
                                                                                 "0.1250", true},
      {"Enter as before",       [&] { ClickResult(); },                          "0.1250", false},
      {"pasted",                [&] { SetText("2*"); ::SendMessageA(Expression(), EM_SETSEL, 2, 2); PutOnClipboard("7");
                                      ::SendMessageA(Expression(), WM_PASTE, 0, 0); },
                                                                                 "14.0000", true},
      {"recalled with Up",      [&] { PostKey(Expression(), VK_UP); },           "0.1250", true},
      {"deleted",               [&] { SetText("1/8"); ::SendMessageA(Expression(), EM_SETSEL, 2, 3);
                                      ReplaceSelection(""); },                   "",       false},
  };
  // clang-format on
  for (const auto& step : steps) {
    step.act();
    const auto caret = Selection();
    EXPECT_TRUE(Shows(step.shown)) << step.what << ": " << WindowText(Result());
    Settle();
    EXPECT_EQ(WindowText(Result()), step.shown) << step.what << ": later";
    EXPECT_EQ(FindDialogOfThread(m_dialog->ThreadId(), "Attention"), nullptr) << step.what;
    EXPECT_EQ(m_dialog->Focus(), Expression()) << step.what;
    if (*step.shown) {
      const int darkest = DarkestText(Result());
      EXPECT_EQ(darkest > 80 && darkest < 200, step.grey) << step.what << ": darkest " << darkest;
    } else if (std::string(step.what).starts_with("rejected")) {
      EXPECT_EQ(Selection(), caret) << step.what << ": the caret stays";
    }
  }
  // One line of history, from Enter; no settings file, which only closing writes.
  EXPECT_EQ(ReadFileBytes(HistoryFilePath()).value_or(""), "1/8\r\n");
  EXPECT_FALSE(ReadDataFile().has_value());
  EXPECT_NE(ReadFileBytes(ChoicesFilePath()).value_or("").find("live-result=1"), std::string::npos);
}

}  // namespace
