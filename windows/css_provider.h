#pragma once

namespace zuno {

// The program's one style provider, at application priority: compact controls
// so every control gets exactly the size of its place, the grid font, and the
// orange of a running Autorun Timer.
void InstallCssProvider();

constexpr const char* kTimerRunningClass = "autorun-running";

}  // namespace zuno
