// Where the main window opens and the positions it remembers.
#include "Placement.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "TallywiseDlg.h"

SetWindowPosProc g_pfnSetWindowPos = &::SetWindowPos;
DpiForWindowProc g_pfnDpiForWindow = &DpiForWindow;

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

// A stored corner may be anything the file held, INT_MAX included.
LONG FarEdge(int start, int length) {
  return static_cast<LONG>(std::clamp(static_cast<long long>(start) + length, static_cast<long long>(INT_MIN),
                                      static_cast<long long>(INT_MAX)));
}

}  // namespace

POINT VisibleTopLeft(int x, int y, int width, int height) {
  const RECT wanted{x, y, FarEdge(x, width), FarEdge(y, height)};
  // The nearest monitor is the one that holds most of the window: when the
  // window lies wholly in any work area, it is that monitor's.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return {x, y};
  const RECT& work = monitor.rcWork;
  if (wanted.left >= work.left && wanted.top >= work.top && wanted.right <= work.right &&
      wanted.bottom <= work.bottom) {
    return {x, y};
  }
  // A window larger than the work area keeps its caption on the screen.
  return {std::max<LONG>(work.left, std::min<LONG>(x, work.right - width)),
          std::max<LONG>(work.top, std::min<LONG>(y, work.bottom - height))};
}

namespace {

struct CopySearch {
  HWND self;
  POINT at;
  std::string caption;
  bool found = false;
};

BOOL CALLBACK FindCopyAt(HWND hWnd, LPARAM lParam) {
  auto& search = *reinterpret_cast<CopySearch*>(lParam);
  if (hWnd == search.self || !::IsWindowVisible(hWnd) || ::IsIconic(hWnd)) return TRUE;
  RECT rect;
  if (!::GetWindowRect(hWnd, &rect) || rect.left != search.at.x || rect.top != search.at.y) return TRUE;
  char className[16] = "";
  ::GetClassNameA(hWnd, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || ReadWindowText(hWnd).str() != search.caption) return TRUE;
  search.found = true;
  return FALSE;
}

// The top-left corner of the work area of the monitor at or nearest to a point.
POINT WorkAreaCorner(POINT at) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor)) return at;
  return {monitor.rcWork.left, monitor.rcWork.top};
}

}  // namespace

POINT PlaceBesideOtherCopies(HWND self, POINT at, int width, int height, int step) {
  CopySearch search{self, at, ReadWindowText(self).str()};
  // However many copies there are, the search ends: a place that the screen's
  // edge keeps from moving on starts again at the work area's corner, once.
  bool wrapped = false;
  for (int tries = 0; tries < 64; ++tries) {
    search.found = false;
    ::EnumWindows(&FindCopyAt, reinterpret_cast<LPARAM>(&search));
    if (!search.found) break;
    POINT next = VisibleTopLeft(search.at.x + step, search.at.y + step, width, height);
    if (next.x == search.at.x && next.y == search.at.y) {
      if (wrapped) break;
      wrapped = true;
      next = WorkAreaCorner(search.at);
    }
    search.at = next;
  }
  return search.at;
}

// Step 9 of the start: the stored position, then the stored z-order, which
// also shows the window. The template makes it topmost; for a window that is
// not pinned the second call takes that away.
void CTallywiseDlg::PlaceWindow() {
  RECT rect;
  GetWindowRect(&rect);
  // A position from a larger or a disconnected screen would look as if the
  // program never started, and so would a copy opened on top of another.
  POINT at = VisibleTopLeft(m_nPosX, m_nPosY, Width(rect), Height(rect));
  at = PlaceBesideOtherCopies(m_hWnd, at, Width(rect), Height(rect), SystemMetricForDpi(SM_CYCAPTION, m_nDpi));
  // Hidden while it moves, so that it never shows at the template's place.
  g_pfnSetWindowPos(m_hWnd, HWND_TOP, at.x, at.y, Width(rect), Height(rect), SWP_HIDEWINDOW);
  if (TakeScaleOfPlace()) {
    // Grown for another scale, it may reach past the work area now.
    GetWindowRect(&rect);
    const POINT inside = VisibleTopLeft(rect.left, rect.top, Width(rect), Height(rect));
    if (inside.x != rect.left || inside.y != rect.top) {
      g_pfnSetWindowPos(m_hWnd, nullptr, inside.x, inside.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ShowOnTopState();
}

void CTallywiseDlg::OnWindowPosChanged(WINDOWPOS* pos) {
  Default();
  // A window closed while minimised reopens where it was before.
  if (IsRememberedPosition(pos->flags, IsIconic())) {
    m_nPosX = pos->x;
    m_nPosY = pos->y;
  }
}
