#include "RunningDialog.h"

#include "TallywiseDlg.h"

RunningDialog::RunningDialog()
    : ModalThread([] {
        CTallywiseDlg dlg;
        return dlg.DoModal();
      }) {}
