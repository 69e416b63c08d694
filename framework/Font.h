// A GDI font owned by one object: created by it, deleted with it.
#pragma once

#include <windows.h>

class CFont {
public:
  CFont() = default;
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;
  ~CFont() { DeleteObject(); }

  // Both replace a font held before, which is deleted only once the new one
  // exists. A window still showing the old font must be given the new one.
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, const char* faceName);
  BOOL CreateFontIndirect(const LOGFONTA* logFont);

  // Bytes written into *logFont; 0 when the object holds no font.
  int GetLogFont(LOGFONTA* logFont) const;
  BOOL DeleteObject();
  // Trades fonts with another object: a window can be given a new font before
  // the old one, now held by the other object, is deleted.
  void Swap(CFont& other) noexcept {
    HFONT mine = m_hFont;
    m_hFont = other.m_hFont;
    other.m_hFont = mine;
  }

  HFONT GetSafeHandle() const { return m_hFont; }
  operator HFONT() const { return m_hFont; }

private:
  BOOL Replace(HFONT font);

  HFONT m_hFont = nullptr;
};
