// The main window's layout as arithmetic: the template's places at the
// window's scale, with both fields as high as their display font needs.
#pragma once

#include <array>
#include <cstddef>

#include "Geometry.h"

// The controls the layout moves, in the order of their places below.
enum LaidOut : std::size_t { kExpression, kResult, kResultButton, kTopMost, kPrecision, kLaidOutCount };
using LaidOutPlaces = std::array<Rect, kLaidOutCount>;

// The room the edit control keeps between the text and a plain border, above
// and below, at 100 %.
inline constexpr int kTextInsetAt96 = 2;

// How high a field must be for a font whose line is `textHeight` pixels: the
// line, the field's own border (`borderHeight`, both edges) and the room
// inside, at `dpi`.
int FieldHeightForText(int textHeight, int borderHeight, int dpi);

struct WindowLayout {
  LaidOutPlaces places;  // in the client area
  int clientHeight = 0;
};

// The template's layout, noted at `templateDpi`, at `dpi`, with each field at
// least `fieldHeight` high (0: as the template has it). The template's heights
// are the least a field gets, so the window keeps the look it was drawn with
// for the usual sizes; a higher field moves the controls below it and the
// window's lower edge down, and the buttons beside a field keep their height
// and stay centred on it. Worked out from the template every time, so that a
// font chosen many times, or a window moved between scales, never drifts.
WindowLayout FitToFont(const LaidOutPlaces& templatePlaces, int templateClientHeight, int templateDpi, int dpi,
                       int fieldHeight);

// A window's frame at another scale, grown or shrunk from its top-left corner.
Rect ScaleFromCorner(const Rect& frame, int to, int from);
