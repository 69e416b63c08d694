// Runs of the main window over a settings file the test prepares: the file is
// written (or removed) before each start and read back after the close.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "DataFile.h"
#include "RunningDialog.h"
#include "WindowPosRecorder.h"
#include "WindowToolkit.h"
#include "TallywiseDlgIds.h"

// "%0.3f", 300, 300, -15, 500, 0, "Courier New", 0.
inline const std::string kDefaultFile = "%0.3f\r\n300\r\n300\r\n-15\r\n500\r\n0\r\nCourier New\r\n0\r\n";
// A usable file where every value differs from its default.
inline const std::string kStoredFile = "%0.7f\r\n120\r\n80\r\n-20\r\n700\r\n1\r\nArial\r\n1\r\n";

inline RECT WindowRect(HWND hWnd) {
  RECT rect{};
  ::GetWindowRect(hWnd, &rect);
  return rect;
}

class StoredRun : public ::testing::Test {
protected:
  void SetUp() override { RemoveDataDirectory(); }
  void TearDown() override {
    m_dlg.reset();
    RemoveDataDirectory();
  }

  // Starts the window over a file holding these bytes; with none, on a
  // machine where the program never ran.
  void Start(const std::optional<std::string>& file) {
    m_dlg.reset();
    RemoveDataDirectory();
    if (file) {
      ASSERT_TRUE(WriteDataFile(*file));
    }
    m_recorder.Clear();
    m_dlg.emplace(m_systemCalls);
    ASSERT_NE(Window(), nullptr) << "the main window did not appear";
  }

  // A close request as the close box sends it; the file afterwards.
  std::optional<std::string> CloseAndRead() {
    ::PostMessageA(Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_dlg->WaitForEnd()) << "the window did not close";
    return ReadDataFile();
  }

  // Escape in the expression field, through the dialog's own keyboard handling.
  void PressEscape() {
    PostKey(Item(IDC_EXPRESSION), VK_ESCAPE);
    ASSERT_TRUE(m_dlg->WaitForEnd()) << "Escape did not end the window";
    EXPECT_EQ(m_dlg->Result(), IDCANCEL);
  }

  HWND Window() const { return m_dlg->Window(); }
  HWND Item(int id) const { return m_dlg->Item(id); }
  HWND Focus() const { return m_dlg->Focus(); }
  HICON Pin() const { return reinterpret_cast<HICON>(::SendMessageA(Item(IDC_TOPMOST), BM_GETIMAGE, IMAGE_ICON, 0)); }
  int Decimals() const { return LOWORD(::SendMessageA(Item(IDC_PRECISION), UDM_GETPOS, 0, 0)); }
  bool HasTopMostStyle() const { return ::GetWindowLongA(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST; }
  // The z-order of the last request that changed it.
  HWND LastZOrder() const {
    HWND last = nullptr;
    for (const WindowPosCall& call : m_recorder.Calls()) {
      if (!(call.flags & SWP_NOZORDER)) last = call.insertAfter;
    }
    return last;
  }

  WindowPosRecorder m_recorder;
  // What the window started next calls; a test may stand in more of them.
  WindowSystemCalls m_systemCalls = WindowPosRecorder::Recording();
  std::optional<RunningDialog> m_dlg;
};
