// A dialog built from a template resource and run modally by its own loop, so
// that PreTranslateMessage sees every message before the dialog manager does.
#pragma once

#include <windows.h>

#include "DataExchange.h"
#include "MessageMap.h"
#include "Wnd.h"

class CDialog : public CWnd {
public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

  // Creates the dialog, runs it until EndDialog and destroys it; returns the
  // value given to EndDialog, or -1 when the dialog could not be created. The
  // owner is the parent given, else the application's main window; it is
  // disabled while the dialog runs.
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  // Copies between the controls and the members: TRUE reads the controls.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // Keyboard navigation, Enter and Escape of the dialog manager.
  BOOL PreTranslateMessage(MSG* msg) override;

protected:
  virtual void DoDataExchange(CDataExchange*) {}
  // Fills the controls from the members; TRUE lets the system give the focus
  // to the first tab stop.
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // A command nobody in the dialog handles goes to the application.
  BOOL RouteCommandOnward(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  DECLARE_MESSAGE_MAP()

private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  BOOL PreTranslateInLoop(MSG* msg);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  bool m_bModalDone = false;
  INT_PTR m_nModalResult = -1;
};
