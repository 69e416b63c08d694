#include "LinkProbe.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <mutex>

#include "Link.h"
#include "WaitUntil.h"

namespace {

std::mutex g_shellMutex;
std::optional<ShellCall> g_shellCall;

HINSTANCE WINAPI RecordShellCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                 INT show) {
  const std::lock_guard<std::mutex> lock(g_shellMutex);
  g_shellCall = ShellCall{owner, verb ? verb : "(null)", file ? file : "(null)", parameters != nullptr,
                          directory != nullptr, show};
  return reinterpret_cast<HINSTANCE>(33);  // what the shell answers for success
}

// Installed before any test runs, so that no click of any test opens a
// browser or a mail program.
const bool g_recorderInstalled = (CLink::s_pfnShellExecute = &RecordShellCall, true);

struct DialogSearch {
  const char* caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  char className[16] = "";
  ::GetClassNameA(hWnd, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
  if (search->caption && WindowText(hWnd) != search->caption) return TRUE;
  search->found = hWnd;
  return FALSE;
}

struct ToolTipSearch {
  HWND control;
  HWND found = nullptr;
};

bool HasToolFor(HWND tip, HWND control) {
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
}

BOOL CALLBACK FindToolTip(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<ToolTipSearch*>(param);
  char className[64] = "";
  ::GetClassNameA(hWnd, className, sizeof className);
  if (std::strcmp(className, TOOLTIPS_CLASSA) != 0 || !HasToolFor(hWnd, search->control)) return TRUE;
  search->found = hWnd;
  return FALSE;
}

void SendMouse(DWORD flags, POINT screen = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof input);
}

POINT MiddleOf(HWND hWnd) {
  RECT rect;
  ::GetWindowRect(hWnd, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

void ForgetShellCalls() {
  const std::lock_guard<std::mutex> lock(g_shellMutex);
  g_shellCall.reset();
}

std::optional<ShellCall> WaitForShellCall() {
  std::optional<ShellCall> call;
  WaitUntil([&] {
    const std::lock_guard<std::mutex> lock(g_shellMutex);
    call = g_shellCall;
    return call.has_value();
  }, 3000);
  return call;
}

ModalThread::ModalThread(std::function<INT_PTR()> run) : m_run(std::move(run)) {
  ::InitCommonControls();
  m_thread = ::CreateThread(nullptr, 0, &ModalThread::Run, this, 0, &m_threadId);
  WaitUntil([this] {
    m_window = FindDialogOfThread(m_threadId, nullptr);
    return m_window != nullptr;
  });
  // Visible while still being shown; an answered message means its loop runs.
  if (m_window) ::SendMessageA(m_window, WM_NULL, 0, 0);
}

ModalThread::~ModalThread() {
  if (::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
    ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    WaitForEnd();
  }
  ::CloseHandle(m_thread);
}

DWORD WINAPI ModalThread::Run(void* self) {
  auto* thread = static_cast<ModalThread*>(self);
  thread->m_result = thread->m_run();
  return 0;
}

bool ModalThread::WaitForEnd() { return ::WaitForSingleObject(m_thread, 5000) == WAIT_OBJECT_0; }

HWND FindDialogOfThread(DWORD threadId, const char* caption) {
  DialogSearch search{caption};
  ::EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND hWnd) {
  char text[256] = "";
  ::SendMessageA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

HWND FocusOfThread(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

HWND ToolTipFor(HWND control) {
  ToolTipSearch search{control};
  ::EnumThreadWindows(::GetWindowThreadProcessId(control, nullptr), FindToolTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ToolTipTextFor(HWND control) {
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

void ClickOn(HWND control) {
  MovePointerTo(control);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void MovePointerTo(HWND hWnd) { MovePointerTo(MiddleOf(hWnd)); }

void MovePointerTo(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen); }

HFONT ShownFont(HWND hWnd) { return reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0)); }

LOGFONTA FontDescription(HFONT font) {
  LOGFONTA description{};
  if (font) ::GetObjectA(font, sizeof description, &description);
  return description;
}

PaintProbe::PaintProbe(HWND control) {
  RECT client;
  ::GetClientRect(control, &client);
  m_width = client.right;
  m_height = client.bottom;
  const HDC screen = ::GetDC(nullptr);
  m_dc = ::CreateCompatibleDC(screen);
  m_bitmap = ::CreateCompatibleBitmap(screen, m_width, m_height);
  ::ReleaseDC(nullptr, screen);
  m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
}

PaintProbe::~PaintProbe() {
  ::SelectObject(m_dc, m_oldBitmap);
  ::DeleteObject(m_bitmap);
  ::DeleteDC(m_dc);
}

std::string DescribeColour(COLORREF colour) {
  char text[32];
  std::snprintf(text, sizeof text, "(%u, %u, %u)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}
