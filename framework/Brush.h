// A solid brush owned by one object and deleted with it.
#pragma once

#include <windows.h>

#include "HandleOwner.h"

class CBrush : public CHandleOwner<HBRUSH, &::DeleteObject> {
public:
  // Replaces a brush held before; false (keeping it) when none can be made.
  bool CreateSolid(COLORREF colour) { return Replace(::CreateSolidBrush(colour)); }
};
