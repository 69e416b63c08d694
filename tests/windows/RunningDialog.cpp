#include "RunningDialog.h"

#include "TallywiseDlg.h"

RunningDialog::RunningDialog(const WindowSystemCalls& systemCalls)
    : ModalThread([systemCalls] {
        CTallywiseDlg dlg(nullptr, systemCalls);
        return dlg.DoModal();
      }) {}
