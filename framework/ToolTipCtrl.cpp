#include "ToolTipCtrl.h"

#include "WinApp.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  if (m_hWnd) return FALSE;
  const HWND tip =
      ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | style, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, AfxGetResourceHandle(), nullptr);
  // Bound so that the object hears should the system take the window along.
  if (!tip || !SubclassWindow(tip)) {
    if (tip) ::DestroyWindow(tip);
    return FALSE;
  }
  m_bOwnsWindow = true;
  m_hWndTools = parent->m_hWnd;
  return TRUE;
}

namespace {

// A tool covering the whole of a child window, found by its handle, in the
// ANSI or the UTF-16 form of the record. `size` is the one every version of
// the control accepts, with or without the manifest that asks for version 6.
template <typename ToolInfo, typename Char>
ToolInfo WholeWindowTool(HWND tool, const Char* text, UINT size) {
  ToolInfo info{};
  info.cbSize = size;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<Char*>(text);
  return info;
}

TTTOOLINFOA ToolInfo(HWND tool, const char* text) {
  return WholeWindowTool<TTTOOLINFOA>(tool, text, TTTOOLINFOA_V2_SIZE);
}
TTTOOLINFOW ToolInfo(HWND tool, const wchar_t* text) {
  return WholeWindowTool<TTTOOLINFOW>(tool, text, TTTOOLINFOW_V2_SIZE);
}

}  // namespace

BOOL CToolTipCtrl::AddTool(HWND tool, const char* text) {
  TTTOOLINFOA info = ToolInfo(tool, text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const char* text, HWND tool) {
  TTTOOLINFOA info = ToolInfo(tool, text);
  SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

BOOL CToolTipCtrl::AddTool(HWND tool, const wchar_t* text) {
  TTTOOLINFOW info = ToolInfo(tool, text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const wchar_t* text, HWND tool) {
  TTTOOLINFOW info = ToolInfo(tool, text);
  SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}
