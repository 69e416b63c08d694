#include "KeysDialog.h"

#include "KeysDialogIds.h"
#include "TallywiseDlg.h"
#include "TextIds.h"
#include "UiLanguage.h"

namespace {

// The program's own entries of the system menu have numbers below the
// system's commands (SC_SIZE and up).
constexpr UINT kFirstSystemCommand = 0xF000;

// In capitals, as the system writes keys, in every script: the C runtime's
// capitals of its "C" locale stop at ASCII.
wchar_t KeyShown(wchar_t key) {
  ::CharUpperBuffW(&key, 1);
  return key;
}

// The character after the single "&" of a menu text, and the text without it.
// Languages that write their words in another script give the key in
// parentheses after them, "(&L)": the list names the key in its own column,
// so the parentheses go with the "&".
std::pair<wchar_t, std::wstring> AccessKeyOf(std::wstring text) {
  wchar_t key = 0;
  const size_t marked = text.find(L"(&");
  if (marked != std::wstring::npos && marked + 3 < text.size() && text[marked + 2] != L'&' &&
      text[marked + 3] == L')') {
    key = KeyShown(text[marked + 2]);
    size_t from = marked;
    while (from > 0 && text[from - 1] == L' ')
      --from;
    text.erase(from, marked + 4 - from);
  }
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != L'&' && key == 0) key = KeyShown(text[i]);
    }
    shown += text[i];
  }
  // A menu entry's ellipsis says a window opens; the list says so in words.
  if (shown.size() > 3 && shown.ends_with(L"...")) shown.resize(shown.size() - 3);
  return {key, shown};
}

}  // namespace

BEGIN_MESSAGE_MAP(CKeysDialog, CDialog)
  ON_MESSAGE(WM_CTLCOLORDLG, OnCtlColorGround)
  ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorGround)
  ON_MESSAGE(WM_CTLCOLORBTN, OnCtlColorGround)
  ON_NOTIFY(NM_CUSTOMDRAW, IDOK, OnCustomDrawButton)
END_MESSAGE_MAP()

CKeysDialog::CKeysDialog(CWnd* parent, HMENU menu, bool dark) : CDialog(IDD_KEYS, parent), m_menu(menu), m_dark(dark) {}

// In the look of the window it was opened from, as the About box is.
BOOL CKeysDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  ::SetWindowTextW(m_hWnd, LoadText(IDS_KEYS_CAPTION).c_str());
  ::SetWindowTextW(GetDlgItem(IDOK), LoadText(IDS_KEYS_CLOSE).c_str());
  m_look.Follow(m_dark);
  if (m_dark) AskForDarkCaption(m_hWnd, true);
  ShowListViewDark(GetDlgItem(IDC_KEYS_LIST), m_dark);
  FillList();
  return TRUE;  // the list has the focus: the arrows scroll it, Enter and Escape close
}

// The keys of the window, then each entry of the system menu that the program
// added, with its key after Alt+Space, as the menu shows it now.
std::vector<std::pair<std::wstring, std::wstring>> CKeysDialog::Rows() const {
  std::vector<std::pair<std::wstring, std::wstring>> rows;
  for (UINT i = 0; i < IDS_KEYS_ROW_COUNT; ++i) {
    const std::wstring row = LoadText(IDS_KEYS_FIRST_ROW + i);
    const size_t tab = row.find(L'\t');
    if (tab != std::wstring::npos) rows.emplace_back(row.substr(0, tab), row.substr(tab + 1));
  }
  const std::wstring menuKey = LoadText(IDS_KEYS_MENU_KEY);
  const int count = m_menu ? ::GetMenuItemCount(m_menu) : 0;
  for (int i = 0; i < count; ++i) {
    // The system's own entries have no submenu; the program's Language has.
    const UINT id = ::GetMenuItemID(m_menu, i);
    const bool submenu = ::GetSubMenu(m_menu, i) != nullptr;
    if (!submenu && (id == 0 || id == static_cast<UINT>(-1) || id >= kFirstSystemCommand)) continue;
    wchar_t text[128] = L"";
    if (::GetMenuStringW(m_menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION) <= 0) continue;
    const auto [key, action] = AccessKeyOf(text);
    rows.emplace_back(key != 0 ? FormatText(menuKey, {std::wstring_view(&key, 1)}) : std::wstring(), action);
  }
  return rows;
}

void CKeysDialog::FillList() {
  const HWND list = GetDlgItem(IDC_KEYS_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  for (int i = 0; i < 2; ++i) {
    column.cx = 100;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  int index = 0;
  for (auto& [keys, action] : Rows()) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = keys.data();
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = action.data();
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ++index;
  }
  ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE);
  ListView_SetColumnWidth(list, 1, LVSCW_AUTOSIZE_USEHEADER);
  ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

LRESULT CKeysDialog::OnCtlColorGround(WPARAM wParam, LPARAM) {
  if (const HBRUSH ground = m_look.GroundColours(reinterpret_cast<HDC>(wParam))) {
    return reinterpret_cast<LRESULT>(ground);
  }
  return Default();
}

void CKeysDialog::OnCustomDrawButton(NMHDR* header, LRESULT* result) {
  *result = m_look.IsDark() ? DrawDarkButton(*reinterpret_cast<const NMCUSTOMDRAW*>(header), true) : CDRF_DODEFAULT;
}

// The list names the system menu's entries as the menu holds them now.
void CTallywiseDlg::ShowKeys() {
  CKeysDialog keys(this, GetSystemMenu(FALSE), m_look == Look::kDark);
  keys.DoModal();
}
