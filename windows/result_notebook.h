// The result area on screen: a notebook with one Result Grid a page, its
// tabs shown for two pages or more. Each tab shows the page's title, a pin
// (a pinned page outlives the next run) and a close button; a click on a
// tab, the pin or the close button is reported with the page's index.
//
// A notebook page, once made, stays in the notebook for the window's life:
// a page whose grid goes is hidden and takes the next new grid. A page taken
// out of a GtkNotebook leaves an accessible behind that answers a screen
// reader's next question with criticals, and runs replace pages all day.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <vector>

#include "grid/gtk_result_grid.h"
#include "session/ui.h"

namespace zuno {

class ResultNotebook {
 public:
  using Report = std::function<void(Action, int page)>;
  // grids: what a page's grid reports (its clicks and keys); pages: what its tab reports.
  ResultNotebook(ClickTracker::Report grids, Report pages);
  ~ResultNotebook();
  ResultNotebook(const ResultNotebook&) = delete;
  ResultNotebook& operator=(const ResultNotebook&) = delete;

  GtkWidget* widget() const { return notebook_; }
  // A new page's grid, placed at the end; its page hides as the grid is
  // destroyed. The grids go before the notebook.
  std::unique_ptr<ResultGrid> MakePage();
  // The pages in the order of tabs, current in front.
  void Show(const std::vector<PageTab>& tabs, int current);
  // The grid of the page in front; null while there is none.
  GtkResultGrid* Current() const;
  // Called when another page comes to the front.
  void OnCurrentChanged(std::function<void()> changed) { currentChanged_ = std::move(changed); }

 private:
  class PageGrid;
  // A notebook page: the box the grid stands in and the parts of its tab.
  struct Page {
    PageGrid* grid;  // null while the page is hidden, waiting for a grid
    GtkWidget* holder;
    GtkWidget* label;
    GtkWidget* pin;
  };
  Page MakeHolder();
  void Forget(PageGrid* grid);
  // Puts the shown pages first, in shown_'s order, the hidden ones after.
  void Reorder();
  int IndexOf(GtkWidget* tabPart) const;
  static void OnSwitchPage(GtkNotebook*, GtkWidget* child, guint, gpointer self);

  GtkWidget* notebook_;
  ClickTracker::Report grids_;
  Report pages_;
  std::vector<Page> shown_;   // in the notebook's order, before the hidden ones
  std::vector<Page> hidden_;  // pages without a grid
  bool showing_ = false;     // the notebook changes as told, not by the user
  std::function<void()> currentChanged_;
};

}  // namespace zuno
