// Keys typed on the X display the window tests run on.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WaitUntil.h"

// Keys pressed on the X display reach the window through Wine's keyboard
// driver, the message loop and the dialog manager, as a user's do. xdotool
// types into the focused window (keys it sent to a named window would be
// events of that window alone, which the X server does not count as pressed).
// Wine starts a Unix program given by its path but hands back no handle to
// wait on, so what the window shows tells when the keys have arrived.
inline void PressOnDisplay(const std::string& keys) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command =
      "/usr/bin/timeout 20 /bin/sh -c \"/usr/bin/xdotool search --sync --name '^Tallywise$' windowfocus --sync && "
      "/usr/bin/xdotool key --delay 30 " +
      keys + "\"";
  ASSERT_TRUE(
      ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      << "xdotool did not start: " << ::GetLastError();
  if (process.hThread) ::CloseHandle(process.hThread);
  if (process.hProcess) ::CloseHandle(process.hProcess);
}

// The window stays until the last key is up: a key whose release no window
// of the prefix saw counts as held down for the next test's window.
inline bool KeyReleased(int key) {
  return WaitUntil([key] { return (::GetAsyncKeyState(key) & 0x8000) == 0; });
}
