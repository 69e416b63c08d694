// An icon loaded at one exact size, owned by one object and destroyed with it.
#pragma once

#include <windows.h>

#include "HandleOwner.h"

class CIcon : public CHandleOwner<HICON, &::DestroyIcon> {
public:
  // The icon resource's frame drawn for `size` pixels square. Where the
  // resource has no such frame, the next larger one is scaled down (Windows
  // Vista and later), which keeps it sharper than one scaled up. Replaces an
  // icon held before, which is destroyed only once the new one exists: a
  // window still showing the old one must be given the new one.
  BOOL Load(HINSTANCE module, UINT id, int size);
};
