// A dark theme, by name or by the desktop's wish, draws the Type Class tints
// dark enough for its light text; the light theme draws them as given.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/gobject_ptr.h"
#include "grid/dark_tint.h"
#include "tests/gui/gui_harness.h"

namespace zuno {
namespace {

using testing::RunUntil;

// The background the grid's first cell is drawn with.
Rgb DrawnBackground(GtkResultGrid& grid) {
  GtkTreeView* view = grid.view();
  GtkTreeModel* model = gtk_tree_view_get_model(view);
  GtkTreeIter first;
  if (!model || !gtk_tree_model_get_iter_first(model, &first)) return 0;
  GtkTreeViewColumn* column = gtk_tree_view_get_column(view, 0);
  gtk_tree_view_column_cell_set_cell_data(column, model, &first, FALSE, FALSE);
  GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
  GdkRGBA* drawn = nullptr;
  g_object_get(cells->data, "cell-background-rgba", &drawn, nullptr);
  g_list_free(cells);
  if (!drawn) return 0;
  const auto byte = [](double v) { return static_cast<unsigned>(v * 255 + 0.5); };
  const Rgb rgb = MakeRgb(byte(drawn->red), byte(drawn->green), byte(drawn->blue));
  gdk_rgba_free(drawn);
  return rgb;
}

// GTK reads the theme's name from GTK_THEME whenever its theme settings change.
void SwitchTheme(const char* theme) {
  setenv("GTK_THEME", theme, 1);
  GtkSettings* settings = gtk_settings_get_default();
  gboolean dark = FALSE;
  g_object_get(settings, "gtk-application-prefer-dark-theme", &dark, nullptr);
  g_object_set(settings, "gtk-application-prefer-dark-theme", !dark, nullptr);
  g_object_set(settings, "gtk-application-prefer-dark-theme", dark, nullptr);
}

TEST(DarkThemeTest, TheTintsTurnDarkWithTheThemeAndBackWithoutARefill) {
  auto p = testing::StartAndShow();
  GtkResultGrid& grid = p->shell.gtkGrid();
  const Rgb date = MakeRgb(168, 211, 255);
  grid.AddColumn(0, "SHIPPED", 100);
  grid.AppendRow({"01.03.2024"});
  grid.SetColumnBackground(0, date);
  EXPECT_TRUE(RunUntil([&] { return DrawnBackground(grid) == date; })) << DrawnBackground(grid);

  SwitchTheme("Adwaita:dark");
  EXPECT_TRUE(RunUntil([&] { return DrawnBackground(grid) == DarkTint(date); })) << DrawnBackground(grid);
  EXPECT_EQ(grid.Background(0, 0), date);  // the grid keeps the tint it was given

  SwitchTheme("Adwaita");
  EXPECT_TRUE(RunUntil([&] { return DrawnBackground(grid) == date; })) << DrawnBackground(grid);
}

// GNOME keeps the wish for dark windows in its colour scheme; GTK's own
// preference follows it, and goes back with it.
TEST(DarkThemeTest, TheDesktopsDarkColourSchemeIsFollowed) {
  auto p = testing::StartAndShow();
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  GSettingsSchema* schema = g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE);
  const bool known = schema && g_settings_schema_has_key(schema, "color-scheme");
  if (schema) g_settings_schema_unref(schema);
  if (!known) GTEST_SKIP() << "no GNOME colour scheme on this machine";
  GObjectPtr<GSettings> desktop(g_settings_new("org.gnome.desktop.interface"));
  const auto preferDark = [] {
    gboolean dark = FALSE;
    g_object_get(gtk_settings_get_default(), "gtk-application-prefer-dark-theme", &dark, nullptr);
    return dark == TRUE;
  };
  for (const char* scheme : {"prefer-dark", "default"}) {
    g_settings_set_string(desktop.get(), "color-scheme", scheme);
    EXPECT_TRUE(RunUntil([&] { return preferDark() == (scheme[0] == 'p'); })) << scheme;
  }
}

}  // namespace
}  // namespace zuno
