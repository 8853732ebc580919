#include "windows/css_provider.h"

#include <gtk/gtk.h>

#include <string>

#include "base/gobject_ptr.h"

namespace zuno {
namespace {

// The stock theme's minimum heights (about 34 pixels for a button or an entry)
// would make the 25-pixel controls overlap; these rules shrink them to fit.
constexpr const char* kCss = R"css(
button, entry, combobox button, checkbutton {
  min-height: 0;
  padding-top: 0;
  padding-bottom: 0;
}
button { padding-left: 4px; padding-right: 4px; }
entry { min-width: 0; padding-left: 4px; padding-right: 4px; }
combobox button { padding-left: 2px; padding-right: 2px; }
checkbutton { padding-left: 0; padding-right: 0; }
checkbutton check { min-height: 12px; min-width: 12px; margin: 0 4px 0 0; }
checkbutton label { margin-top: -3px; margin-bottom: -3px; }
#transaction-place button { padding-left: 2px; padding-right: 2px; }
#transaction-place checkbutton check { margin-right: 2px; }
#result-grid, #result-grid header button {
  font-family: Consolas, monospace;
  font-size: 10pt;
  font-weight: normal;
}
paned.zuno-split > separator {
  min-height: 10px;
  background-color: transparent;
  background-image: linear-gradient(to bottom, transparent 4px, alpha(currentColor, 0.25) 4px,
                                    alpha(currentColor, 0.25) 6px, transparent 6px);
  background-size: 40px 10px;
  background-repeat: no-repeat;
  background-position: center;
}
entry.autorun-running {
  background-color: rgb(255, 128, 0);
  color: black;  /* also under a dark theme's light text */
  background-image: none;
}
)css";

// GTK's own Adwaita draws the marks of checked check boxes and radio buttons
// from SVG pictures, and the first checked box on the window brings an SVG
// loader and an XML parser (some 7 MB) into memory to draw a 12-pixel mark.
// The theme carries the same marks as PNG pictures, drawn pixel for pixel the
// same at scale 1, which it takes itself where no SVG loader is installed.
constexpr const char* kStockMarksCss = R"css(
check:checked {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/check-symbolic.symbolic.png"));
}
check:indeterminate, radio:indeterminate {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/dash-symbolic.symbolic.png"));
}
radio:checked {
  -gtk-icon-source: -gtk-recolor(url("resource:///org/gtk/libgtk/theme/Adwaita/assets/bullet-symbolic.symbolic.png"));
}
)css";

// The stock theme on screens of scale 1 only: another theme keeps its own
// marks, and a larger scale the sharp ones the SVG pictures give.
bool StockThemeAtScaleOne(GtkSettings* settings) {
  std::string theme;
  if (const char* forced = g_getenv("GTK_THEME")) {
    theme = forced;
  } else {
    gchar* name = nullptr;
    g_object_get(settings, "gtk-theme-name", &name, nullptr);
    if (name) theme = name;
    g_free(name);
  }
  theme = theme.substr(0, theme.find(':'));  // a variant such as ":dark" uses the same pictures
  if (!theme.empty() && theme != "Adwaita") return false;
  GdkDisplay* display = gdk_display_get_default();
  for (int i = 0; i < gdk_display_get_n_monitors(display); ++i)
    if (gdk_monitor_get_scale_factor(gdk_display_get_monitor(display, i)) != 1) return false;
  return true;
}

// Just above the theme, which the toolkit loads at the settings' priority,
// so the program's and the user's own rules still win.
void FollowTheme(GtkSettings* settings, GParamSpec*, gpointer marks) {
  GdkScreen* screen = gdk_screen_get_default();
  auto* provider = GTK_STYLE_PROVIDER(marks);
  gtk_style_context_remove_provider_for_screen(screen, provider);
  if (StockThemeAtScaleOne(settings))
    gtk_style_context_add_provider_for_screen(screen, provider, GTK_STYLE_PROVIDER_PRIORITY_SETTINGS + 1);
}

}  // namespace

void InstallCssProvider() {
  // Kept for the program's life: the theme may change under it.
  GtkCssProvider* marks = gtk_css_provider_new();
  gtk_css_provider_load_from_data(marks, kStockMarksCss, -1, nullptr);
  GtkSettings* settings = gtk_settings_get_default();
  FollowTheme(settings, nullptr, marks);
  g_signal_connect(settings, "notify::gtk-theme-name", G_CALLBACK(FollowTheme), marks);

  GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
  gtk_css_provider_load_from_data(provider.get(), kCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                            GTK_STYLE_PROVIDER(provider.get()),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace zuno
