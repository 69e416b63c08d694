// The mark beside the result field that tells, without a box or a sound, that
// exact arithmetic would show other digits than the result shown. The window
// shows and hides it and gives it its tooltip and accessible description, which
// hold the exact value; the mark only draws itself in the window's colours.
#pragma once

#include "Framework.h"
#include "Theme.h"

class CExactMark : public CStatic {
public:
  // Set by the window whenever its look changes; the mark repaints itself.
  void SetLook(Look look);

protected:
  void OnPaint();
  BOOL OnEraseBkgnd(HDC dc);

  DECLARE_MESSAGE_MAP()

private:
  Look m_look = Look::kLight;
};
