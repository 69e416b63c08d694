// Records the moves and z-order changes the main window asks for, and still
// carries them out, while an object of this class lives. Create it before the
// dialog starts.
#pragma once

#include <windows.h>

#include <mutex>
#include <ostream>
#include <vector>

#include "Placement.h"

struct WindowPosCall {
  HWND insertAfter;
  int x, y, cx, cy;
  UINT flags;
  friend bool operator==(const WindowPosCall&, const WindowPosCall&) = default;
  friend std::ostream& operator<<(std::ostream& out, const WindowPosCall& c) {
    return out << "{after " << c.insertAfter << ", " << c.x << "," << c.y << " " << c.cx << "x" << c.cy << ", flags 0x"
               << std::hex << c.flags << std::dec << "}";
  }
};

class WindowPosRecorder {
public:
  WindowPosRecorder() : m_previous(g_pfnSetWindowPos) {
    Clear();
    g_pfnSetWindowPos = &Record;
  }
  ~WindowPosRecorder() { g_pfnSetWindowPos = m_previous; }
  WindowPosRecorder(const WindowPosRecorder&) = delete;
  WindowPosRecorder& operator=(const WindowPosRecorder&) = delete;

  std::vector<WindowPosCall> Calls() const {
    std::lock_guard lock(Mutex());
    return Recorded();
  }
  void Clear() {
    std::lock_guard lock(Mutex());
    Recorded().clear();
  }

private:
  static BOOL WINAPI Record(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    {
      std::lock_guard lock(Mutex());
      Recorded().push_back({insertAfter, x, y, cx, cy, flags});
    }
    return ::SetWindowPos(hWnd, insertAfter, x, y, cx, cy, flags);
  }
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::vector<WindowPosCall>& Recorded() {
    static std::vector<WindowPosCall> calls;
    return calls;
  }

  SetWindowPosProc m_previous;
};
