// What the Windows-side tests use to run a dialog and look at it from outside:
// a dialog on a thread of its own, finding windows, focus, text, fonts,
// tooltips, keys and the pointer.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "WaitUntil.h"

inline std::string WindowText(HWND hWnd) {
  std::string text(static_cast<size_t>(::SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  const LRESULT length = ::SendMessageA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

// The clipboard's text as an ANSI program reads it; nothing when it holds
// none or another program has it open.
inline std::optional<std::string> ClipboardText() {
  if (!::OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const auto* chars = static_cast<const char*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

inline std::string ClassName(HWND hWnd) {
  char name[64] = "";
  ::GetClassNameA(hWnd, name, sizeof name);
  return name;
}

inline HWND FocusOfThread(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

// Visits the top-level windows of a thread until the visitor answers false.
inline void ForEachThreadWindow(DWORD threadId, const std::function<bool(HWND)>& visit) {
  struct Visitor {
    static BOOL CALLBACK Call(HWND hWnd, LPARAM visit) {
      return (*reinterpret_cast<const std::function<bool(HWND)>*>(visit))(hWnd);
    }
  };
  ::EnumThreadWindows(threadId, &Visitor::Call, reinterpret_cast<LPARAM>(&visit));
}

// The visible dialog of a thread whose caption is this (any caption for null), or null.
inline HWND FindDialogOfThread(DWORD threadId, const char* caption) {
  HWND found = nullptr;
  ForEachThreadWindow(threadId, [&](HWND hWnd) {
    if (ClassName(hWnd) != "#32770" || !::IsWindowVisible(hWnd)) return true;
    if (caption && WindowText(hWnd) != caption) return true;
    found = hWnd;
    return false;
  });
  return found;
}

// Runs a dialog as a handler runs one: constructed, DoModal, destroyed, here
// on a thread of its own. The constructor returns once the dialog shows. The
// test thread talks to it through messages, like another program would, but
// may also look at what only exists inside the process (fonts, tool records).
// What the thread uses is shared with it, so a dialog that outlives a test
// that gave up on it touches nothing that the test has destroyed.
class ModalThread {
public:
  explicit ModalThread(std::function<INT_PTR()> run) : m_shared(std::make_shared<Shared>()) {
    m_shared->run = std::move(run);
    ::InitCommonControls();
    auto* threadsShare = new std::shared_ptr<Shared>(m_shared);
    m_thread = ::CreateThread(nullptr, 0, &ModalThread::Run, threadsShare, 0, &m_threadId);
    if (!m_thread) {
      delete threadsShare;
      return;
    }
    WaitUntil([this] {
      m_window = FindDialogOfThread(m_threadId, nullptr);
      return m_window != nullptr;
    });
    // Visible while still being shown; an answered message means its loop runs.
    if (m_window) ::SendMessageA(m_window, WM_NULL, 0, 0);
  }
  // Closes the dialog if it still runs.
  ~ModalThread() {
    if (!m_thread) return;
    if (::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
      ::PostMessageA(m_window, WM_CLOSE, 0, 0);
      WaitForEnd();
    }
    ::CloseHandle(m_thread);
  }
  ModalThread(const ModalThread&) = delete;
  ModalThread& operator=(const ModalThread&) = delete;

  HWND Window() const { return m_window; }
  HWND Item(int id) const { return ::GetDlgItem(m_window, id); }
  DWORD ThreadId() const { return m_threadId; }
  HWND Focus() const { return FocusOfThread(m_threadId); }
  // Waits until DoModal has returned; false when it has not within 20 seconds.
  bool WaitForEnd() { return m_thread && ::WaitForSingleObject(m_thread, 20000) == WAIT_OBJECT_0; }
  // What DoModal returned; valid after WaitForEnd.
  INT_PTR Result() const { return m_shared->result; }

private:
  struct Shared {
    std::function<INT_PTR()> run;
    INT_PTR result = -1;
  };

  static DWORD WINAPI Run(void* param) {
    const std::unique_ptr<std::shared_ptr<Shared>> shared(static_cast<std::shared_ptr<Shared>*>(param));
    (*shared)->result = (*shared)->run();
    return 0;
  }

  std::shared_ptr<Shared> m_shared;
  HANDLE m_thread = nullptr;
  DWORD m_threadId = 0;
  HWND m_window = nullptr;
};

// Where a control sits in its dialog's client area, in pixels.
inline RECT PlaceInDialog(HWND control, HWND dialog) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Pixels of a template rectangle (left, top, width, height). The dialog
// manager converts corner and size each on its own, so a right edge may differ
// by a pixel from the converted sum.
inline RECT DialogUnits(HWND dialog, const RECT& units) {
  RECT place = units;
  ::MapDialogRect(dialog, &place);
  return {place.left, place.top, place.left + place.right, place.top + place.bottom};
}

inline HFONT ShownFont(HWND hWnd) { return reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0)); }

inline LOGFONTA FontDescription(HFONT font) {
  LOGFONTA description{};
  if (font) ::GetObjectA(font, sizeof description, &description);
  return description;
}

// The description of the font a window shows; empty when it shows the system font.
inline LOGFONTA ShownFontDescription(HWND hWnd) { return FontDescription(ShownFont(hWnd)); }

// Width of an icon's image in pixels; 0 for no icon.
inline int IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// The colour pixels of an icon, top row first.
inline std::vector<DWORD> IconPixels(HICON icon) {
  const int size = IconSize(icon);
  std::vector<DWORD> pixels(static_cast<size_t>(size) * static_cast<size_t>(size));
  ICONINFO info{};
  if (!size || !::GetIconInfo(icon, &info)) return {};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size;
  format.bmiHeader.biHeight = -size;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  const HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return pixels;
}

// True when the icon resource holds a frame drawn for this size.
inline bool HasIconFrame(int id, int size) {
  const HMODULE module = ::GetModuleHandleA(nullptr);
  const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  const auto* group = found ? static_cast<const BYTE*>(::LockResource(::LoadResource(module, found))) : nullptr;
  if (!group) return false;
  const WORD count = *reinterpret_cast<const WORD*>(group + 4);
  for (WORD i = 0; i < count; ++i) {
    const BYTE width = group[6 + 14 * i];  // 0 stands for 256
    if ((width ? width : 256) == size) return true;
  }
  return false;
}

// True when the icon shows the frame of the program's icon resource drawn for
// its size, not another frame scaled to it.
inline bool ShowsIconFrame(HICON shown, int id) {
  const int size = IconSize(shown);
  if (!size || !HasIconFrame(id, size)) return false;
  const HICON frame =
      static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
  const bool same = frame && IconPixels(frame) == IconPixels(shown);
  if (frame) ::DestroyIcon(frame);
  return same;
}

// The tooltip window of the control's thread that carries a tool for the
// control, and the tool's text.
inline HWND ToolTipFor(HWND control) {
  const auto carriesTool = [control](HWND tip) {
    const auto count = ::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      TTTOOLINFOA tool{};
      tool.cbSize = TTTOOLINFOA_V2_SIZE;
      if (::SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)) &&
          (tool.uFlags & TTF_IDISHWND) && reinterpret_cast<HWND>(tool.uId) == control) {
        return true;
      }
    }
    return false;
  };
  HWND found = nullptr;
  ForEachThreadWindow(::GetWindowThreadProcessId(control, nullptr), [&](HWND hWnd) {
    if (ClassName(hWnd) != TOOLTIPS_CLASSA || !carriesTool(hWnd)) return true;
    found = hWnd;
    return false;
  });
  return found;
}

inline std::string ToolTipTextFor(HWND control) {
  const HWND tip = ToolTipFor(control);
  if (!tip) return "(no tooltip)";
  char text[256] = "";
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = ::GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

// A key as the keyboard sends it, to whichever window has the focus.
inline void SendKey(WORD key, bool shift = false) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A key posted to one window, through the dialog's own keyboard handling but
// whatever has the focus.
inline void PostKey(HWND window, WORD key) {
  ::PostMessageA(window, WM_KEYDOWN, key, 1);
  ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

inline void SendMouse(DWORD flags, POINT screen = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof input);
}

inline POINT MiddleOf(HWND hWnd) {
  RECT rect;
  ::GetWindowRect(hWnd, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Puts the pointer on a screen point, or on the middle of a window.
inline void MovePointerTo(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen); }
inline void MovePointerTo(HWND hWnd) { MovePointerTo(MiddleOf(hWnd)); }

// Onto the middle of a control, arriving from one pixel beside it, so that the
// control sees a move even when the pointer was there already.
inline void MovePointerOnto(HWND control) {
  const POINT middle = MiddleOf(control);
  MovePointerTo(POINT{middle.x - 1, middle.y});
  MovePointerTo(middle);
}

// A left click in the middle of a control, as the mouse would send it.
inline void ClickOn(HWND control) {
  MovePointerTo(control);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
}
