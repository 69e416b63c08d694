#include "WindowHistoryText.h"

#include <deque>
#include <iterator>
#include <optional>

namespace {

constexpr char kEscape = '\\';

std::string EscapedLine(std::string_view expression) {
  std::string line;
  line.reserve(expression.size());
  for (const char c : expression) {
    switch (c) {
      case kEscape: line += "\\\\"; break;
      case '\r': line += "\\r"; break;
      case '\n': line += "\\n"; break;
      default: line += c;
    }
  }
  return line;
}

// The expression a line stands for, or none when the line is not sound.
std::optional<std::string> UnescapedLine(std::string_view line) {
  std::string expression;
  expression.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\0' || c == '\r') return std::nullopt;
    if (c != kEscape) {
      expression += c;
      continue;
    }
    if (++i == line.size()) return std::nullopt;
    switch (line[i]) {
      case kEscape: expression += kEscape; break;
      case 'r': expression += '\r'; break;
      case 'n': expression += '\n'; break;
      default: return std::nullopt;
    }
  }
  if (expression.empty() || expression.size() > kHistoryExpressionLimit) return std::nullopt;
  return expression;
}

}  // namespace

std::vector<std::string> HistoryLinesOf(const std::vector<std::string>& expressions) {
  std::vector<std::string> lines;
  for (const std::string& expression : expressions) {
    if (!expression.empty() && expression.size() <= kHistoryExpressionLimit) lines.push_back(EscapedLine(expression));
  }
  return lines;
}

// Only the newest lines are held while reading: a foreign file of millions of
// short lines costs no more memory than a history.
std::vector<std::string> ParseHistoryText(std::string_view text, bool cutShort) {
  if (cutShort) {
    const std::size_t firstEnd = text.find('\n');
    text.remove_prefix(firstEnd == std::string_view::npos ? text.size() : firstEnd + 1);
  }
  std::deque<std::string> newest;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (auto expression = UnescapedLine(line)) AddKeepingNewest(newest, std::move(*expression), kWindowHistoryLength);
  }
  return {std::make_move_iterator(newest.begin()), std::make_move_iterator(newest.end())};
}
