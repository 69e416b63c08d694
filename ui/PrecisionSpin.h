// The up-down control of the decimal places, which draws itself dark in the
// dark mode: the common control has no colours of its own to set.
#pragma once

#include "Framework.h"
#include "Theme.h"

class CPrecisionSpin : public CSpinButtonCtrl {
public:
  // Set by the window whenever its look changes; the control repaints itself.
  void SetLook(Look look);

protected:
  void OnPaint();
  LRESULT OnButtonDown(WPARAM, LPARAM);
  LRESULT OnButtonUp(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

private:
  void DrawDark(HDC dc) const;

  Look m_look = Look::kLight;
  int m_nPressedHalf = -1;  // 0 the left arrow, 1 the right one, -1 none
};
