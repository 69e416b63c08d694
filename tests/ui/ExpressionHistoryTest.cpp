#include "ExpressionHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One step of a walk: Up or Down with the field showing `shown`, and what the
// field shows next ("" when the key changes nothing).
struct Press {
  bool up;
  std::string shown;
  std::string expected;
};

void Walk(ExpressionHistory& history, const std::vector<Press>& presses) {
  int step = 0;
  for (const Press& press : presses) {
    ++step;
    const auto next = press.up ? history.Previous(press.shown) : history.Next(press.shown);
    EXPECT_EQ(next.value_or(""), press.expected) << "press " << step << (press.up ? " (Up)" : " (Down)");
  }
}

ExpressionHistory Of(const std::vector<std::string>& entries) {
  ExpressionHistory history;
  history.Restore(entries);
  return history;
}

TEST(ExpressionHistory, UpAndDownWalkTheEntriesAndComeBackToTheDraft) {
  ExpressionHistory history = Of({"1+1", "2*3"});
  Walk(history, {{true, "7-", "2*3"}, {true, "2*3", "1+1"}, {true, "1+1", ""}, {false, "1+1", "2*3"},
                 {false, "2*3", "7-"}, {false, "7-", ""}});
}

// Right after Enter the field shows the newest entry: Up goes on to the one before.
TEST(ExpressionHistory, AWalkFromTheNewestEntryNeverShowsItAgain) {
  ExpressionHistory history = Of({"1+1"});
  EXPECT_TRUE(history.Record("2*3"));
  Walk(history, {{true, "2*3", "1+1"}, {false, "1+1", "2*3"}, {false, "2*3", ""}});
}

TEST(ExpressionHistory, AnEditedEntryStaysEditedUntilTheNextRecord) {
  ExpressionHistory history = Of({"1+1", "2*3"});
  Walk(history, {{true, "", "2*3"}, {true, "2*3", "1+1"}, {false, "1+10", "2*3"}, {true, "2*3", "1+10"}});
  history.Record("5");
  Walk(history, {{true, "", "5"}, {true, "5", "2*3"}, {true, "2*3", "1+1"}});
}

TEST(ExpressionHistory, RecordSkipsEmptyTextAndRepeatsOfTheNewest) {
  ExpressionHistory history;
  EXPECT_FALSE(history.Record(""));
  EXPECT_TRUE(history.Record("1+1"));
  EXPECT_FALSE(history.Record("1+1"));
  EXPECT_TRUE(history.Record("2"));
  EXPECT_TRUE(history.Record("1+1"));
  EXPECT_EQ(history.Entries(), (std::deque<std::string>{"1+1", "2", "1+1"}));
}

TEST(ExpressionHistory, KeepsTheNewestEntriesOnly) {
  std::vector<std::string> many;
  for (std::size_t i = 0; i < ExpressionHistory::kCapacity + 5; ++i)
    many.push_back(std::to_string(i));
  ExpressionHistory history = Of(many);
  ASSERT_EQ(history.Entries().size(), ExpressionHistory::kCapacity);
  EXPECT_EQ(history.Entries().front(), "5");
  history.Record("new");
  ASSERT_EQ(history.Entries().size(), ExpressionHistory::kCapacity);
  EXPECT_EQ(history.Entries().front(), "6");
  EXPECT_EQ(history.Entries().back(), "new");
}

}  // namespace
