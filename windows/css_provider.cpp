#include "windows/css_provider.h"

#include <gtk/gtk.h>

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
#result-grid, #result-grid header button {
  font-family: Consolas, monospace;
  font-size: 10pt;
  font-weight: normal;
}
entry.autorun-running {
  background-color: rgb(255, 128, 0);
  background-image: none;
}
)css";

}  // namespace

void InstallCssProvider() {
  GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
  gtk_css_provider_load_from_data(provider.get(), kCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                            GTK_STYLE_PROVIDER(provider.get()),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace zuno
