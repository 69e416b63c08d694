// Waiting in window tests for what another thread or the system brings about.
#pragma once

#include <windows.h>

// True once the condition holds; false when it still does not after the timeout.
// The timeout only ends a wait that failed: a passing test waits no longer than
// its condition takes, so the default leaves room for a loaded machine.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(20);
  }
  return true;
}
