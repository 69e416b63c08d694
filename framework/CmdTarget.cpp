#include "CmdTarget.h"

const MessageMap* CCmdTarget::GetThisMessageMap() {
  static const MessageEntry entries[] = {{0, 0, 0, nullptr}};
  static const MessageMap map{nullptr, entries};
  return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const MessageEntry* CCmdTarget::FindHandler(UINT message, UINT code, UINT id) const {
  for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (const MessageEntry* entry = map->entries; entry->handler; ++entry) {
      if (entry->message == message && entry->code == code && entry->id == id) return entry;
    }
  }
  return nullptr;
}
