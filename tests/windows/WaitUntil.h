// Waiting in window tests for what another thread or the system brings about.
#pragma once

#include <windows.h>

// True once the condition holds; false when it still does not after the timeout.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 5000) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(20);
  }
  return true;
}
