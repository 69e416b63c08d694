// What every history of expressions keeps, the window's and the tool's alike:
// the newest lines, oldest first. Each keeps its own in a file that several
// windows or sessions share; writing it, each adds its own new lines to what the
// file holds at that moment (MergeHistory), so that none loses another's.
#pragma once

#include <cstddef>
#include <iterator>
#include <utility>

// The expressions the window keeps, in the recall of its expression field and
// in its file.
inline constexpr std::size_t kWindowHistoryLength = 100;
// The lines the tool keeps of its sessions at a terminal, in its line editor
// and in its file.
inline constexpr std::size_t kTerminalHistoryLength = 1000;

// The oldest lines go until no more than `length` are left.
template <typename Lines>
void KeepNewest(Lines& lines, std::size_t length) {
  if (lines.size() > length)
    lines.erase(lines.begin(), std::next(lines.begin(), static_cast<std::ptrdiff_t>(lines.size() - length)));
}

// A line added at the newest end, the oldest going when there are too many.
template <typename Lines, typename Line>
void AddKeepingNewest(Lines& lines, Line&& line, std::size_t length) {
  lines.emplace_back(std::forward<Line>(line));
  KeepNewest(lines, length);
}

// Whether a line that repeats the newest one is added again. The window records
// an expression given twice in a row once; a terminal keeps every line typed.
enum class Repeats { Kept, AddedOnce };

// The lines `held` (what a file holds now) with the `added` ones after them, in
// their order, the newest `length` kept.
template <typename Lines, typename Added>
void MergeHistory(Lines& held, const Added& added, std::size_t length, Repeats repeats) {
  KeepNewest(held, length);
  for (const auto& line : added) {
    if (repeats == Repeats::AddedOnce && !held.empty() && held.back() == line) continue;
    AddKeepingNewest(held, line, length);
  }
}
