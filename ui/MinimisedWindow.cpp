// The main window while it is minimised: the program icon where a system
// shows the client area of a minimised window, and while it is dragged.
#include "PaintDC.h"
#include "TallywiseDlg.h"

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

// Systems that show a minimised window's client area get the program icon
// there; everything else is the dialog's own painting.
void CTallywiseDlg::OnPaint() {
  if (!IsIconic()) {
    Default();
    return;
  }
  CPaintDC paint(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Dc()));
  const int iconWidth = ::GetSystemMetrics(SM_CXICON);
  const int iconHeight = ::GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(&client);
  ::DrawIcon(paint.Dc(), (Width(client) - iconWidth + 1) / 2, (Height(client) - iconHeight + 1) / 2, m_hIcon);
}

HCURSOR CTallywiseDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
