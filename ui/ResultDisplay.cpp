// What the result field shows of a number: the plain number, or, with Digit
// Grouping, the number as the user's locale writes it for reading. Either way
// the number it stands for, in m_strResult, is the plain one: copies, the
// history and screen readers get that.
#include <optional>

#include "DigitGrouping.h"
#include "KeysDialogIds.h"
#include "NumberWriting.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"

namespace {

std::wstring LocaleText(LCTYPE type) {
  wchar_t text[16] = L"";
  const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 16);
  return length > 1 ? std::wstring(text, static_cast<size_t>(length - 1)) : std::wstring();
}

// The number as the locale writes it. The format is built from the locale's
// own group sizes: the one the system builds for a locale groups only once in
// Wine. What the system writes is checked against the plain number, so that
// the field can never show another value; where it is not the same, or where
// the system writes nothing, the program groups the digits itself.
std::optional<std::wstring> GroupedForLocale(const std::string& plain, CResultEdit::Marks& marks) {
  if (!IsFormattedNumber(plain)) return std::nullopt;
  marks = {LocaleText(LOCALE_STHOUSAND), LocaleText(LOCALE_SDECIMAL)};
  if (marks.decimalMark.empty()) marks.decimalMark = L".";
  DigitGroups groups = GroupsOfWindowsText(Utf8OfWide(LocaleText(LOCALE_SGROUPING)));
  // A separator that is never written, or that could not be told from the
  // decimal mark, is none.
  if (groups.sizes.empty() || marks.separator == marks.decimalMark) {
    groups = {};
    marks.separator.clear();
  }
  const std::string separator = Utf8OfWide(marks.separator);
  const std::string decimalMark = Utf8OfWide(marks.decimalMark);

  const size_t point = plain.find('.');
  NUMBERFMTW format{};
  format.NumDigits = point == std::string::npos ? 0 : static_cast<UINT>(plain.size() - point - 1);
  format.LeadingZero = 1;
  format.Grouping = NumberFormatGrouping(groups);
  format.lpDecimalSep = marks.decimalMark.data();
  format.lpThousandSep = marks.separator.data();
  format.NegativeOrder = 1;  // "-1.1"
  const std::wstring value = WideOfUtf8(plain);
  const int length = ::GetNumberFormatW(LOCALE_USER_DEFAULT, 0, value.c_str(), &format, nullptr, 0);
  if (length > 1) {
    std::wstring grouped(static_cast<size_t>(length), L'\0');
    if (::GetNumberFormatW(LOCALE_USER_DEFAULT, 0, value.c_str(), &format, grouped.data(), length) == length) {
      grouped.resize(static_cast<size_t>(length - 1));
      if (PlainOfGrouped(Utf8OfWide(grouped), separator, decimalMark) == plain) return grouped;
    }
  }
  return WideOfUtf8(GroupDigits(plain, groups, separator, decimalMark));
}

}  // namespace

// Every number the result field shows is written here.
void CTallywiseDlg::ShowResultNumber(const std::string& plain) {
  m_strResult = CString(plain);
  CResultEdit::Marks marks;
  if (m_choices.digitGrouping) {
    if (const auto grouped = GroupedForLocale(plain, marks)) {
      m_editResult.ShowGrouped(*grouped, std::move(marks));
      return;
    }
  }
  m_editResult.ShowText(WideOfUtf8(plain));
}

// The template's result field is made for the ANSI code page, where a
// separator such as the narrow no-break space of French has no place. A field
// of the same kind, place and style, made for Unicode, takes its place in the
// tab order before the controls are bound; should it not be made, the
// template's field stays.
void CTallywiseDlg::MakeResultFieldUnicode() {
  const HWND old = GetDlgItem(IDC_RESULT);
  if (!old || ::IsWindowUnicode(old)) return;
  RECT place{};
  ::GetWindowRect(old, &place);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
  const HWND field = ::CreateWindowExW(
      static_cast<DWORD>(::GetWindowLongW(old, GWL_EXSTYLE)), L"EDIT", L"",
      static_cast<DWORD>(::GetWindowLongW(old, GWL_STYLE)), place.left, place.top, place.right - place.left,
      place.bottom - place.top, m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RESULT)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE)), nullptr);
  if (!field) return;
  ::SendMessageW(field, WM_SETFONT, ::SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
  ::SetWindowPos(field, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::DestroyWindow(old);
}

// The number shown now is shown again the new way; a prompt, or a text the
// user typed into the field, stays as it is.
void CTallywiseDlg::ToggleDigitGrouping() {
  const std::string shown = ShownResult();
  const bool showsNumber = IsFormattedNumber(shown) && shown == m_strResult.str();
  m_choices.digitGrouping = !m_choices.digitGrouping;
  ShowChoiceChecked(IDM_DIGIT_GROUPING, m_choices.digitGrouping);
  SaveChoices();
  if (!showsNumber) return;
  if (ShowsLiveResult()) {
    ShowLiveNumber(shown);
  } else {
    ShowResultNumber(shown);
  }
}
