// The expressions given to the Result command in this run, newest last, and
// the walk through them that Up and Down make in the expression field. It
// lives as long as the window: nothing of it is stored.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

class ExpressionHistory {
public:
  static constexpr std::size_t kCapacity = 100;

  // Keeps an expression as it stood in the field, accepted or rejected, unless
  // it repeats the newest entry; the oldest goes when there are too many. The
  // next walk starts again from the text in the field.
  void Record(const std::string& expression);

  // The entry before the one shown, or nothing at the oldest. Stepping away
  // from the field's own text keeps that text as the draft; when that text is
  // the newest entry itself, the walk starts at the one before it.
  std::optional<std::string> Previous(const std::string& shown);
  // The entry after the one shown, the draft after the newest, or nothing
  // while the draft is shown.
  std::optional<std::string> Next();

private:
  std::deque<std::string> m_entries;  // oldest first
  std::size_t m_shown = 0;            // index of the entry in the field; m_entries.size() for the draft
  std::string m_draft;
};
