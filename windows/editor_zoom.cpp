#include "windows/editor_zoom.h"

#include <algorithm>
#include <string>

namespace zuno {
namespace {

constexpr const char* kPercentKey = "zuno-zoom-percent";
constexpr const char* kProviderKey = "zuno-zoom-css";
constexpr int kStep = 10;
constexpr int kSmallest = 50;
constexpr int kLargest = 400;

}  // namespace

int EditorZoomPercent(GtkWidget* view) {
  const int percent = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(view), kPercentKey));
  return percent == 0 ? 100 : percent;
}

void ZoomEditor(GtkWidget* view, Zoom zoom) {
  const int now = EditorZoomPercent(view);
  const int percent = zoom == Zoom::Reset ? 100 : std::clamp(now + (zoom == Zoom::In ? kStep : -kStep), kSmallest, kLargest);
  g_object_set_data(G_OBJECT(view), kPercentKey, GINT_TO_POINTER(percent));
  // One provider of the view's own, made at the first zoom, holds the size.
  auto* css = static_cast<GtkCssProvider*>(g_object_get_data(G_OBJECT(view), kProviderKey));
  if (!css) {
    css = gtk_css_provider_new();
    g_object_set_data_full(G_OBJECT(view), kProviderKey, css, g_object_unref);
    gtk_style_context_add_provider(gtk_widget_get_style_context(view), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  const std::string rule = "textview { font-size: " + std::to_string(percent) + "%; }";
  gtk_css_provider_load_from_data(css, rule.c_str(), -1, nullptr);
}

}  // namespace zuno
