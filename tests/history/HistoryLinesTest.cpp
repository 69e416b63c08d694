// The merge that the window and the tool make when they write their shared
// history files: what the file holds, then the session's lines, the newest kept.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "HistoryLines.h"

namespace {

using Lines = std::vector<std::string>;

struct MergeCase {
  Lines held;
  Lines added;
  std::size_t length;
  Repeats repeats;
  Lines expected;
};

TEST(HistoryLines, MergeAddsTheSessionsLinesAfterTheFilesAndKeepsTheNewest) {
  const MergeCase cases[] = {
      {{}, {}, 3, Repeats::Kept, {}},
      {{"1", "2"}, {"3"}, 3, Repeats::Kept, {"1", "2", "3"}},
      {{"1", "2", "3"}, {"4", "5"}, 3, Repeats::Kept, {"3", "4", "5"}},
      {{"1"}, {"2", "3", "4", "5"}, 3, Repeats::Kept, {"3", "4", "5"}},
      {{"1", "2", "3", "4"}, {}, 2, Repeats::Kept, {"3", "4"}},
      // A terminal keeps every line typed; the window a line given twice in a
      // row once, also across the file's end and the session's start.
      {{"1", "2"}, {"2", "2", "3"}, 5, Repeats::Kept, {"1", "2", "2", "2", "3"}},
      {{"1", "2"}, {"2", "2", "3"}, 5, Repeats::AddedOnce, {"1", "2", "3"}},
      {{"1", "2"}, {"1", "3", "1"}, 5, Repeats::AddedOnce, {"1", "2", "1", "3", "1"}},
      {{"1", "2", "3"}, {"3", "4"}, 2, Repeats::AddedOnce, {"3", "4"}},
  };
  for (const MergeCase& c : cases) {
    Lines merged = c.held;
    MergeHistory(merged, c.added, c.length, c.repeats);
    EXPECT_EQ(merged, c.expected) << testing::PrintToString(c.held) << " + " << testing::PrintToString(c.added);

    std::deque<std::string> asDeque(c.held.begin(), c.held.end());
    MergeHistory(asDeque, std::deque<std::string>(c.added.begin(), c.added.end()), c.length, c.repeats);
    EXPECT_EQ(Lines(asDeque.begin(), asDeque.end()), c.expected) << "in a deque";
  }
}

TEST(HistoryLines, EachHistoryKeepsItsOwnLength) {
  Lines typed;
  for (int i = 0; i < 1500; ++i)
    AddKeepingNewest(typed, std::to_string(i), kTerminalHistoryLength);
  EXPECT_EQ(typed.size(), kTerminalHistoryLength);
  EXPECT_EQ(typed.front(), "500");
  KeepNewest(typed, kWindowHistoryLength);
  EXPECT_EQ(typed.size(), kWindowHistoryLength);
  EXPECT_EQ(typed.front(), "1400");
  EXPECT_EQ(typed.back(), "1499");
}

}  // namespace
