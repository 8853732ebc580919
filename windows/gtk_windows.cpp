#include "windows/gtk_windows.h"

#include <algorithm>
#include <string>

#include "windows/sql_editor.h"
#include "windows/text_filters.h"
#include "base/gobject_ptr.h"

namespace zuno {

bool HasOwnCaption(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::LabelLeft:
    case ControlKind::LabelRight:
    case ControlKind::LabelCentre:
      return true;
    default:
      return false;
  }
}

int TitleTextWidth(GtkWidget* w, std::string_view text) {
  GObjectPtr<PangoLayout> layout(gtk_widget_create_pango_layout(w, std::string(text).c_str()));
  PangoAttrList* bold = pango_attr_list_new();
  pango_attr_list_insert(bold, pango_attr_weight_new(PANGO_WEIGHT_BOLD));
  pango_layout_set_attributes(layout.get(), bold);
  pango_attr_list_unref(bold);
  int width = 0;
  pango_layout_get_pixel_size(layout.get(), &width, nullptr);
  return width;
}

void SetAccessibleName(GtkWidget* w, std::string_view role) {
  AtkObject* a = gtk_widget_get_accessible(w);
  if (a) atk_object_set_name(a, std::string(role).c_str());
}

namespace {

// Typed or pasted text keeps only its digits.
void OnDigitsInsert(GtkEditable* editable, const gchar* text, gint length, gint* position,
                    gpointer) {
  std::string in = length < 0 ? std::string(text) : std::string(text, static_cast<size_t>(length));
  std::string digits = KeepDigits(in);
  if (digits == in) return;
  g_signal_handlers_block_by_func(editable, reinterpret_cast<gpointer>(OnDigitsInsert), nullptr);
  gtk_editable_insert_text(editable, digits.c_str(), static_cast<gint>(digits.size()), position);
  g_signal_handlers_unblock_by_func(editable, reinterpret_cast<gpointer>(OnDigitsInsert), nullptr);
  g_signal_stop_emission_by_name(editable, "insert-text");
}

GtkWidget* MakeList(GtkWidget** inner) {
  GObjectPtr<GtkListStore> store(gtk_list_store_new(1, G_TYPE_STRING));
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store.get()));
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), FALSE);
  gtk_tree_view_set_enable_search(GTK_TREE_VIEW(view), TRUE);
  gtk_tree_view_set_search_column(GTK_TREE_VIEW(view), 0);
  gtk_tree_selection_set_mode(gtk_tree_view_get_selection(GTK_TREE_VIEW(view)),
                              GTK_SELECTION_SINGLE);
  GtkTreeViewColumn* col =
      gtk_tree_view_column_new_with_attributes("", gtk_cell_renderer_text_new(), "text", 0, nullptr);
  gtk_tree_view_append_column(GTK_TREE_VIEW(view), col);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_ETCHED_IN);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  *inner = view;
  return scrolled;
}

GtkWidget* MakeLabel(std::string_view caption, float xalign) {
  GtkWidget* label = gtk_label_new(std::string(caption).c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  // As wide as its caption at most: a longer text the program writes wraps
  // in the label's place rather than widening the column it stands in.
  gtk_label_set_max_width_chars(GTK_LABEL(label), std::max(1, static_cast<int>(g_utf8_strlen(std::string(caption).c_str(), -1))));
  gtk_label_set_xalign(GTK_LABEL(label), xalign);
  gtk_label_set_yalign(GTK_LABEL(label), 0.5f);
  gtk_label_set_justify(GTK_LABEL(label), xalign > 0.9f ? GTK_JUSTIFY_RIGHT
                                          : xalign > 0.1f ? GTK_JUSTIFY_CENTER
                                                          : GTK_JUSTIFY_LEFT);
  return label;
}

GtkWidget* MakeEntry(GtkWidget** inner) {
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);  // the place decides the width
  *inner = entry;
  return entry;
}

// Creates the control; returns the outer widget and sets *inner.
GtkWidget* MakeControl(const ControlSpec& c, GtkWidget** inner) {
  std::string caption(c.caption);
  GtkWidget* outer = nullptr;
  switch (c.kind) {
    case ControlKind::Button:
      outer = *inner = gtk_button_new_with_mnemonic(MnemonicCaption(caption, c.key).c_str());
      break;
    case ControlKind::CheckBox:
      outer = *inner = gtk_check_button_new_with_mnemonic(MnemonicCaption(caption, c.key).c_str());
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(outer), c.checked);
      break;
    case ControlKind::ComboEntry: {
      outer = gtk_combo_box_text_new_with_entry();
      GtkWidget* entry = gtk_bin_get_child(GTK_BIN(outer));
      gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
      if (c.digitsOnly) g_signal_connect(entry, "insert-text", G_CALLBACK(OnDigitsInsert), nullptr);
      *inner = entry;
      break;
    }
    case ControlKind::Entry:
      outer = MakeEntry(inner);
      break;
    case ControlKind::PasswordEntry:
      outer = MakeEntry(inner);
      gtk_entry_set_visibility(GTK_ENTRY(outer), FALSE);
      break;
    case ControlKind::DigitsEntry:
      outer = MakeEntry(inner);
      gtk_entry_set_text(GTK_ENTRY(outer), caption.c_str());
      g_signal_connect(outer, "insert-text", G_CALLBACK(OnDigitsInsert), nullptr);
      break;
    case ControlKind::LabelLeft:
      outer = *inner = MakeLabel(c.caption, 0.0f);
      break;
    case ControlKind::LabelRight:
      outer = *inner = MakeLabel(c.caption, 1.0f);
      break;
    case ControlKind::LabelCentre:
      outer = *inner = MakeLabel(c.caption, 0.5f);
      break;
    case ControlKind::List:
      outer = MakeList(inner);
      break;
    case ControlKind::Editor: {
      GtkWidget* view = NewSqlEditorView();
      outer = gtk_scrolled_window_new(nullptr, nullptr);
      gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(outer), GTK_POLICY_AUTOMATIC,
                                     GTK_POLICY_AUTOMATIC);
      gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(outer), GTK_SHADOW_ETCHED_IN);
      gtk_container_add(GTK_CONTAINER(outer), view);
      *inner = view;
      break;
    }
    case ControlKind::Image:
      outer = *inner = gtk_image_new();
      gtk_widget_set_halign(outer, GTK_ALIGN_START);
      gtk_widget_set_valign(outer, GTK_ALIGN_START);
      break;
    case ControlKind::Grid:
      return nullptr;  // the Result Grid is made by its owner
  }
  gtk_widget_set_sensitive(outer, c.enabled);
  if (const std::string hint(ControlHint(c.id)); !hint.empty()) {
    if (GTK_IS_ENTRY(*inner))
      gtk_entry_set_placeholder_text(GTK_ENTRY(*inner), hint.c_str());
    else
      gtk_widget_set_tooltip_text(*inner, hint.c_str());
  }
  if (c.key != 0) gtk_widget_set_tooltip_text(outer, KeyTooltip({}, c.key).c_str());
  if (!HasOwnCaption(c.kind)) {
    SetAccessibleName(*inner, c.role);
    if (*inner != outer) SetAccessibleName(outer, c.role);
  }
  return outer;
}

}  // namespace

GtkWidget* ControlWidgets::outer(Control c) const {
  auto at = widgets_.find(c);
  return at == widgets_.end() ? nullptr : at->second.outer;
}

GtkWidget* ControlWidgets::inner(Control c) const {
  auto at = widgets_.find(c);
  return at == widgets_.end() ? nullptr : at->second.inner;
}

void ControlWidgets::Put(Control c, GtkWidget* outer, GtkWidget* inner) { widgets_[c] = {outer, inner}; }

void ControlWidgets::Forget(WindowId window) {
  for (const ControlSpec& c : AllControls())
    if (c.window == window) widgets_.erase(c.id);
}

BuiltWindow BuildWindow(WindowId id, GtkWindow* parent, ControlWidgets& widgets) {
  const WindowSpec& shape = WindowById(id);
  BuiltWindow built;
  built.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* win = GTK_WINDOW(built.window);
  gtk_window_set_title(win, std::string(shape.title).c_str());
  gtk_window_set_default_size(win, shape.width, shape.height);

  if (id == WindowId::Main) {
    gtk_window_set_position(win, GTK_WIN_POS_CENTER);
    GdkGeometry hints{};
    hints.min_width = 30;
    hints.min_height = 30;
    gtk_window_set_geometry_hints(win, nullptr, &hints, GDK_HINT_MIN_SIZE);
  } else {
    gtk_window_set_resizable(win, FALSE);
    gtk_window_set_transient_for(win, parent);
    gtk_window_set_position(win, GTK_WIN_POS_CENTER_ON_PARENT);
    if (id == WindowId::Busy) gtk_window_set_type_hint(win, GDK_WINDOW_TYPE_HINT_UTILITY);
    if (id == WindowId::Library) gtk_window_set_type_hint(win, GDK_WINDOW_TYPE_HINT_DIALOG);
  }

  for (const ControlSpec& c : AllControls()) {
    if (c.window != id || widgets.outer(c.id)) continue;
    GtkWidget* inner = nullptr;
    GtkWidget* outer = MakeControl(c, &inner);
    if (outer) widgets.Put(c.id, outer, inner);
  }
  gtk_container_add(GTK_CONTAINER(win), LayOutWindow(id, widgets, built.parts));
  return built;
}

GtkListStore* ListStoreOf(GtkWidget* inner) {
  return GTK_LIST_STORE(gtk_tree_view_get_model(GTK_TREE_VIEW(inner)));
}

}  // namespace zuno
