// Helpers for the tests of the links, the About box and the system menu: what
// a link has handed to the shell, and what it paints.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "WindowToolkit.h"

// One call a link made to open its target. The test program's links never
// reach the shell: every call is recorded here instead.
struct ShellCall {
  HWND owner;
  std::string verb;
  std::string file;
  bool hasParameters;
  bool hasDirectory;
  int show;
};
void ForgetShellCalls();
// The call made since the last ForgetShellCalls, once it has arrived.
std::optional<ShellCall> WaitForShellCall();

// Paints into a bitmap the size of the control and tells its pixels.
class PaintProbe {
public:
  explicit PaintProbe(HWND control);
  ~PaintProbe();
  PaintProbe(const PaintProbe&) = delete;
  PaintProbe& operator=(const PaintProbe&) = delete;

  HDC Dc() const { return m_dc; }
  COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

private:
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  int m_width = 0;
  int m_height = 0;
};

std::string DescribeColour(COLORREF colour);
