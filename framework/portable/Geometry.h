// Lengths and rectangles in pixels, and their change of scale. Plain C++, so
// that the window's arithmetic is built and tested on every platform; Windows'
// RECT and the Rect here are measured by the same functions.
#pragma once

#include <cstdint>
#include <limits>

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

template <class AnyRect>
constexpr int Width(const AnyRect& rect) {
  return static_cast<int>(rect.right - rect.left);
}
template <class AnyRect>
constexpr int Height(const AnyRect& rect) {
  return static_cast<int>(rect.bottom - rect.top);
}

// One rectangle type as another: Windows' RECT and Rect.
template <class To, class From>
constexpr To RectAs(const From& rect) {
  using Edge = decltype(To{}.left);
  return To{static_cast<Edge>(rect.left), static_cast<Edge>(rect.top), static_cast<Edge>(rect.right),
            static_cast<Edge>(rect.bottom)};
}

// `length` measured at scale `from` at scale `to`, to the nearest pixel, a
// half away from zero, as Windows' MulDiv rounds; -1, as MulDiv gives, when
// there is no scale to come from or the result does not fit an int. The
// window's sizes are therefore the ones it always had.
constexpr int ScaleLength(int length, int to, int from) {
  if (from == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(length) * to;
  std::int64_t divisor = from;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const std::int64_t scaled = (product >= 0 ? product + divisor / 2 : product - divisor / 2) / divisor;
  if (scaled > std::numeric_limits<int>::max() || scaled < -std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(scaled);
}

// Every edge at the new scale, so that rectangles that touch still touch.
constexpr Rect ScaleRect(const Rect& rect, int to, int from) {
  return {ScaleLength(rect.left, to, from), ScaleLength(rect.top, to, from), ScaleLength(rect.right, to, from),
          ScaleLength(rect.bottom, to, from)};
}
