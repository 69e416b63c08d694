#include "WindowLayout.h"

#include <gtest/gtest.h>

namespace {

// Rounded as Windows' MulDiv rounds: a half away from zero, -1 for what no int holds.
TEST(ScaleLength, RoundsAsTheSystemDoes) {
  struct Row {
    int length, to, from, expected;
  };
  const Row rows[] = {
      {15, 144, 96, 23},   {-15, 144, 96, -23},          {1, 144, 96, 2},   {-1, 144, 96, -2},
      {23, 96, 144, 15},   {5, 96, -96, -5},             {0, 144, 96, 0},   {7, 144, 0, -1},
      {2147483647, 144, 96, -1}, {-2147483647, 144, 96, -1}, {286, 192, 96, 572},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ScaleLength(r.length, r.to, r.from), r.expected) << r.length << " at " << r.to << " from " << r.from;
}

// Places measured on the template at 96 DPI: two rows, a button beside each field.
const LaidOutPlaces kTemplate = {
    Rect{11, 11, 382, 38},   // expression
    Rect{86, 44, 382, 71},   // result
    Rect{11, 45, 74, 71},    // Result button
    Rect{389, 11, 419, 37},  // pin
    Rect{389, 44, 419, 70},  // decimals
};
constexpr int kTemplateClient = 81;

TEST(FitToFont, AFontThatFitsKeepsTheTemplate) {
  const WindowLayout layout = FitToFont(kTemplate, kTemplateClient, 96, 96, 20);
  EXPECT_EQ(layout.places, kTemplate);
  EXPECT_EQ(layout.clientHeight, kTemplateClient);
}

TEST(FitToFont, AHigherFontGrowsBothFieldsAndMovesTheSecondRowDown) {
  const WindowLayout layout = FitToFont(kTemplate, kTemplateClient, 96, 96, 37);  // 10 more than each field
  EXPECT_EQ(layout.places[kExpression], (Rect{11, 11, 382, 48}));
  EXPECT_EQ(layout.places[kTopMost], (Rect{389, 16, 419, 42})) << "stays centred on the first field";
  EXPECT_EQ(layout.places[kResult], (Rect{86, 54, 382, 91}));
  EXPECT_EQ(layout.places[kResultButton], (Rect{11, 60, 74, 86})) << "stays centred on the second field";
  EXPECT_EQ(layout.places[kPrecision], (Rect{389, 59, 419, 85}));
  EXPECT_EQ(layout.clientHeight, kTemplateClient + 20);
}

// Worked out from the template each time: no scale or font leaves a trace.
TEST(FitToFont, AnotherScaleScalesTheTemplateWithoutDrift) {
  const WindowLayout at144 = FitToFont(kTemplate, kTemplateClient, 96, 144, 0);
  EXPECT_EQ(at144.places[kExpression], (Rect{17, 17, 573, 57}));
  EXPECT_EQ(at144.clientHeight, 122);
  const WindowLayout back = FitToFont(kTemplate, kTemplateClient, 96, 96, 0);
  EXPECT_EQ(back.places, kTemplate);
  const WindowLayout from144 = FitToFont(at144.places, at144.clientHeight, 144, 144, 0);
  EXPECT_EQ(from144.places, at144.places);
}

TEST(FitToFont, TheFieldHoldsTheLineTheBorderAndTheRoomInside) {
  EXPECT_EQ(FieldHeightForText(17, 4, 96), 25);
  EXPECT_EQ(FieldHeightForText(26, 6, 144), 38);
}

TEST(ScaleFromCorner, KeepsTheCornerAndScalesTheSize) {
  EXPECT_EQ(ScaleFromCorner(Rect{610, 300, 1045, 400}, 144, 96), (Rect{610, 300, 1263, 450}));
  EXPECT_EQ(ScaleFromCorner(Rect{-20, -10, 415, 90}, 96, 192), (Rect{-20, -10, 198, 40}));
}

}  // namespace
