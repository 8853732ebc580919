#include "windows/control_values.h"

#include <algorithm>
#include <cstring>

#include "base/gobject_ptr.h"
#include "windows/gtk_text.h"

namespace zuno {
namespace {

GtkWidget* Inner(const ControlWidgets& w, Control c) { return w.inner(c); }

}  // namespace

void ClearDropDown(const ControlWidgets& widgets, Control c) {
  gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(widgets.outer(c)));
}

std::string ControlText(const ControlWidgets& widgets, Control c) {
  GtkWidget* w = Inner(widgets, c);
  if (!w) return {};
  switch (ControlById(c).kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox: {
      // The caption as shown, without the mark of its key.
      GtkWidget* label = gtk_bin_get_child(GTK_BIN(w));
      return GTK_IS_LABEL(label) ? gtk_label_get_text(GTK_LABEL(label)) : "";
    }
    case ControlKind::ComboEntry:
    case ControlKind::Entry:
    case ControlKind::PasswordEntry:
    case ControlKind::DigitsEntry:
      return gtk_entry_get_text(GTK_ENTRY(w));
    case ControlKind::LabelLeft:
    case ControlKind::LabelRight:
    case ControlKind::LabelCentre:
      return gtk_label_get_text(GTK_LABEL(w));
    case ControlKind::Editor: {
      GtkTextBuffer* b = gtk_text_view_get_buffer(GTK_TEXT_VIEW(w));
      GtkTextIter start, end;
      gtk_text_buffer_get_bounds(b, &start, &end);
      GCharPtr text(gtk_text_buffer_get_text(b, &start, &end, TRUE));
      return text.get();
    }
    default:
      return {};
  }
}

TextRange EditorSelection(const ControlWidgets& widgets) {
  GtkWidget* w = Inner(widgets, kSqlEditor);
  if (!w) return {};
  GtkTextBuffer* b = gtk_text_view_get_buffer(GTK_TEXT_VIEW(w));
  GtkTextIter start, from, to;
  gtk_text_buffer_get_start_iter(b, &start);
  gtk_text_buffer_get_selection_bounds(b, &from, &to);  // both at the cursor when none
  GCharPtr before(gtk_text_buffer_get_text(b, &start, &from, TRUE));
  GCharPtr part(gtk_text_buffer_get_text(b, &from, &to, TRUE));
  const std::size_t begin = std::strlen(before.get());
  return {begin, begin + std::strlen(part.get())};
}

void SelectEditorText(const ControlWidgets& widgets, TextRange range) {
  GtkWidget* w = Inner(widgets, kSqlEditor);
  if (!w) return;
  const std::string text = ControlText(widgets, kSqlEditor);
  range.end = std::min(range.end, text.size());
  range.begin = std::min(range.begin, range.end);
  const auto offset = [&text](std::size_t bytes) {
    return static_cast<gint>(g_utf8_pointer_to_offset(text.c_str(), text.c_str() + bytes));
  };
  GtkTextBuffer* b = gtk_text_view_get_buffer(GTK_TEXT_VIEW(w));
  GtkTextIter from, to;
  gtk_text_buffer_get_iter_at_offset(b, &from, offset(range.begin));
  gtk_text_buffer_get_iter_at_offset(b, &to, offset(range.end));
  gtk_text_buffer_select_range(b, &from, &to);
  gtk_text_view_scroll_mark_onscreen(GTK_TEXT_VIEW(w), gtk_text_buffer_get_insert(b));
  gtk_widget_grab_focus(w);
}

void SetControlText(const ControlWidgets& widgets, Control c, std::string_view text) {
  GtkWidget* w = Inner(widgets, c);
  if (!w) return;
  std::string t = ValidUtf8(text);
  switch (ControlById(c).kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      gtk_button_set_label(GTK_BUTTON(w), MnemonicCaption(t, ControlById(c).key).c_str());
      break;
    case ControlKind::ComboEntry:
    case ControlKind::Entry:
    case ControlKind::PasswordEntry:
    case ControlKind::DigitsEntry:
      gtk_entry_set_text(GTK_ENTRY(w), t.c_str());
      break;
    case ControlKind::LabelLeft:
    case ControlKind::LabelRight:
    case ControlKind::LabelCentre:
      gtk_label_set_text(GTK_LABEL(w), t.c_str());
      break;
    case ControlKind::Editor: {
      // One user action: the undo manager takes the text's removal and the
      // new text as one step, so one Ctrl+Z brings the old text back whole.
      GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(w));
      gtk_text_buffer_begin_user_action(buffer);
      gtk_text_buffer_set_text(buffer, t.c_str(), static_cast<gint>(t.size()));
      gtk_text_buffer_end_user_action(buffer);
      break;
    }
    default:
      break;
  }
}

bool ControlEnabled(const ControlWidgets& widgets, Control c) {
  GtkWidget* w = widgets.outer(c);
  return w && gtk_widget_get_sensitive(w);
}

void SetControlEnabled(const ControlWidgets& widgets, Control c, bool enabled) {
  if (GtkWidget* w = widgets.outer(c)) gtk_widget_set_sensitive(w, enabled);
}

bool ControlChecked(const ControlWidgets& widgets, Control c) {
  GtkWidget* w = Inner(widgets, c);
  return w && GTK_IS_TOGGLE_BUTTON(w) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w));
}

std::vector<std::string> ControlListItems(const ControlWidgets& widgets, Control c) {
  std::vector<std::string> items;
  GtkWidget* w = Inner(widgets, c);
  if (!w) return items;
  GtkTreeModel* model = ControlById(c).kind == ControlKind::ComboEntry
                            ? gtk_combo_box_get_model(GTK_COMBO_BOX(widgets.outer(c)))
                            : gtk_tree_view_get_model(GTK_TREE_VIEW(w));
  GtkTreeIter it;
  for (bool more = gtk_tree_model_get_iter_first(model, &it); more;
       more = gtk_tree_model_iter_next(model, &it)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &it, 0, &text, -1);
    GCharPtr owned(text);
    items.emplace_back(text ? text : "");
  }
  return items;
}

void AppendControlListItem(const ControlWidgets& widgets, Control c, std::string_view item) {
  GtkWidget* w = Inner(widgets, c);
  if (!w) return;
  std::string t = ValidUtf8(item);
  if (ControlById(c).kind == ControlKind::ComboEntry) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(widgets.outer(c)), t.c_str());
    return;
  }
  GtkTreeIter it;
  gtk_list_store_append(ListStoreOf(w), &it);
  gtk_list_store_set(ListStoreOf(w), &it, 0, t.c_str(), -1);
}

void PrependDropDownItem(const ControlWidgets& widgets, Control c, std::string_view item) {
  gtk_combo_box_text_prepend_text(GTK_COMBO_BOX_TEXT(widgets.outer(c)), ValidUtf8(item).c_str());
}

int SelectedControlListItem(const ControlWidgets& widgets, Control c) {
  GtkWidget* w = Inner(widgets, c);
  if (!w || ControlById(c).kind != ControlKind::List) return -1;
  GtkTreeModel* model = nullptr;
  GtkTreeIter it;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(w)), &model, &it))
    return -1;
  GtkTreePath* path = gtk_tree_model_get_path(model, &it);
  int index = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return index;
}

void ClearControlList(const ControlWidgets& widgets, Control c) {
  GtkWidget* w = Inner(widgets, c);
  if (!w) return;
  if (ControlById(c).kind == ControlKind::ComboEntry)
    ClearDropDown(widgets, c);
  else
    gtk_list_store_clear(ListStoreOf(w));
}

}  // namespace zuno
