#include "windows/clipboard.h"

#include <gtk/gtk.h>

#include <string>

#include "windows/gtk_text.h"

namespace zuno {
namespace {

// A display without an input seat (a headless compositor) has no clipboard:
// GDK's Wayland side would reach for the missing seat's data device.
bool HasClipboard() { return gdk_display_get_default_seat(gdk_display_get_default()) != nullptr; }

}  // namespace

void PutOnClipboard(std::string_view text) {
  if (!HasClipboard()) return;
  std::string t = ValidUtf8(text);
  gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), t.c_str(), static_cast<gint>(t.size()));
}

void HandClipboardToDesktop() {
  // Only where the desktop keeps a clipboard after its owner is gone (an X11
  // clipboard manager); a Wayland compositor keeps it by itself.
  GdkDisplay* display = gdk_display_get_default();
  if (!HasClipboard() || !gdk_display_supports_clipboard_persistence(display)) return;
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_can_store(clipboard, nullptr, 0);
  gtk_clipboard_store(clipboard);
}

}  // namespace zuno
