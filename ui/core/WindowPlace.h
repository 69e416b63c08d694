// Where the main window opens, as arithmetic over the work areas the system
// reports: the window is kept on a screen and never hides another copy.
#pragma once

#include <functional>

#include "Geometry.h"

// The window's frame with its top-left corner at (x, y). A stored corner may
// be anything the file held, INT_MAX included: the far edges stop at the
// ends of an int.
Rect FrameAt(int x, int y, int width, int height);

// The top-left corner for a window of the given size at (x, y): unchanged when
// the whole window lies in `work`, else moved into it, whole when it fits
// there. A window larger than the work area keeps its caption on the screen.
Point TopLeftInWorkArea(int x, int y, int width, int height, const Rect& work);

// The place for a copy of the program opening at `at` while other copies may
// run: stepped down and right by `step` while `copyStandsAt` says another
// copy's corner is exactly there, so that the new copy never hides an older
// one. `visible` keeps each step wholly on the screen; a step that the
// screen's edge keeps from moving on starts again, once, at `workAreaCorner`.
// However many copies there are, the walk ends.
Point StepPastCopies(Point at, int step, const std::function<bool(Point)>& copyStandsAt,
                     const std::function<Point(Point)>& visible, const std::function<Point(Point)>& workAreaCorner);

// The top-left corner that centres a `width` by `height` picture in an area of
// `areaWidth` by `areaHeight`, a half pixel to the right and down.
Point CentredCorner(int areaWidth, int areaHeight, int width, int height);
