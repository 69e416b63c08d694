// The on-top pin: the button's icon shows whether the window stays above
// all others, and a click on it changes that.
#include "Geometry.h"
#include "TallywiseDlg.h"

void CTallywiseDlg::ShowOnTopState() {
  m_btnTopMost.SetIcon(m_bTopMost ? m_hIconTop : m_hIconNoTop);
  RECT rect;
  GetWindowRect(&rect);
  m_systemCalls.setWindowPos(m_hWnd, m_bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, Width(rect), Height(rect),
                    SWP_SHOWWINDOW);
}

void CTallywiseDlg::OnToggleTopMost() {
  m_bTopMost = !m_bTopMost;
  ShowOnTopState();
  m_editExpression.SetFocus();
}
