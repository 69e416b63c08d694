// The dialog's side of the settings file: read once while the window starts,
// written once when it is asked to close. The font height is kept in pixels at
// 96 DPI, as the program has always written it and as Windows showed it at
// any scale before the program drew itself at its monitor's scale: the font
// is made at the window's scale and its height taken back to 96 DPI to be
// stored, so a file is written back as it was read, and a font keeps its size
// in points from one scale to another.
#include "TallywiseDlg.h"

#include <cstring>
#include <string>
#include <vector>

#include "ChoicesFile.h"
#include "NumberWriting.h"
#include "SettingsFile.h"
#include "SettingsText.h"

namespace {

std::vector<std::string> ToStrings(const CStringArray& lines) {
  std::vector<std::string> strings;
  strings.reserve(lines.size());
  for (const CString& line : lines)
    strings.push_back(line.str());
  return strings;
}

CStringArray ToCStrings(const std::vector<std::string>& strings) {
  return CStringArray(strings.begin(), strings.end());
}

}  // namespace

// At the start, before the fields are given their font: what the file holds,
// or, when any of it is unusable, the defaults for everything.
// The choices come first: the font's underline and strike-out are kept among
// them, the settings file having no line for either.
void CTallywiseDlg::LoadSettings() {
  m_choices = ReadChoicesFile(GetChoicesPath());
  const CString path = GetSettingsPath();
  if (!ReadSettingsLines(path, m_arrSettings) ||
      !ApplySettings(m_arrSettings, m_strFormat, m_nPosX, m_nPosY, *m_pFont, m_bTopMost)) {
    ApplyDefaultSettings();
  }
}

void CTallywiseDlg::ApplyDefaultSettings() {
  m_strFormat = MakeNumberFormat(3);
  m_pFont->CreateFont(ScaleFrom96(kDefaultFontHeight, m_nDpi), 0, 0, 0, 500, FALSE, m_choices.fontUnderline,
                      m_choices.fontStrikeout, 0, 0, 0, 0, 0, "Courier New");
  m_nPosX = 300;
  m_nPosY = 300;
  m_bTopMost = false;
}

BOOL CTallywiseDlg::ReadSettingsLines(const CString& path, CStringArray& lines) {
  std::vector<std::string> strings;
  const bool opened = ReadSettingsFile(path.str(), strings);
  lines = ToCStrings(strings);
  return opened;
}

BOOL CTallywiseDlg::ApplySettings(const CStringArray& lines, CString& format, int& x, int& y, CFont& font,
                                  bool& topMost) {
  const auto settings = ParseSettingsLines(ToStrings(lines));
  if (!settings) return FALSE;
  format = settings->format;
  x = settings->x;
  y = settings->y;
  if (!font.CreateFont(ScaleFrom96(settings->fontHeight, m_nDpi), 0, 0, 0, settings->fontWeight, settings->italic,
                       m_choices.fontUnderline, m_choices.fontStrikeout, 0, 0, 0, 0, 0, settings->faceName.c_str())) {
    return FALSE;
  }
  topMost = settings->topMost;
  return TRUE;
}

BOOL CTallywiseDlg::CollectSettings(CStringArray& lines, const CString& format, int x, int y, const CFont& font,
                                    bool topMost) {
  LOGFONTA logFont{};
  font.GetLogFont(&logFont);
  StoredSettings settings;
  settings.format = format.str();
  settings.x = x;
  settings.y = y;
  settings.fontHeight = ScaleTo96(logFont.lfHeight, m_nDpi);
  settings.fontWeight = logFont.lfWeight;
  settings.italic = logFont.lfItalic;
  settings.faceName.assign(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE));
  settings.topMost = topMost;
  lines = ToCStrings(SettingsLinesOf(settings));
  return TRUE;
}

BOOL CTallywiseDlg::WriteSettingsLines(const CString& path, const CStringArray& lines) {
  return WriteSettingsFile(path.str(), ToStrings(lines));
}

void CTallywiseDlg::SaveSettings() {
  CollectSettings(m_arrSettings, m_strFormat, m_nPosX, m_nPosY, *m_pFont, m_bTopMost);
  WriteSettingsLines(GetSettingsPath(), m_arrSettings);  // a file that cannot be written is passed over
  SaveChoices();
}

void CTallywiseDlg::SaveChoices() {
  WriteChoicesFile(GetChoicesPath(), m_choices);  // passed over when it cannot be written, as the settings are
}

// Only a close request saves; Escape ends the dialog through Cancel and
// leaves the file as it was.
void CTallywiseDlg::OnClose() {
  SaveSettings();
  Default();
}

// The end of the session sends no close request: the process may end as soon
// as this returns, so the settings are written here, as on a close request.
LRESULT CTallywiseDlg::OnEndSession(WPARAM ending, LPARAM) {
  if (ending) SaveSettings();
  return 0;
}
