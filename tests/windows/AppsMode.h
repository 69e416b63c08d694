// The apps' light or dark mode, which Windows keeps in the registry and the
// window reads at its start and on the broadcast of a change. The setting
// lives in the Wine prefix: a test that chose the dark mode and ended
// without putting it back would leave every later test, of this run and of
// the next, with a dark window.
#pragma once

#include <windows.h>

#include <optional>

// The mode for the owner's life, put back as it was after, also when an
// assertion ends the test early.
class AppsMode {
public:
  AppsMode() {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_CURRENT_USER, kPersonalize, kValue, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
        ERROR_SUCCESS) {
      m_before = value;
    }
  }
  ~AppsMode() {
    if (m_before) {
      Write(*m_before);
    } else {
      ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kPersonalize, kValue);
    }
  }
  AppsMode(const AppsMode&) = delete;
  AppsMode& operator=(const AppsMode&) = delete;

  static void Set(bool dark) { Write(dark ? 0 : 1); }

  // What Windows sends every top-level window when the user switches.
  static void Announce() {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"),
                          SMTO_ABORTIFHUNG, 5000, &answer);
  }

private:
  static constexpr const char* kPersonalize = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
  static constexpr const char* kValue = "AppsUseLightTheme";

  static void Write(DWORD light) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kPersonalize, kValue, REG_DWORD, &light, sizeof light);
  }
  std::optional<DWORD> m_before;
};
