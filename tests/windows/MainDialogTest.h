// A test of the main window as a user meets it on a first run: no settings
// file, the dialog running on a thread of its own, its fields at hand.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "DataFile.h"
#include "RunningDialog.h"
#include "TallywiseDlgIds.h"

class MainDialogTest : public testing::Test {
protected:
  void SetUp() override {
    m_dialog = std::make_unique<RunningDialog>(m_systemCalls);
    ASSERT_NE(m_dialog->Window(), nullptr);
  }
  void TearDown() override { m_dialog.reset(); }

  HWND Expression() const { return m_dialog->Item(IDC_EXPRESSION); }
  HWND Result() const { return m_dialog->Item(IDC_RESULT); }

  // The Result command as Enter gives it, without moving the focus; returns once
  // the command has finished, so it must not open a message box.
  void ClickResult() const {
    ::SendMessageA(m_dialog->Window(), WM_COMMAND, MAKEWPARAM(IDC_RESULT_BUTTON, BN_CLICKED),
                   reinterpret_cast<LPARAM>(m_dialog->Item(IDC_RESULT_BUTTON)));
  }

  // Every run starts from the defaults: a settings file left by an earlier
  // test would set the precision otherwise.
  FirstRun m_firstRun;
  WindowSystemCalls m_systemCalls;  // what the window started next calls
  std::unique_ptr<RunningDialog> m_dialog;
};
