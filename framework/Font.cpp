#include "Font.h"

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, const char* faceName) {
  return Replace(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                               outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont) { return Replace(::CreateFontIndirectA(logFont)); }

int CFont::GetLogFont(LOGFONTA* logFont) const { return m_hFont ? ::GetObjectA(m_hFont, sizeof *logFont, logFont) : 0; }

BOOL CFont::DeleteObject() {
  if (!m_hFont) return FALSE;
  ::DeleteObject(m_hFont);
  m_hFont = nullptr;
  return TRUE;
}

BOOL CFont::Replace(HFONT font) {
  if (!font) return FALSE;
  DeleteObject();
  m_hFont = font;
  return TRUE;
}
