#include "WindowPlace.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace {

constexpr Rect kWork{0, 0, 1280, 984};  // a screen with the taskbar below

TEST(TopLeftInWorkArea, KeepsAWindowOnTheScreen) {
  struct Row {
    const char* what;
    int x, y, width, height;
    Point expected;
  };
  const Row rows[] = {
      {"inside", 300, 300, 435, 100, {300, 300}},
      {"touching every edge", 0, 0, 1280, 984, {0, 0}},
      {"past the right edge", 1000, 300, 435, 100, {845, 300}},
      {"past the lower edge", 300, 950, 435, 100, {300, 884}},
      {"left of the screen", -500, 300, 435, 100, {0, 300}},
      {"above the screen", 300, -32000, 435, 100, {300, 0}},
      {"at the far end of an int", INT_MAX, INT_MAX, 435, 100, {845, 884}},
      {"at the near end of an int", INT_MIN, INT_MIN, 435, 100, {0, 0}},
      {"wider than the screen: its left edge shows", 100, 300, 1500, 100, {0, 300}},
      {"higher than the screen: its caption shows", 300, 100, 435, 1200, {300, 0}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(TopLeftInWorkArea(r.x, r.y, r.width, r.height, kWork), r.expected) << r.what;
}

TEST(TopLeftInWorkArea, AWorkAreaRightOfThePrimaryOne) {
  EXPECT_EQ(TopLeftInWorkArea(3000, 200, 435, 100, Rect{1280, 0, 2560, 1024}), (Point{2125, 200}));
}

struct Screen {
  std::set<std::pair<int, int>> copies;  // corners of other copies
  bool CopyAt(Point at) const { return copies.count({at.x, at.y}) > 0; }
  static Point Visible(Point at) { return TopLeftInWorkArea(at.x, at.y, 435, 100, kWork); }
};

Point Step(const Screen& screen, Point at) {
  return StepPastCopies(
      at, 23, [&](Point p) { return screen.CopyAt(p); }, &Screen::Visible, [](Point) { return Point{0, 0}; });
}

TEST(StepPastCopies, ANewCopyNeverHidesAnOlderOne) {
  EXPECT_EQ(Step(Screen{}, {300, 300}), (Point{300, 300})) << "alone: where it was";
  EXPECT_EQ(Step(Screen{{{300, 300}, {323, 323}}}, {300, 300}), (Point{346, 346}));
  EXPECT_EQ(Step(Screen{{{300, 300}, {346, 346}}}, {300, 300}), (Point{323, 323})) << "the first free step";
}

TEST(StepPastCopies, AtTheScreensCornerItStartsAgainAtTheWorkAreasCorner) {
  EXPECT_EQ(Step(Screen{{{845, 884}}}, {845, 884}), (Point{0, 0}));
  EXPECT_EQ(Step(Screen{{{845, 884}, {0, 0}}}, {845, 884}), (Point{23, 23}));
}

// However many copies stand in the way, the walk ends, on the screen.
TEST(StepPastCopies, EndsWhenEveryPlaceIsTaken) {
  const Point placed = StepPastCopies(
      {845, 884}, 23, [](Point) { return true; }, &Screen::Visible, [](Point) { return Point{0, 0}; });
  EXPECT_EQ(placed, Screen::Visible(placed));
}

TEST(CentredCorner, RoundsAHalfPixelRightAndDown) {
  EXPECT_EQ(CentredCorner(100, 50, 32, 32), (Point{34, 9}));
  EXPECT_EQ(CentredCorner(101, 51, 32, 32), (Point{35, 10}));
  EXPECT_EQ(CentredCorner(0, 0, 32, 32), (Point{-15, -15}));
}

}  // namespace
