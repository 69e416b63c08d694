// The hyperlink's decisions that need no window: its tooltip text from a
// caption and its eight looks.
#include <gtest/gtest.h>

#include <string>

#include "LinkRules.h"

namespace {

struct ToolTipCase {
  const char* caption;
  bool withPrefix;
  const char* expected;
};

TEST(LinkToolTipText, NamesTheTargetBehindTheRightPrefix) {
  const ToolTipCase cases[] = {
      // A plain caption is a place to go to, whole.
      {"eMail", true, "Go to eMail"},
      {"Home page", true, "Go to Home page"},
      // The scheme is dropped from a web address...
      {"http://quillbright.example", true, "Go to quillbright.example"},
      // ...in any letter case.
      {"HTTP://QUILLBRIGHT.EXAMPLE", true, "Go to QUILLBRIGHT.EXAMPLE"},
      {"hTtP://x", true, "Go to x"},
      // A mail address is something to write to.
      {"mailto:support@quillbright.example", true, "E-mail support@quillbright.example"},
      {"MAILTO:Someone", true, "E-mail Someone"},
      // Only the first seven characters count, and only both schemes.
      {"https://quillbright.example", true, "Go to https://quillbright.example"},
      {" http://x", true, "Go to  http://x"},
      {"mail to:x", true, "Go to mail to:x"},
      {"ftp://x", true, "Go to ftp://x"},
      // Nothing after the scheme leaves the prefix alone.
      {"http://", true, "Go to "},
      {"mailto:", true, "E-mail "},
      // Shorter than a scheme: the whole caption, even a scheme's beginning.
      {"http:/", true, "Go to http:/"},
      {"mail", true, "Go to mail"},
      {"", true, "Go to "},
      // Without the prefix the caption stands as it is, scheme included.
      {"http://quillbright.example", false, "http://quillbright.example"},
      {"mailto:x", false, "mailto:x"},
      {"eMail", false, "eMail"},
      {"", false, ""},
  };
  for (const ToolTipCase& c : cases) {
    EXPECT_EQ(LinkToolTipText(c.caption, c.withPrefix), c.expected)
        << "caption \"" << c.caption << "\", prefix " << c.withPrefix;
  }
}

// Bytes above 127 are never letters of a scheme.
TEST(LinkToolTipText, KeepsEightBitCaptionsIntact) {
  const std::string caption = "\xE9t\xE9 \xE0 Paris";
  EXPECT_EQ(LinkToolTipText(caption, true), "Go to " + caption);
}

constexpr LinkColour Rgb(int r, int g, int b) {
  return {false, static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}
constexpr LinkColour kFace{true, 0, 0, 0};

bool operator==(const LinkColour& a, const LinkColour& b) {
  return a.buttonFace == b.buttonFace && (a.buttonFace || (a.red == b.red && a.green == b.green && a.blue == b.blue));
}

std::string Describe(const LinkColour& c) {
  if (c.buttonFace) return "button face";
  return std::to_string(c.red) + ", " + std::to_string(c.green) + ", " + std::to_string(c.blue);
}

// The looks as the design documents them, one row each.
TEST(LinkPresets, MatchTheDocumentedLooks) {
  struct Row {
    LinkColour text, hoverText, back, hoverBack;
    bool hoverFrame;
    LinkColour frame;
    bool normalUnderline, hoverUnderline;
  };
  const Row rows[] = {
      {Rgb(50, 50, 200), Rgb(50, 50, 50), kFace, Rgb(180, 190, 220), false, Rgb(50, 50, 50), false, false},
      {Rgb(50, 50, 250), Rgb(50, 50, 150), kFace, Rgb(180, 190, 220), true, Rgb(50, 50, 150), false, false},
      {Rgb(50, 50, 150), Rgb(50, 50, 50), kFace, Rgb(210, 210, 210), true, Rgb(50, 50, 50), false, false},
      {Rgb(50, 50, 150), Rgb(50, 50, 150), kFace, kFace, false, Rgb(50, 50, 50), false, true},
      {Rgb(50, 50, 150), Rgb(250, 10, 10), kFace, kFace, false, Rgb(50, 50, 50), true, false},
      {Rgb(50, 50, 150), Rgb(250, 10, 10), kFace, kFace, false, Rgb(50, 50, 50), true, true},
      {Rgb(50, 50, 250), Rgb(50, 50, 50), kFace, Rgb(240, 240, 0), true, Rgb(50, 50, 50), false, false},
      {Rgb(50, 50, 250), Rgb(250, 250, 250), kFace, Rgb(90, 130, 220), false, Rgb(50, 50, 50), false, false},
  };
  ASSERT_EQ(std::size(rows), kLinkPresetCount);
  for (unsigned style = 0; style < kLinkPresetCount; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
    const LinkPreset* preset = FindLinkPreset(style);
    ASSERT_NE(preset, nullptr);
    const Row& row = rows[style];
    EXPECT_TRUE(preset->text == row.text) << Describe(preset->text);
    EXPECT_TRUE(preset->hoverText == row.hoverText) << Describe(preset->hoverText);
    EXPECT_TRUE(preset->back == row.back) << Describe(preset->back);
    EXPECT_TRUE(preset->hoverBack == row.hoverBack) << Describe(preset->hoverBack);
    EXPECT_EQ(preset->hoverFrame, row.hoverFrame);
    EXPECT_TRUE(preset->frame == row.frame) << Describe(preset->frame);
    EXPECT_EQ(preset->normalUnderline, row.normalUnderline);
    EXPECT_EQ(preset->hoverUnderline, row.hoverUnderline);
  }
}

TEST(LinkPresets, NumbersBeyondTheEighthNameNoLook) {
  for (unsigned style : {8u, 9u, 255u, 0xFFFFFFFFu})
    EXPECT_EQ(FindLinkPreset(style), nullptr) << style;
}

}  // namespace
