// The window in each language it speaks, as Windows' own language picks it:
// the prompt for 2+, the box of 1/0, two entries of the system menu and the
// row of one in the list of keys, each as a user of that language reads it.
// The test runs once per language, under the locale that gives Wine that
// language (TALLYWISE_TEST_LANGUAGE names the row).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "KeysDialogIds.h"
#include "MainDialogTest.h"
#include "TallywiseDlgIds.h"
#include "UiLanguage.h"
#include "DataFile.h"
#include "Wnd.h"

namespace {

struct Row {
  const char* tag;
  const wchar_t* pasteNumber;
  const wchar_t* divisionByZero;
  const wchar_t* faultCaption;
  const wchar_t* fontEntry;
  const wchar_t* liveResultEntry;
  const wchar_t* liveResultKeys;  // its row in the list of keys: the keys, then the entry's words alone
};

constexpr Row kRows[] = {
    {"en", L"Paste number here   ", L"Division to the zero!", L"Attention", L"&Font...", L"&Live Result",
     L"Alt+Space, L: Live Result"},
    {"de", L"Hier Zahl einf\u00FCgen     ", L"Division durch null!", L"Achtung", L"Schrift&art...", L"Li&ve-Ergebnis",
     L"Alt+Leertaste, V: Live-Ergebnis"},
    {"es", L"Inserte un n\u00FAmero aqu\u00ED   ", L"\u00A1Divisi\u00F3n por cero!", L"Atenci\u00F3n", L"&Fuente...",
     L"Resultado en &vivo", L"Alt+Espacio, V: Resultado en vivo"},
    {"fr", L"Ins\u00E9rez un nombre ici    ", L"Division par z\u00E9ro !", L"Attention", L"&Police...",
     L"R\u00E9sultat en &direct", L"Alt+Espace, D: R\u00E9sultat en direct"},
    {"it", L"Inserire un numero qui    ", L"Divisione per zero!", L"Attenzione", L"Carat&tere...",
     L"Risultato in &diretta", L"Alt+Spazio, D: Risultato in diretta"},
    {"ja", L"\u3053\u3053\u306B\u6570\u5024\u3092\u633F\u5165   ",
     L"0 \u3067\u9664\u7B97\u3057\u307E\u3057\u305F\uFF01", L"\u6CE8\u610F", L"\u30D5\u30A9\u30F3\u30C8(&F)...",
     L"\u30E9\u30A4\u30D6\u7D50\u679C(&L)", L"Alt+Space, L: \u30E9\u30A4\u30D6\u7D50\u679C"},
    {"pl", L"Wstaw tutaj liczb\u0119   ", L"Dzielenie przez zero!", L"Uwaga", L"&Czcionka...", L"Wynik na &\u017Cywo",
     L"Alt+Spacja, \u017B: Wynik na \u017Cywo"},
    {"pt-BR", L"Insira um n\u00FAmero aqui   ", L"Divis\u00E3o por zero!", L"Aten\u00E7\u00E3o", L"F&onte...",
     L"Resultado ao &vivo", L"Alt+Espa\u00E7o, V: Resultado ao vivo"},
    {"ru",
     L"\u0412\u0441\u0442\u0430\u0432\u044C\u0442\u0435 \u0441\u044E\u0434\u0430 \u0447\u0438\u0441\u043B\u043E    ",
     L"\u0414\u0435\u043B\u0435\u043D\u0438\u0435 \u043D\u0430 \u043D\u043E\u043B\u044C!",
     L"\u0412\u043D\u0438\u043C\u0430\u043D\u0438\u0435", L"&\u0428\u0440\u0438\u0444\u0442...",
     L"&\u0416\u0438\u0432\u043E\u0439 \u0440\u0435\u0437\u0443\u043B\u044C\u0442\u0430\u0442",
     L"Alt+\u041F\u0440\u043E\u0431\u0435\u043B, \u0416: \u0416\u0438\u0432\u043E\u0439 "
     L"\u0440\u0435\u0437\u0443\u043B\u044C\u0442\u0430\u0442"},
    {"zh-CN", L"\u5728\u6B64\u5904\u63D2\u5165\u6570\u5B57   ", L"\u9664\u6570\u4E3A\u96F6\uFF01", L"\u6CE8\u610F",
     L"\u5B57\u4F53(&F)...", L"\u5B9E\u65F6\u7ED3\u679C(&L)", L"Alt+\u7A7A\u683C, L: \u5B9E\u65F6\u7ED3\u679C"},
};

const Row* RowOfThisRun() {
  const char* tag = std::getenv("TALLYWISE_TEST_LANGUAGE");
  for (const Row& row : kRows) {
    if (tag && std::string(tag) == row.tag) return &row;
  }
  return nullptr;
}

HWND FindBoxOfThread(DWORD threadId, const std::wstring& caption) {
  HWND found = nullptr;
  ForEachThreadWindow(threadId, [&](HWND hWnd) {
    if (ClassName(hWnd) != "#32770" || !::IsWindowVisible(hWnd) || ReadWindowTextW(hWnd) != caption) return true;
    found = hWnd;
    return false;
  });
  return found;
}

std::wstring BoxText(HWND box) {
  std::wstring text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == "Static" && ::GetWindowTextLengthW(child) > 0) text = ReadWindowTextW(child);
  }
  return text;
}

// Each row of the list of keys as "keys: action".
std::vector<std::wstring> KeysRows(HWND keys) {
  const HWND list = ::GetDlgItem(keys, IDC_KEYS_LIST);
  std::vector<std::wstring> rows;
  const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::wstring shown;
    for (int column = 0; column < 2; ++column) {
      wchar_t text[256] = L"";
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = 256;
      ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      shown += column == 0 ? std::wstring(text) + L": " : std::wstring(text);
    }
    rows.push_back(shown);
  }
  return rows;
}

bool HasLine(const std::string& text, const std::string& line) {
  return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

class Language : public MainDialogTest {
protected:
  void Type(const char* text) const { ::SendMessageA(Expression(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
};

TEST_F(Language, InTheLanguageOfWindows) {
  const Row* row = RowOfThisRun();
  ASSERT_NE(row, nullptr) << "TALLYWISE_TEST_LANGUAGE names no language of the table";
  ASSERT_EQ(UiLanguageFor(::GetUserDefaultUILanguage()).tag, row->tag)
      << "Wine does not speak this language: its locale is missing (scripts/install-deps.sh makes it)";

  Type("2+");
  ClickResult();
  EXPECT_EQ(ReadWindowTextW(Result()), row->pasteNumber);
  DWORD start = 0, end = 0;
  ::SendMessageA(Expression(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u) << "the caret stands after the + in every language";
  EXPECT_EQ(end, 2u);

  wchar_t entry[64] = L"";
  ::GetMenuStringW(::GetSystemMenu(m_dialog->Window(), FALSE), IDM_FONT, entry, 64, MF_BYCOMMAND);
  EXPECT_EQ(std::wstring(entry), row->fontEntry);
  ::GetMenuStringW(::GetSystemMenu(m_dialog->Window(), FALSE), IDM_LIVE_RESULT, entry, 64, MF_BYCOMMAND);
  EXPECT_EQ(std::wstring(entry), row->liveResultEntry);

  ::PostMessageA(m_dialog->Window(), WM_SYSCOMMAND, IDM_KEYS, 0);
  HWND keys = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    ForEachThreadWindow(m_dialog->ThreadId(), [&](HWND hWnd) {
      if (hWnd == m_dialog->Window() || ClassName(hWnd) != "#32770" || !::IsWindowVisible(hWnd)) return true;
      keys = hWnd;
      return false;
    });
    return keys != nullptr;
  })) << "the list of keys did not open";
  const std::vector<std::wstring> rows = KeysRows(keys);
  std::string shown;
  for (const std::wstring& line : rows)
    shown += "\n  " + Utf8FromWide(line);
  EXPECT_NE(std::find(rows.begin(), rows.end(), row->liveResultKeys), rows.end())
      << "no row \"" << Utf8FromWide(row->liveResultKeys) << "\" in the list of keys:" << shown;
  ::PostMessageA(keys, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(keys); }));

  Type("1/0");
  ::PostMessageA(m_dialog->Window(), WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(m_dialog->Item(IDC_RESULT_BUTTON)));
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindBoxOfThread(m_dialog->ThreadId(), row->faultCaption)) != nullptr; }))
      << "no fault box with the caption of this language";
  EXPECT_EQ(BoxText(box), row->divisionByZero);
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return ReadWindowTextW(Result()) == L"0.000"; })) << "numbers are the same in every language";
}

// The language chosen in the system menu, whatever Windows speaks and
// whatever its code page: Russian on an English system, kept for the next
// start, and the system's default again.
TEST_F(Language, ChosenInTheMenuSpeaksAtOnceAndIsKept) {
  const auto choose = [this](std::string_view tag) {
    const auto languages = UiLanguages();
    size_t entry = 0;
    for (size_t i = 0; i < languages.size(); ++i) {
      if (languages[i].tag == tag) entry = i + 1;
    }
    ::SendMessageA(m_dialog->Window(), WM_SYSCOMMAND, IDM_LANGUAGE_FIRST + 16 * entry, 0);
  };
  char ansi[8] = "";
  BOOL lost = FALSE;
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u0420", 1, ansi, sizeof ansi, nullptr, &lost);
  ASSERT_TRUE(lost) << "the test needs a code page without Cyrillic (LANG=C.UTF-8 gives 1252); it has " << ::GetACP();
  const HWND button = m_dialog->Item(IDC_RESULT_BUTTON);
  Type("2+");
  ClickResult();
  ASSERT_EQ(ReadWindowTextW(Result()), L"Paste number here   ");

  choose("ru");
  EXPECT_EQ(ReadWindowTextW(button), L"&\u0420\u0435\u0437\u0443\u043B\u044C\u0442\u0430\u0442");
  EXPECT_EQ(ReadWindowTextW(Result()), kRows[8].pasteNumber) << "the prompt on show is written again in the new language";
  EXPECT_TRUE(HasLine(ReadFileBytes(ChoicesFilePath()).value_or(""), "language=ru"));

  m_dialog.reset();
  m_dialog = std::make_unique<RunningDialog>();
  ASSERT_NE(m_dialog->Window(), nullptr);
  EXPECT_EQ(ReadWindowTextW(m_dialog->Item(IDC_RESULT_BUTTON)), L"&\u0420\u0435\u0437\u0443\u043B\u044C\u0442\u0430\u0442")
      << "the choice outlives the window";

  choose("");
  EXPECT_EQ(ReadWindowTextW(m_dialog->Item(IDC_RESULT_BUTTON)), L"&Result");
  EXPECT_TRUE(HasLine(ReadFileBytes(ChoicesFilePath()).value_or(""), "language="));
}

}  // namespace
