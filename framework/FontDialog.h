// The system's font chooser, run modally.
#pragma once

#include <windows.h>
#include <commdlg.h>

class CWnd;

class CFontDialog {
public:
  // With an initial font the chooser opens showing it. Without a parent the
  // application's main window owns the chooser.
  explicit CFontDialog(const LOGFONTA* initial = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                       HDC printer = nullptr, CWnd* parent = nullptr);

  // IDOK when the user chose a font, IDCANCEL otherwise.
  INT_PTR DoModal();
  // The chosen font.
  void GetCurrentFont(LOGFONTA* logFont) const { *logFont = m_lf; }

  CHOOSEFONTA m_cf{};

private:
  LOGFONTA m_lf{};
  CWnd* m_pParentWnd;
};
