#include "WindowPlace.h"

#include <algorithm>
#include <climits>

namespace {

int FarEdge(int start, int length) {
  return static_cast<int>(std::clamp(static_cast<long long>(start) + length, static_cast<long long>(INT_MIN),
                                     static_cast<long long>(INT_MAX)));
}

}  // namespace

Rect FrameAt(int x, int y, int width, int height) { return {x, y, FarEdge(x, width), FarEdge(y, height)}; }

Point TopLeftInWorkArea(int x, int y, int width, int height, const Rect& work) {
  const Rect wanted = FrameAt(x, y, width, height);
  if (wanted.left >= work.left && wanted.top >= work.top && wanted.right <= work.right &&
      wanted.bottom <= work.bottom) {
    return {x, y};
  }
  return {std::max(work.left, std::min(x, work.right - width)), std::max(work.top, std::min(y, work.bottom - height))};
}

Point StepPastCopies(Point at, int step, const std::function<bool(Point)>& copyStandsAt,
                     const std::function<Point(Point)>& visible, const std::function<Point(Point)>& workAreaCorner) {
  bool wrapped = false;
  for (int tries = 0; tries < 64 && copyStandsAt(at); ++tries) {
    Point next = visible({at.x + step, at.y + step});
    if (next == at) {
      if (wrapped) break;
      wrapped = true;
      next = workAreaCorner(at);
    }
    at = next;
  }
  return at;
}

Point CentredCorner(int areaWidth, int areaHeight, int width, int height) {
  return {(areaWidth - width + 1) / 2, (areaHeight - height + 1) / 2};
}
