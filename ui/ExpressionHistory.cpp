#include "ExpressionHistory.h"

bool ExpressionHistory::Record(const std::string& expression) {
  // An empty field gives nothing worth bringing back.
  const bool added = !expression.empty() && (m_entries.empty() || m_entries.back() != expression);
  if (added) {
    m_entries.push_back(expression);
    if (m_entries.size() > kCapacity) m_entries.pop_front();
  }
  m_shown = m_entries.size();
  m_draft.clear();
  return added;
}

void ExpressionHistory::Restore(const std::vector<std::string>& expressions) {
  const std::size_t skipped = expressions.size() > kCapacity ? expressions.size() - kCapacity : 0;
  m_entries.assign(expressions.begin() + static_cast<std::ptrdiff_t>(skipped), expressions.end());
  m_shown = m_entries.size();
  m_draft.clear();
}

// Right after Enter the field still shows the newest entry, so a walk that
// starts from it begins with the one before: no press of Up or Down shows the
// same text again.
std::optional<std::string> ExpressionHistory::Previous(const std::string& shown) {
  std::size_t from = m_shown;
  const bool startingWalk = m_shown == m_entries.size();
  if (startingWalk && !m_entries.empty() && shown == m_entries.back()) from = m_entries.size() - 1;
  if (from == 0) return std::nullopt;
  if (startingWalk) m_draft = shown;
  m_shown = from - 1;
  return m_entries[m_shown];
}

std::optional<std::string> ExpressionHistory::Next() {
  if (m_shown == m_entries.size()) return std::nullopt;
  ++m_shown;
  if (m_shown + 1 == m_entries.size() && m_draft == m_entries.back()) ++m_shown;
  return m_shown == m_entries.size() ? m_draft : m_entries[m_shown];
}
