#include "windows/window_layout.h"

#include <initializer_list>

#include "windows/gtk_windows.h"

namespace zuno {
namespace {

// A control in a box: its size (-1: the box's), the room above it and the
// indent from the box's left edge.
struct Slot {
  Control id;
  int width;
  int height;
  int above = 0;
  int indent = 0;
};

GtkWidget* Placed(const ControlWidgets& widgets, const Slot& s) {
  GtkWidget* w = widgets.outer(s.id);
  gtk_widget_set_size_request(w, s.width, s.height);
  g_object_set(w, "margin-top", s.above, "margin-start", s.indent, nullptr);
  return w;
}

GtkWidget* Box(GtkOrientation orientation, int spacing, int top, int sides, int bottom) {
  GtkWidget* box = gtk_box_new(orientation, spacing);
  g_object_set(box, "margin-top", top, "margin-bottom", bottom, "margin-start", sides, "margin-end", sides, nullptr);
  return box;
}

GtkWidget* Line(const ControlWidgets& widgets, GtkOrientation orientation, int spacing, std::initializer_list<Slot> slots) {
  GtkWidget* box = Box(orientation, spacing, 0, 0, 0);
  for (const Slot& s : slots) gtk_box_pack_start(GTK_BOX(box), Placed(widgets, s), FALSE, FALSE, 0);
  return box;
}

GtkPaned* Split(GtkWidget* above, GtkWidget* below, int aboveHeight) {
  auto* split = GTK_PANED(gtk_paned_new(GTK_ORIENTATION_VERTICAL));
  gtk_style_context_add_class(gtk_widget_get_style_context(GTK_WIDGET(split)), "zuno-split");
  gtk_paned_pack1(split, above, FALSE, FALSE);  // the part below takes the growth
  gtk_paned_pack2(split, below, TRUE, FALSE);
  gtk_paned_set_position(split, aboveHeight);
  return split;
}

// The logo, the status texts, the timer and the row limit below the result
// area; the room between them is what a wider window adds.
GtkWidget* StatusBlock(const ControlWidgets& widgets, MainWindowParts& parts) {
  auto* grid = GTK_GRID(gtk_grid_new());
  const auto at = [&](const Slot& s, int column, int row, GtkAlign align = GTK_ALIGN_FILL) {
    GtkWidget* w = Placed(widgets, s);
    g_object_set(w, "valign", GTK_ALIGN_START, "halign", align, nullptr);
    gtk_grid_attach(grid, w, column, row, 1, s.id == kLogoImage ? 3 : 1);
  };
  gtk_widget_set_margin_end(widgets.outer(kLogoImage), 12);
  at({kLogoImage, 218, 76}, 0, 0);
  at({kConnectionStatusText, 175, 25}, 1, 0);
  at({kRowCountText, 175, 25, 5}, 1, 1);
  at({kColoredDatatypesCheckBox, 175, 25}, 1, 2);
  GtkWidget* spare = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  gtk_widget_set_hexpand(spare, TRUE);
  gtk_grid_attach(grid, spare, 2, 0, 1, 1);
  at({kTimerCheckBox, 95, 25}, 3, 0);
  at({kRowsToFetchLabel, 95, 20, 10}, 3, 1);
  at({kTimerSecondsField, 70, 25, 0, 5}, 4, 0, GTK_ALIGN_END);
  at({kRowsToFetchBox, 90, 25, 5, 5}, 4, 1, GTK_ALIGN_END);
  parts.transactionPlace = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 5);
  gtk_widget_set_name(parts.transactionPlace, "transaction-place");
  gtk_widget_set_halign(parts.transactionPlace, GTK_ALIGN_END);
  gtk_grid_attach(grid, parts.transactionPlace, 2, 2, 3, 1);
  // Close together, and with narrow buttons, they fit the room at the
  // creation size.
  gtk_box_set_spacing(GTK_BOX(parts.transactionPlace), 2);
  // A desktop font that needs more shortens their captions rather than
  // widening the window.
  for (const Slot& s :
       {Slot{kAutocommitCheckBox, -1, 25}, Slot{kCommitButton, -1, 25}, Slot{kRollbackButton, -1, 25}}) {
    GtkWidget* w = Placed(widgets, s);
    if (GtkWidget* caption = gtk_bin_get_child(GTK_BIN(w)); GTK_IS_LABEL(caption))
      gtk_label_set_ellipsize(GTK_LABEL(caption), PANGO_ELLIPSIZE_END);
    gtk_box_pack_start(GTK_BOX(parts.transactionPlace), w, FALSE, FALSE, 0);
  }
  // Beside the Connection Status text, in the room a wider window adds; the
  // title says it whole.
  GtkWidget* transaction = Placed(widgets, {kTransactionText, -1, 25, 0, 5});
  gtk_label_set_ellipsize(GTK_LABEL(transaction), PANGO_ELLIPSIZE_END);
  gtk_widget_set_valign(transaction, GTK_ALIGN_START);
  gtk_box_pack_start(GTK_BOX(spare), transaction, TRUE, TRUE, 0);
  return GTK_WIDGET(grid);
}

GtkWidget* MainWindow(const ControlWidgets& widgets, MainWindowParts& parts) {
  parts.notesPlace = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  parts.resultPages = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_widget_set_name(parts.resultPages, "result-pages");
  gtk_widget_set_size_request(parts.resultPages, -1, 40);  // the grid's header stays in sight
  gtk_box_pack_start(GTK_BOX(parts.resultPages), widgets.outer(kResultGrid), TRUE, TRUE, 0);
  GtkWidget* resultArea = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_box_pack_start(GTK_BOX(resultArea), parts.notesPlace, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(resultArea), parts.resultPages, TRUE, TRUE, 0);
  parts.editorSplit = Split(widgets.outer(kSqlEditor), resultArea, kEditorHeight);
  parts.historySplit = Split(widgets.outer(kHistoryList), GTK_WIDGET(parts.editorSplit), kHistoryHeight);
  GtkWidget* left = gtk_box_new(GTK_ORIENTATION_VERTICAL, 10);
  gtk_box_pack_start(GTK_BOX(left), GTK_WIDGET(parts.historySplit), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(left), StatusBlock(widgets, parts), FALSE, FALSE, 0);

  // The buttons from the top, the two texts at the bottom.
  GtkWidget* right = Line(widgets, GTK_ORIENTATION_VERTICAL, 0,
                          {{kDataSourceBox, -1, 25}, {kUserField, -1, 25, 5}, {kPasswordField, -1, 25, 5},
                           {kConnectButton, -1, 25, 10}, {kEditSqlButton, -1, 25, 10}, {kFormatSqlButton, -1, 25, 10},
                           {kDb2CommandCheckBox, -1, 15, 10, 5}, {kRunButton, -1, 25, 10},
                           {kQueryAutorunCheckBox, -1, 15, 10, 5}, {kCatalogButton, -1, 25, 10},
                           {kCreatorsButton, -1, 25, 10}, {kLastCreatorButton, -1, 25, 10},
                           {kSaveReportButton, -1, 25, 10}, {kSaveLoadQueryButton, -1, 25, 10},
                           {kExitButton, -1, 25, 10}});
  gtk_widget_set_size_request(right, 145, -1);
  GtkWidget* version = Placed(widgets, {kVersionText, 90, 20});
  gtk_widget_set_halign(version, GTK_ALIGN_END);
  gtk_box_pack_end(GTK_BOX(right), version, FALSE, FALSE, 0);
  GtkWidget* elapsed = Placed(widgets, {kElapsedTimeText, -1, 20});
  gtk_widget_set_margin_bottom(elapsed, 5);
  gtk_box_pack_end(GTK_BOX(right), elapsed, FALSE, FALSE, 0);

  GtkWidget* columns = Box(GTK_ORIENTATION_HORIZONTAL, 15, 10, 15, 5);
  gtk_box_pack_start(GTK_BOX(columns), left, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(columns), right, FALSE, FALSE, 0);
  // A window made smaller than its controls scrolls them.
  GtkWidget* root = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_container_add(GTK_CONTAINER(root), columns);
  gtk_viewport_set_shadow_type(GTK_VIEWPORT(gtk_bin_get_child(GTK_BIN(root))), GTK_SHADOW_NONE);
  return root;
}

}  // namespace

GtkWidget* LayOutWindow(WindowId id, const ControlWidgets& widgets, MainWindowParts& parts) {
  if (id == WindowId::Main) return MainWindow(widgets, parts);
  // The client area holds a box whose margins stand inside it.
  GtkWidget* inside = nullptr;
  if (id == WindowId::Library) {
    inside = Box(GTK_ORIENTATION_VERTICAL, 10, 10, 15, 15);
    gtk_box_pack_start(GTK_BOX(inside), Placed(widgets, {kQueryNamesList, 570, 320}), TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(inside),
                       Line(widgets, GTK_ORIENTATION_HORIZONTAL, 10,
                            {{kLibrarySaveButton, 105, 25}, {kLibraryLoadButton, 105, 25}, {kLibraryDeleteButton, 120, 25},
                             {kStoreModeButton, 100, 25}, {kLibraryExitButton, 100, 25}}),
                       FALSE, FALSE, 0);
  } else {
    inside = Box(GTK_ORIENTATION_VERTICAL, 0, 5, 5, 5);
    gtk_box_pack_start(GTK_BOX(inside), Placed(widgets, {kBusyText, 240, 20}), FALSE, FALSE, 0);
  }
  GtkWidget* client = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_box_pack_start(GTK_BOX(client), inside, TRUE, TRUE, 0);
  return client;
}

}  // namespace zuno
