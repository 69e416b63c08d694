#include "Dpi.h"

#include "LateBoundFunction.h"

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiProc = int(WINAPI*)(int, UINT);
using GetThreadDpiAwarenessContextProc = HANDLE(WINAPI*)();
using AreDpiAwarenessContextsEqualProc = BOOL(WINAPI*)(HANDLE, HANDLE);
using SetDialogControlDpiChangeBehaviorProc = BOOL(WINAPI*)(HWND, int, int);
using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and DCDC_DISABLE_FONT_UPDATE,
// which the compiler's headers offer only to programs that need Windows 10.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kDisableFontUpdate = 1;
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

struct DpiFunctions {
  GetDpiForWindowProc getDpiForWindow = nullptr;
  GetSystemMetricsForDpiProc getSystemMetricsForDpi = nullptr;
  GetThreadDpiAwarenessContextProc getThreadDpiAwarenessContext = nullptr;
  AreDpiAwarenessContextsEqualProc areDpiAwarenessContextsEqual = nullptr;
  SetDialogControlDpiChangeBehaviorProc setDialogControlDpiChangeBehavior = nullptr;
};

// USER32 is loaded with the program, so looking the functions up loads nothing.
const DpiFunctions& Functions() {
  static const DpiFunctions found = [] {
    DpiFunctions procs;
    const HMODULE user = ::GetModuleHandleA("user32.dll");
    if (!user) return procs;
    procs.getDpiForWindow = LateBoundFunction<GetDpiForWindowProc>(user, "GetDpiForWindow");
    procs.getSystemMetricsForDpi = LateBoundFunction<GetSystemMetricsForDpiProc>(user, "GetSystemMetricsForDpi");
    procs.getThreadDpiAwarenessContext =
        LateBoundFunction<GetThreadDpiAwarenessContextProc>(user, "GetThreadDpiAwarenessContext");
    procs.areDpiAwarenessContextsEqual =
        LateBoundFunction<AreDpiAwarenessContextsEqualProc>(user, "AreDpiAwarenessContextsEqual");
    procs.setDialogControlDpiChangeBehavior =
        LateBoundFunction<SetDialogControlDpiChangeBehaviorProc>(user, "SetDialogControlDpiChangeBehavior");
    return procs;
  }();
  return found;
}

// Windows 8.1 tells the scale of a monitor but not yet of a window. Its library
// is loaded, from the system's folder, only where the window's scale is not to
// be had otherwise, and stays for the life of the process.
GetDpiForMonitorProc MonitorDpiFunction() {
  static const GetDpiForMonitorProc found =
      LateBoundFunction<GetDpiForMonitorProc>(LoadSystemLibrary("shcore.dll"), "GetDpiForMonitor");
  return found;
}

}  // namespace

UINT SystemDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT DpiForWindow(HWND hWnd) {
  if (const auto getDpiForWindow = Functions().getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(hWnd)) return dpi;
  } else if (const auto getDpiForMonitor = MonitorDpiFunction()) {
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(getDpiForMonitor(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y) {
      return y;
    }
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  if (const auto getSystemMetricsForDpi = Functions().getSystemMetricsForDpi) {
    return getSystemMetricsForDpi(index, dpi);
  }
  return ScaleLength(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

bool SystemRescalesDialogs() {
  const DpiFunctions& procs = Functions();
  if (!procs.getThreadDpiAwarenessContext || !procs.areDpiAwarenessContextsEqual) return false;
  return procs.areDpiAwarenessContextsEqual(procs.getThreadDpiAwarenessContext(), kPerMonitorAwareV2);
}

void KeepOwnFontOnDpiChange(HWND control) {
  if (const auto setBehavior = Functions().setDialogControlDpiChangeBehavior) {
    setBehavior(control, kDisableFontUpdate, kDisableFontUpdate);
  }
}
