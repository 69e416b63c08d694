// A static text item of a dialog turned into a hyperlink: link colours, a
// hover look while the pointer is over it, a hand cursor, a tooltip, and a
// click that hands its target (a web or "mailto:" address) to the shell.
// Given WS_TABSTOP in the template it is reached with Tab, shows a focus
// rectangle and opens with Enter or Space; screen readers hear it as a link.
// Attach it to the item with DDX_Control; it sets itself up then.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "AccessibleObject.h"
#include "Framework.h"
#include "LinkRules.h"

class CLink : public CStatic {
public:
  CLink();
  ~CLink() override;

  // One of the eight looks (0 to 7). Any other number keeps colours and
  // flags; every number but 0 re-creates and shows the fonts, so those may
  // only be given to an attached control.
  void SetLinkStyle(unsigned style);
  // Each replaces its font by one with the given underline. A font the
  // control shows at the time is replaced on screen as well.
  void RebuildNormalFont(BOOL underline);
  void RebuildHoverFont(BOOL underline);

  // The colours of a link on the dark ground of a dialog in the dark mode,
  // its tooltip dark too; false brings back the colours of its look.
  void ShowDark(bool dark);

  // Replace what attaching took from the caption; null means empty.
  void SetToolTipText(const char* text);
  void SetToolTipText(const std::wstring& text);
  void SetURL(const char* url);
  void MakeToolTipText(const char* text);

  void LoadHandCursor();

  BOOL PreTranslateMessage(MSG* msg) override;

  // How a click reaches the shell. Tests put a recorder here so that no
  // browser or mail program starts.
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static ShellExecuteFunction s_pfnShellExecute;

protected:
  void PreSubclassWindow() override;

  void OnMouseMove(UINT flags, POINT point);
  void OnClicked();
  HBRUSH CtlColor(HDC dc, UINT ctlColor);
  void OnTimer(UINT_PTR id);
  BOOL OnEraseBkgnd(HDC dc);
  BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  void OnKeyDown(UINT key, UINT repeats, UINT flags);
  LRESULT OnFocusChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint(WPARAM givenDc, LPARAM);
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

private:
  // A copy of a cursor is an icon of the process's own.
  using CursorCopy = CHandleOwner<HCURSOR, &::DestroyIcon>;

  void TakeColours(const LinkPreset& preset);
  void RebuildWithUnderline(CFont& font, BOOL underline);
  void ShowFont(const CFont& font);
  BOOL IsPointerInside() const;
  AccessibleFacts DescribeAsLink() const;

  unsigned m_nStyle = 0;  // the look whose colours show while not dark
  std::unique_ptr<CFont> m_pNormalFont;
  std::unique_ptr<CFont> m_pHoverFont;
  CToolTipCtrl m_ToolTip;
  CString m_strToolTip;
  BOOL m_bToolTip = TRUE;
  CursorCopy m_hHandCursor;
  BOOL m_bHover = FALSE;
  BOOL m_bHoverUnderline = FALSE;
  BOOL m_bNormalUnderline = FALSE;
  BOOL m_bHoverFrame = FALSE;
  CString m_strURL;
  COLORREF m_crText = 0;
  COLORREF m_crHoverText = 0;
  COLORREF m_crBack = 0;
  COLORREF m_crHoverBack = 0;
  COLORREF m_crFrame = 0;
  // Last, so that screen readers' objects are cut off before anything they read goes.
  CAccessibleObjects m_accessibleObjects;
};
