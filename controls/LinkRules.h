// What a hyperlink control decides without a window: the colours and flags of
// its eight looks, and the tooltip text it derives from a caption.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A preset colour: a fixed one, or the system's button face, which is read
// only when the look is applied so that it follows the user's colour scheme.
struct LinkColour {
  bool buttonFace;
  std::uint8_t red, green, blue;
};

struct LinkPreset {
  LinkColour text;
  LinkColour hoverText;
  LinkColour back;
  LinkColour hoverBack;
  bool hoverFrame;
  LinkColour frame;
  bool normalUnderline;
  bool hoverUnderline;
};

constexpr unsigned kLinkPresetCount = 8;

// The look with this number, or null for a number that names none.
const LinkPreset* FindLinkPreset(unsigned style);

// "Go to " or "E-mail " before the caption, with the scheme it names dropped;
// without a prefix the caption as it stands.
std::string LinkToolTipText(std::string_view caption, bool withPrefix);
