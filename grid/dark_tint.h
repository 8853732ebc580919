// A column's background on a dark theme. The tints a column is given are
// light (the Type Class colours, the catalog's grey): under the light text of
// a dark theme they would leave it unreadable. Drawn there, each keeps its
// hue, softened, at a lightness that light text reads well on.
#pragma once

#include "grid/result_grid.h"

namespace zuno {

Rgb DarkTint(Rgb light);

// Whether a text colour (0 to 1 a channel) is light, as a dark theme's is.
bool IsLightText(double red, double green, double blue);

// The contrast of two colours, from 1 (none) to 21 (black on white), as
// the WCAG measure it.
double ContrastRatio(Rgb a, Rgb b);

}  // namespace zuno
