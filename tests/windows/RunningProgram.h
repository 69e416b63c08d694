// Tallywise.exe started as a process of its own, as a user starts it, and its
// main window found from outside. Test programs that use it are built with
// TALLYWISE_EXE_FROM_TESTS, the program's path from their own folder.
#pragma once

#include <windows.h>

#include <string>

#include "WaitUntil.h"

// Beside this test program's folder, as the build lays the programs out.
inline std::string ProgramPath() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') + 1);
  std::string relative = TALLYWISE_EXE_FROM_TESTS;
  for (char& c : relative) {
    if (c == '/') c = '\\';
  }
  return folder + relative;
}

// The visible dialog of a process, or null.
inline HWND FindProcessDialog(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found = nullptr;
    static BOOL CALLBACK Visit(HWND hWnd, LPARAM param) {
      auto* search = reinterpret_cast<Search*>(param);
      DWORD owner = 0;
      ::GetWindowThreadProcessId(hWnd, &owner);
      char className[16] = "";
      ::GetClassNameA(hWnd, className, sizeof className);
      if (owner != search->processId || std::string(className) != "#32770" || !::IsWindowVisible(hWnd)) return TRUE;
      search->found = hWnd;
      return FALSE;
    }
  } search{processId};
  ::EnumWindows(&Search::Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The constructor returns once the window shows and its message loop runs.
// The process is closed as a user closes it when it still runs at the end, and
// ended when it does not go; it is in a job that ends it with the test program
// too, so that a test program that crashed leaves no window to the next test.
class RunningProgram {
public:
  RunningProgram() {
    m_job = ::CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (m_job) ::SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine(1, '"');
    commandLine.append(ProgramPath()).push_back('"');
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &m_process)) {
      m_process = {};
      return;
    }
    if (m_job) ::AssignProcessToJobObject(m_job, m_process.hProcess);
    ::ResumeThread(m_process.hThread);
    WaitUntil([this] { return (m_window = FindProcessDialog(m_process.dwProcessId)) != nullptr; }, 30000);
    // Visible while still being shown; an answered message means its loop runs.
    if (m_window) ::SendMessageA(m_window, WM_NULL, 0, 0);
  }
  ~RunningProgram() {
    if (m_process.hProcess) {
      if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT && m_window) Close();
      if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 30000);
      }
      ::CloseHandle(m_process.hThread);
      ::CloseHandle(m_process.hProcess);
    }
    if (m_job) ::CloseHandle(m_job);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return m_process.hProcess != nullptr; }
  HWND Window() const { return m_window; }
  HWND Item(int id) const { return ::GetDlgItem(m_window, id); }
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(m_process.dwThreadId, &info) ? info.hwndFocus : nullptr;
  }
  // The exit code, or STILL_ACTIVE when the process has not ended within 30 seconds.
  DWORD WaitForExit() const {
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(m_process.hProcess, 30000) == WAIT_OBJECT_0)
      ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
  }
  // A close request, as the caption's button gives; the exit code as WaitForExit's.
  DWORD Close() const {
    ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    return WaitForExit();
  }

private:
  HANDLE m_job = nullptr;
  PROCESS_INFORMATION m_process{};
  HWND m_window = nullptr;
};
