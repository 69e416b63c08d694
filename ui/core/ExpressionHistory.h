// The expressions given to the Result command, newest last, and the walk
// through them that Up and Down make in the expression field. The window
// keeps them in a file between runs.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "HistoryLines.h"

class ExpressionHistory {
public:
  static constexpr std::size_t kCapacity = kWindowHistoryLength;

  // Keeps an expression as it stood in the field, accepted or rejected, unless
  // it repeats the newest entry; the oldest goes when there are too many. The
  // next walk starts again from the text in the field. True when the entries
  // changed.
  bool Record(const std::string& expression);
  // The newest kCapacity of these in place of the entries, as from a new start.
  void Restore(const std::vector<std::string>& expressions);
  void Clear() { Restore({}); }
  const std::deque<std::string>& Entries() const { return m_entries; }

  // The entry before the one shown, or nothing at the oldest. Stepping away
  // from the field's own text keeps that text as the draft; when that text is
  // the newest entry itself, the walk starts at the one before it. An entry
  // edited in the field stays edited while the walk goes on, as in a shell,
  // until the next Record.
  std::optional<std::string> Previous(const std::string& shown);
  // The entry after the one shown, the draft after the newest, or nothing
  // while the draft is shown.
  std::optional<std::string> Next(const std::string& shown);

private:
  // Keeps the field's text as the edit of the entry shown, or as the draft.
  void KeepShown(const std::string& shown);
  const std::string& Shown(std::size_t index) const;

  std::deque<std::string> m_entries;  // oldest first
  std::size_t m_shown = 0;            // index of the entry in the field; m_entries.size() for the draft
  std::string m_draft;
  std::map<std::size_t, std::string> m_edits;  // by index: entries edited during this walk
};
