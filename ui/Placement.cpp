// Where the main window opens, its on-top pin, the positions it remembers and
// its look while minimised.
#include "Placement.h"

#include <algorithm>
#include <climits>

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

// Painting between BeginPaint and EndPaint.
class PaintScope {
public:
  explicit PaintScope(HWND hWnd) : m_hWnd(hWnd), m_hDC(::BeginPaint(hWnd, &m_paint)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { ::EndPaint(m_hWnd, &m_paint); }

  HDC Dc() const { return m_hDC; }

private:
  HWND m_hWnd;
  PAINTSTRUCT m_paint{};
  HDC m_hDC;
};

}  // namespace

POINT VisibleTopLeft(int x, int y, int width, int height) {
  const RECT wanted{x, y, FarEdge(x, width), FarEdge(y, height)};
  if (::MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) return {x, y};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return {x, y};
  // A window larger than the work area keeps its caption on the screen.
  const RECT& work = monitor.rcWork;
  return {std::max<LONG>(work.left, std::min<LONG>(x, work.right - width)),
          std::max<LONG>(work.top, std::min<LONG>(y, work.bottom - height))};
}

// Step 9 of the start: the stored position, then the stored z-order, which
// also shows the window. The template makes it topmost; for a window that is
// not pinned the second call takes that away.
void CTallywiseDlg::PlaceWindow() {
  RECT rect;
  GetWindowRect(&rect);
  // A position from a larger or a disconnected screen would look as if the
  // program never started.
  const POINT at = VisibleTopLeft(m_nPosX, m_nPosY, Width(rect), Height(rect));
  // Hidden while it moves, so that it never shows at the template's place.
  g_pfnSetWindowPos(m_hWnd, HWND_TOP, at.x, at.y, Width(rect), Height(rect), SWP_HIDEWINDOW);
  TakeScaleOfPlace();
  ShowOnTopState();
}

void CTallywiseDlg::ShowOnTopState() {
  m_btnTopMost.SetIcon(m_bTopMost ? m_hIconTop : m_hIconNoTop);
  RECT rect;
  GetWindowRect(&rect);
  g_pfnSetWindowPos(m_hWnd, m_bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, Width(rect), Height(rect),
                    SWP_SHOWWINDOW);
}

void CTallywiseDlg::OnToggleTopMost() {
  m_bTopMost = !m_bTopMost;
  ShowOnTopState();
  m_editExpression.SetFocus();
}

void CTallywiseDlg::OnWindowPosChanged(WINDOWPOS* pos) {
  Default();
  // A minimised window reports (-32000, -32000): the bounds keep the corner it
  // had before, which is where it reopens after a close while minimised.
  if (IsRememberedPosition(pos->x, pos->y)) {
    m_nPosX = pos->x;
    m_nPosY = pos->y;
  }
}

// Systems that show a minimised window's client area get the program icon
// there; everything else is the dialog's own painting.
void CTallywiseDlg::OnPaint() {
  if (!IsIconic()) {
    Default();
    return;
  }
  PaintScope paint(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Dc()));
  const int iconWidth = ::GetSystemMetrics(SM_CXICON);
  const int iconHeight = ::GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(&client);
  ::DrawIcon(paint.Dc(), (Width(client) - iconWidth + 1) / 2, (Height(client) - iconHeight + 1) / 2, m_hIcon);
}

HCURSOR CTallywiseDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

// F1 opens no help: the program has none.
BOOL CTallywiseDlg::OnHelpInfo(HELPINFO*) { return TRUE; }
