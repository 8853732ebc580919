// Where the Main Window's controls stand for a given client size.
#pragma once

#include <array>

#include "session/control_ids.h"
#include "windows/geometry.h"

namespace zuno {

constexpr Size kMainWindowSize{820, 555};
constexpr Size kMainWindowMinimum{30, 30};

// The rule reproduces the creation layout at 820 x 555; the text column, the
// editor and the grid stretch, the button column keeps 160 pixels from the right
// edge and the status block its distance from the bottom. Widths and heights
// that would fall below 1 on a tiny window are clamped to 1.
std::array<Rect, kMainControlCount> MainWindowLayout(int width, int height);

}  // namespace zuno
