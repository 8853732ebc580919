#include "windows/result_notebook.h"

#include <algorithm>

#include "windows/control_table.h"
#include "windows/gtk_windows.h"

namespace zuno {

// A page's grid that hides its page when it goes, so the notebook never
// shows a grid whose rows are gone.
class ResultNotebook::PageGrid : public GtkResultGrid {
 public:
  PageGrid(ResultNotebook& owner, ClickTracker::Report report) : GtkResultGrid(std::move(report)), owner_(owner) {}
  ~PageGrid() override { owner_.Forget(this); }

 private:
  ResultNotebook& owner_;
};

ResultNotebook::ResultNotebook(ClickTracker::Report grids, Report pages)
    : notebook_(gtk_notebook_new()), grids_(std::move(grids)), pages_(std::move(pages)) {
  g_object_ref_sink(notebook_);
  gtk_widget_set_name(notebook_, "result-notebook");
  gtk_notebook_set_show_border(GTK_NOTEBOOK(notebook_), FALSE);
  gtk_notebook_set_show_tabs(GTK_NOTEBOOK(notebook_), FALSE);
  gtk_notebook_set_scrollable(GTK_NOTEBOOK(notebook_), TRUE);
  // After the switch: the handler then finds the page the user chose in front.
  g_signal_connect_after(notebook_, "switch-page", G_CALLBACK(OnSwitchPage), this);
}

ResultNotebook::~ResultNotebook() {
  g_signal_handlers_disconnect_by_data(notebook_, this);
  // The tabs still there: a window destroyed first has taken them already.
  GtkNotebook* nb = GTK_NOTEBOOK(notebook_);
  for (int i = 0; i < gtk_notebook_get_n_pages(nb); ++i) {
    GList* parts =
        gtk_container_get_children(GTK_CONTAINER(gtk_notebook_get_tab_label(nb, gtk_notebook_get_nth_page(nb, i))));
    for (GList* l = parts; l; l = l->next) g_signal_handlers_disconnect_by_data(l->data, this);
    g_list_free(parts);
  }
  g_object_unref(notebook_);
}

ResultNotebook::Page ResultNotebook::MakeHolder() {
  GtkWidget* holder = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  GtkWidget* tab = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  GtkWidget* label = gtk_label_new("Result");
  GtkWidget* pin = gtk_toggle_button_new();
  gtk_button_set_image(GTK_BUTTON(pin), gtk_image_new_from_icon_name("view-pin-symbolic", GTK_ICON_SIZE_MENU));
  gtk_widget_set_tooltip_text(pin, "Pin: the next run keeps this page");
  GtkWidget* close = gtk_button_new_from_icon_name("window-close-symbolic", GTK_ICON_SIZE_MENU);
  gtk_widget_set_tooltip_text(close, "Close this page");
  for (GtkWidget* b : {pin, close}) {
    gtk_button_set_relief(GTK_BUTTON(b), GTK_RELIEF_NONE);
    gtk_widget_set_focus_on_click(b, FALSE);
  }
  atk_object_set_name(gtk_widget_get_accessible(pin), "Pin Page");
  atk_object_set_name(gtk_widget_get_accessible(close), "Close Page");
  gtk_box_pack_start(GTK_BOX(tab), label, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(tab), pin, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(tab), close, FALSE, FALSE, 0);
  gtk_widget_show_all(tab);
  g_signal_connect(pin, "toggled", G_CALLBACK(+[](GtkToggleButton* b, gpointer self) {
                     auto* nb = static_cast<ResultNotebook*>(self);
                     if (nb->showing_) return;
                     nb->pages_(gtk_toggle_button_get_active(b) ? Action::PinPage : Action::UnpinPage,
                                nb->IndexOf(GTK_WIDGET(b)));
                   }),
                   this);
  g_signal_connect(close, "clicked", G_CALLBACK(+[](GtkWidget* b, gpointer self) {
                     auto* nb = static_cast<ResultNotebook*>(self);
                     nb->pages_(Action::ClosePage, nb->IndexOf(b));
                   }),
                   this);
  gtk_notebook_append_page(GTK_NOTEBOOK(notebook_), holder, tab);
  return {nullptr, holder, label, pin};
}

std::unique_ptr<ResultGrid> ResultNotebook::MakePage() {
  auto grid = std::make_unique<PageGrid>(*this, grids_);
  SetAccessibleName(grid->widget(), ControlById(kResultGrid).role);
  grid->SetAccessibleName(ControlById(kResultGrid).role);
  gtk_widget_show(grid->widget());

  const GtkResultGrid* before = Current();
  showing_ = true;
  Page page;
  if (hidden_.empty()) {
    page = MakeHolder();
  } else {
    page = hidden_.front();
    hidden_.erase(hidden_.begin());
  }
  page.grid = grid.get();
  gtk_label_set_text(GTK_LABEL(page.label), "Result");
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(page.pin), FALSE);
  gtk_box_pack_start(GTK_BOX(page.holder), grid->widget(), TRUE, TRUE, 0);
  gtk_widget_show(page.holder);
  shown_.push_back(page);
  Reorder();
  showing_ = false;
  if (Current() != before && currentChanged_) currentChanged_();
  return grid;
}

void ResultNotebook::Forget(PageGrid* grid) {
  auto it = std::find_if(shown_.begin(), shown_.end(), [&](const Page& p) { return p.grid == grid; });
  if (it == shown_.end()) return;
  Page page = *it;
  shown_.erase(it);
  page.grid = nullptr;
  hidden_.push_back(page);
  const GtkResultGrid* before = Current();
  showing_ = true;
  // A window destroyed first has taken its pages out already.
  if (gtk_widget_get_parent(grid->widget()) == page.holder) {
    gtk_widget_hide(page.holder);
    gtk_container_remove(GTK_CONTAINER(page.holder), grid->widget());
    Reorder();
  }
  showing_ = false;
  if (Current() != before && currentChanged_) currentChanged_();
}

void ResultNotebook::Reorder() {
  GtkNotebook* nb = GTK_NOTEBOOK(notebook_);
  int place = 0;
  for (const auto* pages : {&shown_, &hidden_})
    for (const Page& p : *pages) gtk_notebook_reorder_child(nb, p.holder, place++);
  gtk_notebook_set_show_tabs(nb, shown_.size() >= 2);
}

void ResultNotebook::Show(const std::vector<PageTab>& tabs, int current) {
  showing_ = true;
  std::vector<Page> ordered;
  for (const PageTab& tab : tabs) {
    auto it = std::find_if(shown_.begin(), shown_.end(), [&](const Page& p) { return p.grid == tab.grid; });
    if (it == shown_.end()) continue;  // not a grid of this notebook
    gtk_label_set_text(GTK_LABEL(it->label), tab.title.c_str());
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(it->pin), tab.pinned);
    ordered.push_back(*it);
  }
  for (const Page& p : shown_)  // pages the handlers do not know stay behind the known ones
    if (std::none_of(ordered.begin(), ordered.end(), [&](const Page& o) { return o.grid == p.grid; }))
      ordered.push_back(p);
  shown_ = std::move(ordered);
  Reorder();
  const GtkResultGrid* before = Current();
  if (current >= 0 && current < static_cast<int>(shown_.size()))
    gtk_notebook_set_current_page(GTK_NOTEBOOK(notebook_), current);
  showing_ = false;
  if (Current() != before && currentChanged_) currentChanged_();
}

GtkResultGrid* ResultNotebook::Current() const {
  const int index = gtk_notebook_get_current_page(GTK_NOTEBOOK(notebook_));
  return index < 0 || index >= static_cast<int>(shown_.size()) ? nullptr : shown_[static_cast<std::size_t>(index)].grid;
}

int ResultNotebook::IndexOf(GtkWidget* tabPart) const {
  for (std::size_t i = 0; i < shown_.size(); ++i)
    if (gtk_widget_is_ancestor(tabPart, gtk_notebook_get_tab_label(GTK_NOTEBOOK(notebook_), shown_[i].holder)))
      return static_cast<int>(i);
  return -1;
}

void ResultNotebook::OnSwitchPage(GtkNotebook*, GtkWidget*, guint index, gpointer self) {
  auto* nb = static_cast<ResultNotebook*>(self);
  if (nb->showing_) return;
  if (nb->currentChanged_) nb->currentChanged_();
  nb->pages_(Action::ShowPage, static_cast<int>(index));
}

}  // namespace zuno
