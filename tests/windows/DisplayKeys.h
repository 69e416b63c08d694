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
// `commands` are xdotool's, chained.
inline void OnDisplay(const std::string& commands) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command =
      "/usr/bin/timeout 20 /bin/sh -c \"/usr/bin/xdotool search --sync --name '^Tallywise$' windowfocus --sync && "
      "/usr/bin/xdotool " +
      commands + "\"";
  ASSERT_TRUE(
      ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      << "xdotool did not start: " << ::GetLastError();
  if (process.hThread) ::CloseHandle(process.hThread);
  if (process.hProcess) ::CloseHandle(process.hProcess);
}

inline void PressOnDisplay(const std::string& keys) { OnDisplay("key --delay 30 " + keys); }

// A key held down for `seconds`: the display's auto-repeat sends it again
// after its delay (660 ms on Xvfb), then 25 times a second, until it is let
// go. A press xdotool sends for a key already down is no repeat: the X server
// drops it.
inline void HoldOnDisplay(const std::string& key, int seconds) {
  OnDisplay("keydown " + key + " sleep " + std::to_string(seconds) + " keyup " + key);
}

// The window stays until the last key is up: a key whose release no window
// of the prefix saw counts as held down for the next test's window.
inline bool KeyReleased(int key) {
  return WaitUntil([key] { return (::GetAsyncKeyState(key) & 0x8000) == 0; });
}
