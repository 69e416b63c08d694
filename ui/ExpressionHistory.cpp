#include "ExpressionHistory.h"

void ExpressionHistory::Record(const std::string& expression) {
  // An empty field gives nothing worth bringing back.
  if (!expression.empty() && (m_entries.empty() || m_entries.back() != expression)) {
    m_entries.push_back(expression);
    if (m_entries.size() > kCapacity) m_entries.pop_front();
  }
  m_shown = m_entries.size();
  m_draft.clear();
}

std::optional<std::string> ExpressionHistory::Previous(const std::string& shown) {
  if (m_shown == 0) return std::nullopt;
  if (m_shown == m_entries.size()) m_draft = shown;
  return m_entries[--m_shown];
}

std::optional<std::string> ExpressionHistory::Next() {
  if (m_shown == m_entries.size()) return std::nullopt;
  ++m_shown;
  return m_shown == m_entries.size() ? m_draft : m_entries[m_shown];
}
