#include "Brush.h"

bool CBrush::CreateSolid(COLORREF colour) {
  const HBRUSH brush = ::CreateSolidBrush(colour);
  if (!brush) return false;
  Delete();
  m_hBrush = brush;
  return true;
}

void CBrush::Delete() {
  if (m_hBrush) ::DeleteObject(m_hBrush);
  m_hBrush = nullptr;
}
