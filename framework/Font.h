// A GDI font owned by one object: created by it, deleted with it.
#pragma once

#include <windows.h>

#include "HandleOwner.h"

class CFont : public CHandleOwner<HFONT, &::DeleteObject> {
public:
  // Both replace a font held before, which is deleted only once the new one
  // exists. A window still showing the old font must be given the new one.
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, const char* faceName);
  BOOL CreateFontIndirect(const LOGFONTA* logFont) { return Replace(::CreateFontIndirectA(logFont)); }

  // Bytes written into *logFont; 0 when the object holds no font.
  int GetLogFont(LOGFONTA* logFont) const {
    return GetSafeHandle() ? ::GetObjectA(GetSafeHandle(), sizeof *logFont, logFont) : 0;
  }
};
