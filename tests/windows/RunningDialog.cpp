#include "RunningDialog.h"

#include <commctrl.h>

#include <cstring>

#include "TallywiseDlg.h"

namespace {

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found) {
  char className[16] = "";
  ::GetClassNameA(hWnd, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hWnd;
  return FALSE;
}

}  // namespace

RunningDialog::RunningDialog() {
  ::InitCommonControls();
  m_thread = ::CreateThread(nullptr, 0, &RunningDialog::Run, this, 0, &m_threadId);
  WaitUntil([this] {
    HWND found = nullptr;
    ::EnumThreadWindows(m_threadId, FindDialog, reinterpret_cast<LPARAM>(&found));
    m_window = found;
    return found != nullptr;
  });
}

RunningDialog::~RunningDialog() {
  if (::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
    ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    WaitForEnd();
  }
  ::CloseHandle(m_thread);
}

DWORD WINAPI RunningDialog::Run(void* self) {
  CTallywiseDlg dlg;
  static_cast<RunningDialog*>(self)->m_result = dlg.DoModal();
  return 0;
}

bool RunningDialog::WaitForEnd() { return ::WaitForSingleObject(m_thread, 5000) == WAIT_OBJECT_0; }

HWND RunningDialog::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(m_threadId, &info) ? info.hwndFocus : nullptr;
}
