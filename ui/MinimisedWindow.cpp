// The main window while it is minimised: the program icon where a system
// shows the client area of a minimised window, and while it is dragged.
#include "Geometry.h"
#include "PaintDC.h"
#include "TallywiseDlg.h"
#include "WindowPlace.h"

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
  const Point corner = CentredCorner(Width(client), Height(client), iconWidth, iconHeight);
  ::DrawIcon(paint.Dc(), corner.x, corner.y, m_hIcon);
}

HCURSOR CTallywiseDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
