// When the Main Window's controls are laid out again: once after each change
// of the client area's size, right after the layout has reported it. It goes
// before the window it watches.
#pragma once

#include <gtk/gtk.h>

#include <functional>

#include "windows/geometry.h"

namespace zuno {

class ResizeScheduling {
 public:
  // layout: the container the controls stand in; apply lays them out.
  ResizeScheduling(GtkWidget* layout, std::function<void(Size)> apply);
  ~ResizeScheduling();
  ResizeScheduling(const ResizeScheduling&) = delete;
  ResizeScheduling& operator=(const ResizeScheduling&) = delete;

 private:
  void OnAllocated(Size size);

  GtkWidget* layout_;
  gulong handler_ = 0;
  std::function<void(Size)> apply_;
  Size clientSize_{};  // the client size the controls are laid out for
  guint source_ = 0;
};

}  // namespace zuno
