// The main window running on a thread of its own inside the test program, as
// the program runs it: constructed, DoModal, destroyed.
#pragma once

#include "SystemCalls.h"
#include "WindowToolkit.h"

class RunningDialog : public ModalThread {
public:
  explicit RunningDialog(const WindowSystemCalls& systemCalls = {});
};
