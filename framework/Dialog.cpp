#include "Dialog.h"

#include "WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    CWnd* main = AfxGetMainWnd();
    if (main && main != this) owner = main->m_hWnd;
  }
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);

  m_bModalDone = false;
  m_nModalResult = -1;
  const HWND dialog = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (dialog) {
    // Like the system's own modal dialogs: shown even when the template is not.
    if (!m_bModalDone && !::IsWindowVisible(dialog)) ::ShowWindow(dialog, SW_SHOWNORMAL);
    // Characters are fetched as Unicode, so a window that translates them
    // sees what was typed; the system hands an ANSI window its code page's.
    MSG msg;
    while (!m_bModalDone && m_hWnd) {
      const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
      if (got == -1) break;
      if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside ours
        break;
      }
      if (!PreTranslateInLoop(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
  }

  // The owner comes back before the dialog goes, so that it is activated in its place.
  if (disableOwner) ::EnableWindow(owner, TRUE);
  if (dialog && owner && ::GetActiveWindow() == dialog) ::SetActiveWindow(owner);
  // What was created is destroyed, bound or not: a dialog whose binding
  // failed in WM_INITDIALOG never became m_hWnd, but it is still there.
  if (m_hWnd)
    DestroyWindow();
  else if (dialog && ::IsWindow(dialog))
    ::DestroyWindow(dialog);
  return m_nModalResult;
}

void CDialog::EndDialog(int result) {
  m_nModalResult = result;
  m_bModalDone = true;
  // Wakes our loop should this be called from a loop nested inside it.
  if (m_hWnd) PostMessage(WM_NULL);
}

// The message goes to the window it is for and then to each of its parents, up
// to this dialog, until one of them takes it.
BOOL CDialog::PreTranslateInLoop(MSG* msg) {
  for (HWND hWnd = msg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    if (CWnd* wnd = FromHandlePermanent(hWnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    if (hWnd == m_hWnd) return FALSE;
  }
  return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) { return ::IsDialogMessageW(m_hWnd, msg); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(&exchange);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::RouteCommandOnward(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  const MessageEntry* entry = app->FindHandler(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
  if (!entry) return FALSE;
  entry->handler(*app, wParam, lParam, *result);
  return TRUE;
}

// Only WM_INITDIALOG is handled here: it binds the dialog to its object and
// hands all later messages to the object's map. The rest goes to the dialog
// manager.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog->SubclassWindow(hWnd)) return TRUE;
  return dialog->OnInitDialog();
}
