#include "WindowLayout.h"

#include <algorithm>

namespace {

void MoveDown(Rect& rect, int by) {
  rect.top += by;
  rect.bottom += by;
}

}  // namespace

int FieldHeightForText(int textHeight, int borderHeight, int dpi) {
  return textHeight + borderHeight + 2 * ScaleLength(kTextInsetAt96, dpi, 96);
}

WindowLayout FitToFont(const LaidOutPlaces& templatePlaces, int templateClientHeight, int templateDpi, int dpi,
                       int fieldHeight) {
  WindowLayout layout;
  for (std::size_t i = 0; i < layout.places.size(); ++i)
    layout.places[i] = ScaleRect(templatePlaces[i], dpi, templateDpi);
  LaidOutPlaces& place = layout.places;
  const int growFirst = std::max(0, fieldHeight - Height(place[kExpression]));
  const int growSecond = std::max(0, fieldHeight - Height(place[kResult]));
  place[kExpression].bottom += growFirst;
  MoveDown(place[kTopMost], growFirst / 2);
  for (LaidOut below : {kResult, kResultButton, kPrecision})
    MoveDown(place[below], growFirst);
  place[kResult].bottom += growSecond;
  MoveDown(place[kResultButton], growSecond / 2);
  MoveDown(place[kPrecision], growSecond / 2);
  layout.clientHeight = ScaleLength(templateClientHeight, dpi, templateDpi) + growFirst + growSecond;
  return layout;
}

Rect ScaleFromCorner(const Rect& frame, int to, int from) {
  return {frame.left, frame.top, frame.left + ScaleLength(Width(frame), to, from),
          frame.top + ScaleLength(Height(frame), to, from)};
}
