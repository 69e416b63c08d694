// When the live result is worked out: at once for a quick text, after a pause
// in typing for a slow one, never twice for one change and never for a change
// that something else has answered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LiveResultSchedule.h"

namespace {

using Schedule = LiveResultSchedule;

struct Step {
  enum Kind { Change, Measure, Fire, Cancel } kind;
  std::size_t length = 0;
  double ms = 0;          // Measure: the time taken
  unsigned delayMs = 0;   // Change: the plan
  bool clearNow = false;  // Change: the plan
  bool due = false;       // Fire: what Due() answers
};

Step Changed(std::size_t length, unsigned delayMs, bool clearNow) {
  return {Step::Change, length, 0, delayMs, clearNow};
}
Step Took(std::size_t length, double ms) { return {Step::Measure, length, ms}; }
Step Fires(bool due) { return {Step::Fire, 0, 0, 0, false, due}; }
Step Cancelled() { return {Step::Cancel}; }

TEST(LiveResultSchedule, QuickTextsAtOnceSlowOnesAfterAPauseEachChangeOnce) {
  const struct {
    const char* what;
    std::vector<Step> steps;
    // clang-format off
  } cases[] = {
      {"a short text is evaluated once the keys stop",
       {Changed(5, 0, false), Fires(true), Fires(false)}},
      {"a burst of keys is evaluated once",
       {Changed(1, 0, false), Changed(2, 0, false), Changed(3, 0, false), Fires(true), Fires(false)}},
      {"a million characters wait for a pause before the first timing",
       {Changed(1'000'000, 600, true), Fires(true)}},
      {"the pause follows the time measured",
       {Took(1'000'000, 100), Changed(1'000'000, 300, true), Took(1'000'000, 20), Changed(1'000'000, 150, true)}},
      {"the pause is never longer than a second and a half",
       {Took(1'000'000, 5000), Changed(1'000'000, 1500, true)}},
      {"a fast machine takes even a long text at once",
       {Took(1'000'000, 5), Changed(1'000'000, 0, false)}},
      {"a short text timed says nothing of the cost",
       {Took(10, 50), Changed(30'000, 0, false)}},
      {"emptied after a slow text: at once again",
       {Took(1'000'000, 100), Changed(1'000'000, 300, true), Changed(0, 0, false), Fires(true)}},
      {"a change answered by Enter is not evaluated again",
       {Changed(5, 0, false), Cancelled(), Fires(false)}},
      {"a change after the cancel is owed again",
       {Changed(5, 0, false), Cancelled(), Changed(6, 0, false), Fires(true)}},
      {"nothing changed, nothing owed", {Fires(false)}},
  };
  // clang-format on
  for (const auto& c : cases) {
    Schedule schedule;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& step = c.steps[i];
      const std::string where = std::string(c.what) + ", step " + std::to_string(i + 1);
      switch (step.kind) {
        case Step::Change: {
          const Schedule::Plan plan = schedule.Changed(step.length);
          EXPECT_EQ(plan.delayMs, step.delayMs) << where;
          EXPECT_EQ(plan.clearNow, step.clearNow) << where;
          break;
        }
        case Step::Measure: schedule.Measured(step.length, step.ms); break;
        case Step::Fire: EXPECT_EQ(schedule.Due(), step.due) << where; break;
        case Step::Cancel: schedule.Cancel(); break;
      }
    }
  }
}

}  // namespace
