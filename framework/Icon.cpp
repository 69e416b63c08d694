#include "Icon.h"

#include "LateBoundFunction.h"

namespace {

using LoadIconWithScaleDownProc = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// Version 6 of the common controls has it; the program's manifest asks for
// that version, which is loaded with the program.
LoadIconWithScaleDownProc LoadIconWithScaleDownFunction() {
  static const LoadIconWithScaleDownProc found =
      LateBoundFunction<LoadIconWithScaleDownProc>(::GetModuleHandleA("comctl32.dll"), "LoadIconWithScaleDown");
  return found;
}

}  // namespace

BOOL CIcon::Load(HINSTANCE module, UINT id, int size) {
  HICON icon = nullptr;
  if (const auto loadWithScaleDown = LoadIconWithScaleDownFunction()) {
    if (FAILED(loadWithScaleDown(module, MAKEINTRESOURCEW(id), size, size, &icon))) icon = nullptr;
  }
  if (!icon) icon = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
  return Replace(icon);
}
