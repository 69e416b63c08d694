#include "LinkRules.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr LinkColour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) { return {false, red, green, blue}; }
constexpr LinkColour kButtonFace{true, 0, 0, 0};

constexpr LinkPreset kPresets[kLinkPresetCount] = {
    // text            hover text         back         hover back          frame? frame            underline: normal,
    // hover
    {Rgb(50, 50, 200), Rgb(50, 50, 50), kButtonFace, Rgb(180, 190, 220), false, Rgb(50, 50, 50), false, false},
    {Rgb(50, 50, 250), Rgb(50, 50, 150), kButtonFace, Rgb(180, 190, 220), true, Rgb(50, 50, 150), false, false},
    {Rgb(50, 50, 150), Rgb(50, 50, 50), kButtonFace, Rgb(210, 210, 210), true, Rgb(50, 50, 50), false, false},
    {Rgb(50, 50, 150), Rgb(50, 50, 150), kButtonFace, kButtonFace, false, Rgb(50, 50, 50), false, true},
    {Rgb(50, 50, 150), Rgb(250, 10, 10), kButtonFace, kButtonFace, false, Rgb(50, 50, 50), true, false},
    {Rgb(50, 50, 150), Rgb(250, 10, 10), kButtonFace, kButtonFace, false, Rgb(50, 50, 50), true, true},
    {Rgb(50, 50, 250), Rgb(50, 50, 50), kButtonFace, Rgb(240, 240, 0), true, Rgb(50, 50, 50), false, false},
    {Rgb(50, 50, 250), Rgb(250, 250, 250), kButtonFace, Rgb(90, 130, 220), false, Rgb(50, 50, 50), false, false},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

const LinkPreset* FindLinkPreset(unsigned style) { return style < kLinkPresetCount ? &kPresets[style] : nullptr; }

std::string LinkToolTipText(std::string_view caption, bool withPrefix) {
  if (!withPrefix) return std::string(caption);
  constexpr std::string_view kWeb = "http://";
  constexpr std::string_view kMail = "mailto:";
  const std::string_view scheme = caption.substr(0, kWeb.size());
  if (EqualNoCase(scheme, kWeb)) return "Go to " + std::string(caption.substr(kWeb.size()));
  if (EqualNoCase(scheme, kMail)) return "E-mail " + std::string(caption.substr(kMail.size()));
  return "Go to " + std::string(caption);
}
