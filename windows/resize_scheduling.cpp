#include "windows/resize_scheduling.h"

namespace zuno {

ResizeScheduling::ResizeScheduling(GtkWidget* layout, std::function<void(Size)> apply)
    : layout_(layout), apply_(std::move(apply)) {
  // The rule works from the client area the controls stand in, the layout's
  // allocation. The toplevel's configure size is no measure of it: where GTK
  // draws the title bar and the shadow itself (Wayland, GTK_CSD=1) they are
  // part of that size.
  // The layout has placed the controls by the time it reports its size, and
  // a move asked for from within that report would be lost: the rule runs
  // right after it.
  handler_ = g_signal_connect(layout, "size-allocate", G_CALLBACK(+[](GtkWidget*, GdkRectangle* client, gpointer self) {
                     static_cast<ResizeScheduling*>(self)->OnAllocated(Size{client->width, client->height});
                   }),
                   this);
}

ResizeScheduling::~ResizeScheduling() {
  g_signal_handler_disconnect(layout_, handler_);
  if (source_ != 0) g_source_remove(source_);
}

void ResizeScheduling::OnAllocated(Size size) {
  if (size == clientSize_) return;  // the controls' own moves come back here
  clientSize_ = size;
  if (source_ != 0) return;
  source_ = g_idle_add_full(
      G_PRIORITY_HIGH_IDLE,
      [](gpointer data) -> gboolean {
        auto* self = static_cast<ResizeScheduling*>(data);
        self->source_ = 0;
        self->apply_(self->clientSize_);
        return G_SOURCE_REMOVE;
      },
      this, nullptr);
}

}  // namespace zuno
