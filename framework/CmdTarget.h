// Message maps: each class that handles messages has one static table of
// entries, searched before the table of its base class.
#pragma once

#include <windows.h>

class CCmdTarget;

// A control's own handler for a notification its parent received from it
// (WM_COMMAND, WM_CTLCOLORSTATIC) is registered under this shifted number.
constexpr UINT ReflectedMessage(UINT message) { return 0xBC00 + message; }

struct MessageEntry {
  UINT message;
  UINT code;  // notification code of WM_COMMAND and WM_NOTIFY, otherwise 0
  UINT id;    // control or command id of WM_COMMAND and WM_NOTIFY, otherwise 0
  void (*handler)(CCmdTarget& target, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

struct MessageMap {
  const MessageMap* (*base)();  // null for the root
  const MessageEntry* entries;  // ends with an entry whose handler is null
};

class CCmdTarget {
public:
  virtual ~CCmdTarget() = default;

  // The entry for this message in this class's map or the nearest base's.
  const MessageEntry* FindHandler(UINT message, UINT code, UINT id) const;

protected:
  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const;
};
