#include "SystemTheme.h"

#include <dwmapi.h>

#include <cstring>

#include "LateBoundFunction.h"

namespace {

using DwmSetWindowAttributeProc = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// DWMWA_USE_IMMERSIVE_DARK_MODE since Windows 10 version 2004 (20H1), and the
// number the same request had before, from version 1809 on.
constexpr DWORD kDarkCaption = 20;
constexpr DWORD kDarkCaptionBefore2004 = 19;

// Windows 7 has the library but not the request; Windows without the desktop
// window manager may lack the library. Looked up once.
DwmSetWindowAttributeProc SetWindowAttributeFunction() {
  static const DwmSetWindowAttributeProc found =
      LateBoundFunction<DwmSetWindowAttributeProc>(LoadSystemLibrary("dwmapi.dll"), "DwmSetWindowAttribute");
  return found;
}

}  // namespace

bool AppsUseDarkTheme() {
  DWORD light = 1;
  DWORD size = sizeof light;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                     "AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size) != ERROR_SUCCESS) {
    return false;
  }
  return light == 0;
}

bool HighContrastOn() {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

void AskForDarkCaption(HWND window, bool dark) {
  const auto setAttribute = SetWindowAttributeFunction();
  if (!setAttribute) return;
  const BOOL value = dark ? TRUE : FALSE;
  if (FAILED(setAttribute(window, kDarkCaption, &value, sizeof value))) {
    setAttribute(window, kDarkCaptionBefore2004, &value, sizeof value);
  }
}

bool IsColourModeChange(LPARAM settingName) {
  // The name comes from any program's broadcast: read no further than a
  // string's end, and take no name at all as no match.
  const auto* name = reinterpret_cast<const char*>(settingName);
  return name && std::strcmp(name, "ImmersiveColorSet") == 0;
}
