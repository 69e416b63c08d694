// The window in the user's language: the texts it shows, looked up in the
// language in use, and the choice of that language in the system menu. What
// the checker and the evaluator decide carries no words; they are put to
// their outcomes here.
#include <string>

#include "Prompts.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"
#include "TextIds.h"
#include "UiLanguage.h"

namespace {

UINT PromptTextId(Prompt prompt) {
  switch (prompt) {
    case Prompt::EnterExpression: return IDS_PROMPT_ENTER;
    case Prompt::PasteNumber: return IDS_PROMPT_PASTE_NUMBER;
    case Prompt::PasteOperator: return IDS_PROMPT_PASTE_OPERATOR;
    case Prompt::Together: return IDS_PROMPT_TOGETHER;
    case Prompt::UnknownSymbol: return IDS_PROMPT_UNKNOWN;
    case Prompt::MissingOpen: return IDS_PROMPT_MISSING_OPEN;
    case Prompt::MissingClose: return IDS_PROMPT_MISSING_CLOSE;
    case Prompt::MissingBoth: return IDS_PROMPT_MISSING_BOTH;
  }
  return IDS_PROMPT_ENTER;
}

UINT FaultTextId(ComputeFault fault) {
  switch (fault) {
    case ComputeFault::DivisionByZero: return IDS_FAULT_DIVISION;
    case ComputeFault::Overflow: return IDS_FAULT_OVERFLOW;
    case ComputeFault::NegativeEvenRoot: return IDS_FAULT_EVEN_ROOT;
    case ComputeFault::ZeroDegreeRoot: return IDS_FAULT_ZERO_DEGREE;
  }
  return IDS_FAULT_DIVISION;
}

// The system menu's own entries whose names change with the language.
struct NamedEntry {
  UINT command;
  UINT text;
};
constexpr NamedEntry kNamedEntries[] = {
    {IDM_ABOUTBOX, IDS_ABOUTBOX},
    {IDM_FONT, IDS_MENU_FONT},
    {IDM_CLEAR_HISTORY, IDS_MENU_CLEAR_HISTORY},
    {IDM_EXACT_ARITHMETIC, IDS_MENU_EXACT},
    {IDM_LIVE_RESULT, IDS_MENU_LIVE_RESULT},
    {IDM_DIGIT_GROUPING, IDS_MENU_DIGIT_GROUPING},
    {IDM_KEYS, IDS_MENU_KEYS},
};

void RenameEntry(HMENU menu, UINT item, BOOL byPosition, const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  ::SetMenuItemInfoW(menu, item, byPosition, &info);
}

// The language entries' commands: the system's default first, then each
// language; the system keeps the four low bits of a command for itself.
UINT LanguageCommand(size_t index) { return IDM_LANGUAGE_FIRST + 16 * static_cast<UINT>(index); }

}  // namespace

std::wstring CTallywiseDlg::PromptText(const CheckOutcome& outcome) const {
  std::wstring named[2];
  for (size_t i = 0; i < std::size(named); ++i)
    named[i] = i < outcome.named.size() ? WideFromAnsi(outcome.named.substr(i, 1)) : L"?";
  return FormatText(LoadText(PromptTextId(outcome.prompt)), {named[0], named[1]});
}

std::wstring CTallywiseDlg::FaultText(ComputeFault fault) const { return LoadText(FaultTextId(fault)); }

// The field keeps the text as given, whatever the code page; the stored text
// is what the field then reads as, so that the next refresh leaves it alone.
void CTallywiseDlg::ShowInResultField(const std::wstring& text) {
  m_editResult.ShowText(text);
  m_strResult = ReadWindowText(m_editResult);
}

// The language menu: the system's default, then every language by its own
// name, the one in use marked. Added once, after the other entries.
void CTallywiseDlg::AddLanguageMenu(HMENU systemMenu) {
  m_languageMenu = ::CreatePopupMenu();
  if (!m_languageMenu) return;
  ::AppendMenuW(m_languageMenu, MF_STRING, LanguageCommand(0), LoadText(IDS_MENU_LANGUAGE_SYSTEM).c_str());
  ::AppendMenuW(m_languageMenu, MF_SEPARATOR, 0, nullptr);
  size_t index = 1;
  for (const UiLanguage& language : UiLanguages())
    ::AppendMenuW(m_languageMenu, MF_STRING, LanguageCommand(index++), language.ownName);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_SUBMENU | MIIM_STRING | MIIM_ID;
  info.wID = IDM_LANGUAGE;
  info.hSubMenu = m_languageMenu;
  const std::wstring name = LoadText(IDS_MENU_LANGUAGE);
  info.dwTypeData = const_cast<wchar_t*>(name.c_str());
  if (!::InsertMenuItemW(systemMenu, static_cast<UINT>(::GetMenuItemCount(systemMenu)), TRUE, &info)) {
    ::DestroyMenu(m_languageMenu);
    m_languageMenu = nullptr;
    return;
  }
  MarkLanguageInMenu();
}

void CTallywiseDlg::MarkLanguageInMenu() {
  if (!m_languageMenu) return;
  const auto languages = UiLanguages();
  size_t chosen = 0;
  for (size_t i = 0; i < languages.size(); ++i) {
    if (languages[i].tag == m_choices.language) chosen = i + 1;
  }
  ::CheckMenuRadioItem(m_languageMenu, LanguageCommand(0), LanguageCommand(languages.size()), LanguageCommand(chosen),
                       MF_BYCOMMAND);
}

bool CTallywiseDlg::OnLanguageCommand(UINT id) {
  const UINT command = id & 0xFFF0;
  const auto languages = UiLanguages();
  for (size_t index = 0; index <= languages.size(); ++index) {
    if (command != LanguageCommand(index)) continue;
    m_choices.language = index == 0 ? std::string() : std::string(languages[index - 1].tag);
    SaveChoices();
    UseUiLanguage(m_choices.language);
    MarkLanguageInMenu();
    ShowTexts();
    return true;
  }
  return false;
}

// Everything the window shows in words, in the language in use; run at the
// start and again when the user chooses another language. A prompt on show
// is written again in the new language.
void CTallywiseDlg::ShowTexts() {
  ::SetDlgItemTextW(m_hWnd, IDC_RESULT_BUTTON, LoadText(IDS_RESULT_BUTTON).c_str());
  m_tipCtrl.UpdateTipText(LoadText(IDS_TIP_TOPMOST).c_str(), GetDlgItem(IDC_TOPMOST));
  m_tipCtrl.UpdateTipText(LoadText(IDS_TIP_RESULT).c_str(), GetDlgItem(IDC_RESULT_BUTTON));
  ShowDecimalsInTip();
  if (const HMENU menu = GetSystemMenu(FALSE)) {
    for (const NamedEntry& entry : kNamedEntries)
      RenameEntry(menu, entry.command, FALSE, LoadText(entry.text));
    for (int position = 0; m_languageMenu && position < ::GetMenuItemCount(menu); ++position) {
      if (::GetSubMenu(menu, position) == m_languageMenu)
        RenameEntry(menu, static_cast<UINT>(position), TRUE, LoadText(IDS_MENU_LANGUAGE));
    }
    if (m_languageMenu) RenameEntry(m_languageMenu, LanguageCommand(0), FALSE, LoadText(IDS_MENU_LANGUAGE_SYSTEM));
  }
  if (ShowsExactMark()) ShowExactMark();
  if (m_writePrompt && ShowsPrompt()) {
    ShowInResultField(m_writePrompt());
    m_strPromptShown = m_strResult;
    AnnounceResult();
  }
}
