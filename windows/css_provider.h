#pragma once

namespace zuno {

// The program's style providers: at application priority, compact controls
// so every control gets exactly the size of its place, the grid font, and the
// orange of a running Autorun Timer; just above the stock theme, its marks
// of checked boxes from its pictures that need no SVG loader.
void InstallCssProvider();

constexpr const char* kTimerRunningClass = "autorun-running";

}  // namespace zuno
