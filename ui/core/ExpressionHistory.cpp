#include "ExpressionHistory.h"

bool ExpressionHistory::Record(const std::string& expression) {
  // An empty field gives nothing worth bringing back.
  const bool added = !expression.empty() && (m_entries.empty() || m_entries.back() != expression);
  if (added) AddKeepingNewest(m_entries, expression, kCapacity);
  m_shown = m_entries.size();
  m_draft.clear();
  m_edits.clear();
  return added;
}

void ExpressionHistory::Restore(const std::vector<std::string>& expressions) {
  m_entries.assign(expressions.begin(), expressions.end());
  KeepNewest(m_entries, kCapacity);
  m_shown = m_entries.size();
  m_draft.clear();
  m_edits.clear();
}

void ExpressionHistory::KeepShown(const std::string& shown) {
  if (m_shown == m_entries.size()) {
    m_draft = shown;
  } else if (shown == m_entries[m_shown]) {
    m_edits.erase(m_shown);
  } else {
    m_edits[m_shown] = shown;
  }
}

const std::string& ExpressionHistory::Shown(std::size_t index) const {
  if (index == m_entries.size()) return m_draft;
  const auto edit = m_edits.find(index);
  return edit != m_edits.end() ? edit->second : m_entries[index];
}

// Right after Enter the field still shows the newest entry, so a walk that
// starts from it begins with the one before: no press of Up or Down shows the
// same text again.
std::optional<std::string> ExpressionHistory::Previous(const std::string& shown) {
  std::size_t from = m_shown;
  const bool startingWalk = m_shown == m_entries.size();
  if (startingWalk && !m_entries.empty() && shown == m_entries.back() && !m_edits.count(from - 1))
    from = m_entries.size() - 1;
  if (from == 0) return std::nullopt;
  KeepShown(shown);
  m_shown = from - 1;
  return Shown(m_shown);
}

std::optional<std::string> ExpressionHistory::Next(const std::string& shown) {
  if (m_shown == m_entries.size()) return std::nullopt;
  KeepShown(shown);
  ++m_shown;
  if (m_shown + 1 == m_entries.size() && m_draft == m_entries.back() && !m_edits.count(m_shown)) ++m_shown;
  return Shown(m_shown);
}
