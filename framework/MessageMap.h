// Macros that build a class's message map: a table of one-line entries, each
// unpacking the message's parameters and calling one handler.
//
//   // in the class:             DECLARE_MESSAGE_MAP()
//   // in its source file:       BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//                                  ON_BN_CLICKED(IDC_GO, OnGo)
//                                END_MESSAGE_MAP()
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CmdTarget.h"

// The braces of the table open in one macro and close in another, which a
// formatter cannot follow.
// clang-format off
#define DECLARE_MESSAGE_MAP()                   \
protected:                                      \
  static const MessageMap* GetThisMessageMap(); \
  const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const MessageMap* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                   \
      {0, 0, 0, nullptr}};                                                  \
    static const MessageMap map{&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                            \
  }

#define TW_HANDLER(body)                                                                 \
  [](CCmdTarget& target, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam, \
     [[maybe_unused]] LRESULT& result) { [[maybe_unused]] auto& self = static_cast<ThisClass&>(target); body; }
// clang-format on

// Commands and control notifications: void handler().
#define ON_COMMAND(id, handler)       {WM_COMMAND, 0, (id), TW_HANDLER(self.handler())},
#define ON_CONTROL(code, id, handler) {WM_COMMAND, (code), (id), TW_HANDLER(self.handler())},
#define ON_BN_CLICKED(id, handler)    ON_CONTROL(BN_CLICKED, id, handler)

// WM_NOTIFY: void handler(NMHDR*, LRESULT* result).
#define ON_NOTIFY(code, id, handler) \
  {WM_NOTIFY, static_cast<UINT>(code), (id), TW_HANDLER(self.handler(reinterpret_cast<NMHDR*>(lParam), &result))},

// Any message: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, handler) {(message), 0, 0, TW_HANDLER(result = self.handler(wParam, lParam))},

// Notifications a control handles itself, reflected from its parent.
#define ON_CONTROL_REFLECT(code, handler) {ReflectedMessage(WM_COMMAND), (code), 0, TW_HANDLER(self.handler())},
// A child control's WM_GETOBJECT for its client object, passed up to its
// parent: LRESULT handler(HWND control, WPARAM); 0 leaves the answer to the control.
#define ON_CONTROL_GETOBJECT(handler) \
  {ReflectedMessage(WM_GETOBJECT), 0, 0, TW_HANDLER(result = self.handler(reinterpret_cast<HWND>(lParam), wParam))},
// HBRUSH handler(HDC, UINT ctlColor); a null brush leaves the colours to the parent.
#define ON_WM_CTLCOLOR_REFLECT(handler)       \
  {ReflectedMessage(WM_CTLCOLORSTATIC), 0, 0, \
   TW_HANDLER(result = reinterpret_cast<LRESULT>(self.handler(reinterpret_cast<HDC>(wParam), CTLCOLOR_STATIC)))},

// Plain window messages, with the usual handler names and parameters.
#define ON_WM_CLOSE()      {WM_CLOSE, 0, 0, TW_HANDLER(self.OnClose())},
#define ON_WM_PAINT()      {WM_PAINT, 0, 0, TW_HANDLER(self.OnPaint())},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, TW_HANDLER(self.OnSysCommand(static_cast<UINT>(wParam), lParam))},
#define ON_WM_QUERYDRAGICON() \
  {WM_QUERYDRAGICON, 0, 0, TW_HANDLER(result = reinterpret_cast<LRESULT>(self.OnQueryDragIcon()))},
#define ON_WM_WINDOWPOSCHANGED() \
  {WM_WINDOWPOSCHANGED, 0, 0, TW_HANDLER(self.OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))},
#define ON_WM_HELPINFO() {WM_HELP, 0, 0, TW_HANDLER(result = self.OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam)))},
#define ON_WM_MOUSEMOVE()                                 \
  {WM_MOUSEMOVE, 0, 0,                                    \
   TW_HANDLER(self.OnMouseMove(static_cast<UINT>(wParam), \
                               POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}))},
#define ON_WM_KEYDOWN() \
  {WM_KEYDOWN, 0, 0, TW_HANDLER(self.OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))},
#define ON_WM_TIMER()      {WM_TIMER, 0, 0, TW_HANDLER(self.OnTimer(static_cast<UINT_PTR>(wParam)))},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, TW_HANDLER(result = self.OnEraseBkgnd(reinterpret_cast<HDC>(wParam)))},
#define ON_WM_SETCURSOR() \
  {WM_SETCURSOR, 0, 0,    \
   TW_HANDLER(result = self.OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)))},
