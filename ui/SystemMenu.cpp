// The main window's commands in its system menu: the About box, the choice
// of the fields' display font and the emptying of the expression history.
#include "AboutBox.h"
#include "SettingsText.h"
#include "KeysDialog.h"
#include "KeysDialogIds.h"
#include "TallywiseDlg.h"
#include "TallywiseDlgIds.h"
#include "TextIds.h"
#include "UiLanguage.h"

namespace {

// The chooser measures heights against the screen's scale and shows whole
// points, rounded half up. Away from 100 % it is given the height of the
// point size it shows for the font at 100 %, so that a font shows as the same
// size at every scale: 15 pixels at 96 DPI are 11.25 points, shown as 11, but
// the 23 pixels the window uses at 144 DPI would show as 12.
int HeightForChooser(int heightAt96, UINT chooserDpi) {
  if (chooserDpi == kDefaultDpi || heightAt96 >= 0) return ScaleFrom96(heightAt96, chooserDpi);
  const int points = ScaleLength(-heightAt96, 72, kDefaultDpi);
  return -ScaleLength(points, static_cast<int>(chooserDpi), 72);
}

}  // namespace

// The entries follow the system's own. Without the About text there is no
// entry at all, rather than a Font command on its own. Each has an access key
// that none of the system's entries uses (Restore, Move, Size, Minimise,
// Maximise and Close take R, M, S, N, X and C).
void CTallywiseDlg::ExtendSystemMenu() {
  const HMENU menu = GetSystemMenu(FALSE);
  if (!menu) return;
  const std::wstring about = LoadText(IDS_ABOUTBOX);
  if (about.empty()) return;
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
  ::AppendMenuW(menu, MF_STRING, IDM_FONT, LoadText(IDS_MENU_FONT).c_str());
  ::AppendMenuW(menu, MF_STRING, IDM_CLEAR_HISTORY, LoadText(IDS_MENU_CLEAR_HISTORY).c_str());
  AddExactArithmeticItem(menu);
  ::AppendMenuW(menu, MF_STRING | (m_choices.liveResult ? MF_CHECKED : 0), IDM_LIVE_RESULT,
                LoadText(IDS_MENU_LIVE_RESULT).c_str());
  ::AppendMenuW(menu, MF_STRING | (m_choices.digitGrouping ? MF_CHECKED : 0), IDM_DIGIT_GROUPING,
                LoadText(IDS_MENU_DIGIT_GROUPING).c_str());
  ::AppendMenuW(menu, MF_STRING, IDM_KEYS, LoadText(IDS_MENU_KEYS).c_str());
  AddLanguageMenu(menu);
}

void CTallywiseDlg::ShowChoiceChecked(UINT id, bool checked) {
  if (const HMENU menu = GetSystemMenu(FALSE))
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// The system keeps the four low bits of a command number for itself, so the
// About command is recognised without them.
void CTallywiseDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutBox about;
    about.DoModal();
  } else if (id == IDM_FONT) {
    ChooseDisplayFont();
  } else if ((id & 0xFFF0) == IDM_CLEAR_HISTORY) {
    ClearHistory();
  } else if ((id & 0xFFF0) == IDM_LIVE_RESULT) {
    ToggleLiveResult();
  } else if ((id & 0xFFF0) == IDM_DIGIT_GROUPING) {
    ToggleDigitGrouping();
  } else if ((id & 0xFFF0) == IDM_KEYS) {
    ShowKeys();
  } else if ((id & 0xFFF0) == IDM_EXACT_ARITHMETIC) {
    ToggleExactArithmetic();
  } else if (OnLanguageCommand(id)) {
    return;
  } else {
    DefWindowProc(WM_SYSCOMMAND, id, lParam);
  }
}

// The chooser opens on the font shown now, at its size in points. The new font
// is made for the window's scale and handed to both fields before the old one
// goes: a font the system cannot make leaves the fields, and the font object
// that the settings are saved from, as they were.
void CTallywiseDlg::ChooseDisplayFont() {
  const UINT chooserDpi = SystemDpi();
  LOGFONTA current{};
  m_pFont->GetLogFont(&current);
  current.lfHeight = HeightForChooser(ScaleTo96(current.lfHeight, m_nDpi), chooserDpi);
  // No larger than the settings file keeps: a font it would not take back
  // would be gone at the next start.
  CFontDialog chooser(&current, CF_SCREENFONTS | CF_EFFECTS | CF_LIMITSIZE);
  chooser.m_cf.nSizeMin = 1;
  chooser.m_cf.nSizeMax = kLargestFontPoints;
  if (chooser.DoModal() != IDOK) return;

  LOGFONTA chosen{};
  chooser.GetCurrentFont(&chosen);
  chosen.lfHeight = ScaleFrom96(ScaleTo96(chosen.lfHeight, chooserDpi), m_nDpi);
  CFont font;
  if (!font.CreateFont(chosen.lfHeight, chosen.lfWidth, chosen.lfEscapement, chosen.lfOrientation, chosen.lfWeight,
                       chosen.lfItalic, chosen.lfUnderline, chosen.lfStrikeOut, chosen.lfCharSet, chosen.lfOutPrecision,
                       chosen.lfClipPrecision, chosen.lfQuality, chosen.lfPitchAndFamily, chosen.lfFaceName)) {
    return;
  }
  m_editExpression.SetFont(&font);
  m_editResult.SetFont(&font);
  m_pFont->Swap(font);  // the old font leaves with `font`, shown by no field now
  FitToFont();
  // The settings file keeps the face, size, weight and slant; the effects are
  // kept with the choices, at once, so that the next start shows them too.
  const bool underline = chosen.lfUnderline != 0;
  const bool strikeout = chosen.lfStrikeOut != 0;
  if (underline != m_choices.fontUnderline || strikeout != m_choices.fontStrikeout) {
    m_choices.fontUnderline = underline;
    m_choices.fontStrikeout = strikeout;
    SaveChoices();
  }
}
