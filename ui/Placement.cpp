// Where the main window opens and the positions it remembers.
#include <cstring>
#include <string>

#include "Geometry.h"
#include "TallywiseDlg.h"
#include "WindowPlace.h"

namespace {

// The window remembers every place it is shown at, on any monitor of any size.
// A minimised window only stands for the place it will come back to, so its
// moves (to -32000, -32000 on Windows) are not remembered; neither is a change
// that did not move it.
bool IsRememberedPosition(UINT swpFlags, bool minimised) { return !(swpFlags & SWP_NOMOVE) && !minimised; }

// The top-left corner for a window of the given size at (x, y): unchanged when
// the whole window lies in a monitor's work area, else moved into the work
// area of the monitor nearest to it, whole when it fits there.
POINT VisibleTopLeft(int x, int y, int width, int height) {
  const RECT wanted = RectAs<RECT>(FrameAt(x, y, width, height));
  // The nearest monitor is the one that holds most of the window: when the
  // window lies wholly in any work area, it is that monitor's.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return {x, y};
  const Point inside = TopLeftInWorkArea(x, y, width, height, RectAs<Rect>(monitor.rcWork));
  return {inside.x, inside.y};
}

struct CopySearch {
  HWND self;
  POINT at;
  const std::string& caption;
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

// Another visible, not minimised copy of the program whose corner is `at`.
bool CopyStandsAt(HWND self, const std::string& caption, Point at) {
  CopySearch search{self, {at.x, at.y}, caption};
  ::EnumWindows(&FindCopyAt, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The top-left corner of the work area of the monitor at or nearest to a point.
Point WorkAreaCorner(Point at) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromPoint(POINT{at.x, at.y}, MONITOR_DEFAULTTONEAREST), &monitor)) return at;
  return {monitor.rcWork.left, monitor.rcWork.top};
}

// The place for a copy of the program opening at (x, y) while other copies may
// run: stepped down and right by `step` while another visible window of this
// class and caption stands at exactly that corner, so that the new copy never
// hides an older one; each step stays wholly on the screen.
POINT PlaceBesideOtherCopies(HWND self, POINT at, int width, int height, int step) {
  const std::string caption = ReadWindowText(self).str();
  const Point placed = StepPastCopies(
      {at.x, at.y}, step, [&](Point corner) { return CopyStandsAt(self, caption, corner); },
      [&](Point corner) {
        const POINT visible = VisibleTopLeft(corner.x, corner.y, width, height);
        return Point{visible.x, visible.y};
      },
      &WorkAreaCorner);
  return {placed.x, placed.y};
}

}  // namespace

// At the start, once the window is laid out for its font: the stored
// position, then the stored z-order, which also shows the window. The template makes it topmost; for a window that is
// not pinned the second call takes that away.
void CTallywiseDlg::PlaceWindow() {
  RECT rect;
  GetWindowRect(&rect);
  // A position from a larger or a disconnected screen would look as if the
  // program never started, and so would a copy opened on top of another.
  POINT at = VisibleTopLeft(m_nPosX, m_nPosY, Width(rect), Height(rect));
  at = PlaceBesideOtherCopies(m_hWnd, at, Width(rect), Height(rect), SystemMetricForDpi(SM_CYCAPTION, m_nDpi));
  // Hidden while it moves, so that it never shows at the template's place.
  m_systemCalls.setWindowPos(m_hWnd, HWND_TOP, at.x, at.y, Width(rect), Height(rect), SWP_HIDEWINDOW);
  if (TakeScaleOfPlace()) {
    // Grown for another scale, it may reach past the work area now.
    GetWindowRect(&rect);
    const POINT inside = VisibleTopLeft(rect.left, rect.top, Width(rect), Height(rect));
    if (inside.x != rect.left || inside.y != rect.top) {
      m_systemCalls.setWindowPos(m_hWnd, nullptr, inside.x, inside.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
