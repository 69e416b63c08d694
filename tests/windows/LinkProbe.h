// Helpers for the tests of the links, the About box and the system menu: a
// dialog run modally on a thread of its own, what a link has handed to the
// shell, and what the tooltip of a link would show.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

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

// Runs a dialog as a handler runs one: constructed, DoModal, destroyed, here
// on a thread of its own. The constructor returns once the dialog shows.
class ModalThread {
public:
  explicit ModalThread(std::function<INT_PTR()> run);
  ~ModalThread();  // closes the dialog if it still runs
  ModalThread(const ModalThread&) = delete;
  ModalThread& operator=(const ModalThread&) = delete;

  HWND Window() const { return m_window; }
  HWND Item(int id) const { return ::GetDlgItem(m_window, id); }
  DWORD ThreadId() const { return m_threadId; }
  // Waits until DoModal has returned; false when it has not within a few seconds.
  bool WaitForEnd();
  INT_PTR Result() const { return m_result; }

private:
  static DWORD WINAPI Run(void* self);

  std::function<INT_PTR()> m_run;
  HANDLE m_thread = nullptr;
  DWORD m_threadId = 0;
  HWND m_window = nullptr;
  INT_PTR m_result = -1;
};

// The visible dialog of a thread whose caption is this, or null.
HWND FindDialogOfThread(DWORD threadId, const char* caption);

std::string WindowText(HWND hWnd);
HWND FocusOfThread(DWORD threadId);

// The tooltip window that carries a tool for this control, and the tool's text.
HWND ToolTipFor(HWND control);
std::string ToolTipTextFor(HWND control);

// A left click in the middle of a control, as the mouse would send it.
void ClickOn(HWND control);
// Puts the pointer on the middle of a window, or on a screen point.
void MovePointerTo(HWND hWnd);
void MovePointerTo(POINT screen);

HFONT ShownFont(HWND hWnd);
LOGFONTA FontDescription(HFONT font);

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
