// Records the moves and z-order changes asked for by a main window started
// with Recording(), and still carries them out.
#pragma once

#include <windows.h>

#include <mutex>
#include <ostream>
#include <vector>

#include "SystemCalls.h"

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
  WindowPosRecorder() { Clear(); }
  WindowPosRecorder(const WindowPosRecorder&) = delete;
  WindowPosRecorder& operator=(const WindowPosRecorder&) = delete;

  // The system's calls, with the moves recorded.
  static WindowSystemCalls Recording() {
    WindowSystemCalls calls;
    calls.setWindowPos = &Record;
    return calls;
  }
  std::vector<WindowPosCall> Calls() const {
    std::lock_guard lock(Mutex());
    return Records();
  }
  void Clear() {
    std::lock_guard lock(Mutex());
    Records().clear();
  }

private:
  static BOOL WINAPI Record(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    {
      std::lock_guard lock(Mutex());
      Records().push_back({insertAfter, x, y, cx, cy, flags});
    }
    return ::SetWindowPos(hWnd, insertAfter, x, y, cx, cy, flags);
  }
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::vector<WindowPosCall>& Records() {
    static std::vector<WindowPosCall> calls;
    return calls;
  }
};
