// The main window running on a thread of its own inside the test program, as
// the program runs it: constructed, DoModal, destroyed. The test thread talks
// to it through messages, like another program would, but may also look at
// the fonts and tooltip records that only exist inside the process.
#pragma once

#include <windows.h>

#include "WaitUntil.h"

class RunningDialog {
public:
  RunningDialog();
  ~RunningDialog();  // closes the window if it still runs
  RunningDialog(const RunningDialog&) = delete;
  RunningDialog& operator=(const RunningDialog&) = delete;

  HWND Window() const { return m_window; }
  HWND Item(int id) const { return ::GetDlgItem(m_window, id); }
  DWORD ThreadId() const { return m_threadId; }
  HWND Focus() const;

  // Waits until the modal run has returned; false when it has not within a few seconds.
  bool WaitForEnd();
  // What DoModal returned; valid after WaitForEnd.
  INT_PTR Result() const { return m_result; }

private:
  static DWORD WINAPI Run(void* self);

  HANDLE m_thread = nullptr;
  DWORD m_threadId = 0;
  HWND m_window = nullptr;
  INT_PTR m_result = -1;
};
