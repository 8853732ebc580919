// What the grid's operations do to the real tree view: column widths on the
// screen, where a selected row ends up, the colours the cells are drawn with,
// and the grid's font.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/gobject_ptr.h"
#include "grid/cell_text.h"
#include "tests/grid/grid_in_window.h"

namespace zuno::testing {
namespace {

void Fill(ResultGrid& g, int columns, int rows) {
  g.ClearRows();
  g.RemoveAllColumns();
  for (int c = 0; c < columns; ++c) g.AddColumn(c, "COL" + std::to_string(c), 100);
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> texts;
    for (int c = 0; c < columns; ++c) texts.push_back(std::to_string(r) + "/" + std::to_string(c));
    g.AppendRow(texts);
  }
}

GtkTreeViewColumn* ColumnOf(GtkResultGrid& grid, int column) {
  return gtk_tree_view_get_column(grid.view(), column);
}

GtkCellRenderer* CellOf(GtkTreeViewColumn* column) {
  GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
  auto* cell = GTK_CELL_RENDERER(cells->data);
  g_list_free(cells);
  return cell;
}

// Db2 names are full of underscores; a header must not take one for a mnemonic.
TEST(GridViewTest, HeadersShowTitlesWithUnderscoresAsTheyStand) {
  GridInWindow w;
  w.grid.AddColumn(0, "CUSTOMER_ID", 110);
  w.grid.AddColumn(1, "__X__", 100);
  w.Settle();
  for (int c = 0; c < 2; ++c) {
    GtkWidget* header = gtk_tree_view_column_get_widget(ColumnOf(w.grid, c));
    ASSERT_TRUE(header && GTK_IS_LABEL(header));
    EXPECT_EQ(std::string(gtk_label_get_text(GTK_LABEL(header))), w.grid.ColumnTitle(c));
  }
  EXPECT_EQ(w.grid.ColumnTitle(0), "CUSTOMER_ID");
}

// A value of megabytes on one line would keep the window from drawing for
// seconds: the cell shows its start, and the whole text stays readable.
TEST(GridViewTest, AHugeValueIsShownCutButKeptWhole) {
  GridInWindow w;
  w.grid.AddColumn(0, "BIG", 200);
  std::string big(10 * 1024 * 1024, 'x');
  big.replace(3999, 2, "\xC3\xA9");  // a two-byte character across the cut
  w.grid.AppendRow({big});
  w.grid.AppendRow({"short"});
  w.Settle();
  EXPECT_EQ(w.grid.CellText(0, 0), big);

  GtkTreeViewColumn* column = ColumnOf(w.grid, 0);
  GtkTreeModel* model = gtk_tree_view_get_model(w.grid.view());
  auto shown = [&](int row) {
    GtkTreeIter it;
    gtk_tree_model_iter_nth_child(model, &it, nullptr, row);
    gtk_tree_view_column_cell_set_cell_data(column, model, &it, FALSE, FALSE);
    gchar* text = nullptr;
    g_object_get(CellOf(column), "text", &text, nullptr);
    std::string result = text ? text : "";
    g_free(text);
    return result;
  };
  std::string cut = shown(0);
  EXPECT_EQ(cut, std::string(3999, 'x') + "\u2026");
  EXPECT_TRUE(g_utf8_validate(cut.c_str(), -1, nullptr));
  EXPECT_EQ(shown(1), "short");
}

TEST(GridViewTest, AHiddenColumnTakesNoRoomAndComesBackAtItsWidth) {
  GridInWindow w;
  Fill(w.grid, 3, 5);
  w.grid.SetColumnWidth(1, 0);
  w.Settle();
  GtkTreeViewColumn* hidden = ColumnOf(w.grid, 1);
  EXPECT_FALSE(gtk_tree_view_column_get_visible(hidden));
  EXPECT_FALSE(gtk_widget_get_mapped(gtk_tree_view_column_get_button(hidden)))
      << "the hidden column's header still shows";
  EXPECT_EQ(gtk_tree_view_column_get_x_offset(ColumnOf(w.grid, 2)), 100)
      << "the hidden column still takes room";
  EXPECT_EQ(w.grid.ColumnTitle(1), "COL1");
  EXPECT_EQ(w.grid.CellText(4, 1), "4/1");

  w.grid.SetColumnWidth(1, 220);
  ASSERT_TRUE(RunUntil([&] { return gtk_tree_view_column_get_width(hidden) == 220; }))
      << "shown at " << gtk_tree_view_column_get_width(hidden);
  EXPECT_TRUE(gtk_widget_get_mapped(gtk_tree_view_column_get_button(hidden)));
  RunUntil([&] { return gtk_tree_view_column_get_x_offset(ColumnOf(w.grid, 2)) == 320; });
  EXPECT_EQ(gtk_tree_view_column_get_x_offset(ColumnOf(w.grid, 2)), 320);
}

struct Centring {
  int row = -1;           // the cursor's row
  int firstVisible = -1;  // the visible range
  int lastVisible = -1;
  double offCentre = 0;   // the row's middle against the view's middle, in pixels
  int rowHeight = 0;
};

Centring Measure(GtkTreeView* view) {
  Centring m;
  GtkTreePath* cursor = nullptr;
  gtk_tree_view_get_cursor(view, &cursor, nullptr);
  if (!cursor) return m;
  m.row = gtk_tree_path_get_indices(cursor)[0];
  GdkRectangle visible, cell;
  gtk_tree_view_get_visible_rect(view, &visible);
  gtk_tree_view_get_background_area(view, cursor, nullptr, &cell);  // relative to the visible top
  m.offCentre = (cell.y + cell.height / 2.0) - visible.height / 2.0;
  m.rowHeight = cell.height;
  gtk_tree_path_free(cursor);
  GtkTreePath *first = nullptr, *last = nullptr;
  if (gtk_tree_view_get_visible_range(view, &first, &last)) {
    m.firstVisible = gtk_tree_path_get_indices(first)[0];
    m.lastVisible = gtk_tree_path_get_indices(last)[0];
    gtk_tree_path_free(first);
    gtk_tree_path_free(last);
  }
  return m;
}

TEST(GridViewTest, SelectRowPutsTheRowInTheMiddleOfTheView) {
  enum class How { Drawn, RefilledVisible, RefilledHidden };
  struct {
    const char* fault;
    How how;
  } cases[] = {
      {"a drawn grid does not scroll to the row", How::Drawn},
      {"a row selected straight after a refill is not scrolled to", How::RefilledVisible},
      {"a row selected in a hidden grid is not scrolled to once shown", How::RefilledHidden},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    GridInWindow w;
    ResultGrid& g = w.grid;
    if (c.how == How::Drawn) {
      Fill(g, 3, 1000);
      w.Settle();
      g.SelectRow(500);
    } else {
      Fill(g, 3, 10);
      w.Settle();
      // The producers' sequence with no turn of the main loop in between.
      if (c.how == How::RefilledHidden) g.SetGridVisible(false);
      Fill(g, 3, 1000);
      g.SelectRow(500);
      if (c.how == How::RefilledHidden) g.SetGridVisible(true);
    }
    EXPECT_EQ(g.SelectedRow(), 500);
    Centring m;
    RunUntil([&] {
      m = Measure(w.grid.view());
      return m.row == 500 && m.firstVisible >= 0 && std::abs(m.offCentre) <= m.rowHeight;
    });
    EXPECT_EQ(m.row, 500) << "the cursor is not on the selected row";
    EXPECT_LE(std::abs(m.offCentre), m.rowHeight) << "the row is off the middle by " << m.offCentre;
    EXPECT_LT(m.firstVisible, 500);
    EXPECT_GT(m.lastVisible, 500);
    EXPECT_LE(std::abs((500 - m.firstVisible) - (m.lastVisible - 500)), 1)
        << "visible " << m.firstVisible << " to " << m.lastVisible;
    GtkTreeViewColumn* focus = nullptr;
    gtk_tree_view_get_cursor(w.grid.view(), nullptr, &focus);
    EXPECT_EQ(focus, ColumnOf(w.grid, 0)) << "the cursor is not in the first column";
    EXPECT_EQ(g.SelectedRow(), 500);
  }
}

// What a cell shows: its text laid out as the renderer lays it out in the
// cell, with an ellipsis for what that leaves out.
std::string DrawnText(GtkResultGrid& grid, int row, int column) {
  GtkTreeModel* model = gtk_tree_view_get_model(grid.view());
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  GtkTreeIter it;
  GdkRectangle area;
  gtk_tree_model_get_iter(model, &it, path);
  gtk_tree_view_get_cell_area(grid.view(), path, ColumnOf(grid, column), &area);
  gtk_tree_path_free(path);
  gtk_tree_view_column_cell_set_cell_data(ColumnOf(grid, column), model, &it, FALSE, FALSE);
  gchar* text = nullptr;
  PangoEllipsizeMode ellipsize = PANGO_ELLIPSIZE_NONE;
  gint xpad = 0;
  g_object_get(CellOf(ColumnOf(grid, column)), "text", &text, "ellipsize", &ellipsize, "xpad", &xpad, nullptr);
  GObjectPtr<PangoLayout> layout(gtk_widget_create_pango_layout(GTK_WIDGET(grid.view()), text));
  g_free(text);
  const int room = (area.width - 2 * xpad) * PANGO_SCALE;
  if (ellipsize != PANGO_ELLIPSIZE_NONE) pango_layout_set_width(layout.get(), room);
  pango_layout_set_ellipsize(layout.get(), ellipsize);
  std::string drawn;
  for (GSList* r = pango_layout_get_line_readonly(layout.get(), 0)->runs; r; r = r->next) {
    const PangoItem* item = static_cast<PangoGlyphItem*>(r->data)->item;
    const bool left = item->analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS;
    drawn += left ? "\u2026" : std::string(pango_layout_get_text(layout.get()) + item->offset, item->length);
  }
  return drawn;
}

// A number padded far past its column (an unconstrained NUMERIC) shows its
// digits, one too wide its end after an ellipsis; texts keep their blanks.
TEST(GridViewTest, ANumberShowsItsDigitsWhateverItsPadding) {
  GridInWindow w;
  w.grid.AddColumn(0, "AMOUNT", 100);
  w.grid.AddColumn(1, "NOTE", 100);
  w.grid.SetColumnValueType(0, ValueType::Number);
  for (const char* number : {"1250000.00", "Null", "123456789012345678901234567890"})
    w.grid.AppendRow({Pad(number, 131089), "  two blanks first"});
  w.Settle();
  EXPECT_EQ(DrawnText(w.grid, 0, 0), "1250000.00");
  EXPECT_EQ(DrawnText(w.grid, 1, 0), "Null");
  const std::string cut = DrawnText(w.grid, 2, 0);
  EXPECT_TRUE(cut.starts_with("\u2026") && cut.ends_with("567890")) << cut;
  EXPECT_TRUE(DrawnText(w.grid, 0, 1).starts_with("  two")) << "a text lost its blanks";
}

TEST(GridViewTest, TheViewColoursOnlyTheRowsPresentAtTheCall) {
  const Rgb pink = MakeRgb(250, 223, 252);
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "toolkit run between the steps" : "straight through");
    GridInWindow w;
    Fill(w.grid, 3, 3);
    if (settle) w.Settle();
    w.grid.SetColumnBackground(1, pink);
    if (settle) w.Settle();
    w.grid.AppendRow({"a", "b", "c"});
    w.grid.AppendRow({"d", "e", "f"});
    w.Settle();

    GtkTreeModel* model = gtk_tree_view_get_model(w.grid.view());
    ASSERT_NE(model, nullptr);
    for (int column = 0; column < 3; ++column) {
      GtkTreeViewColumn* col = ColumnOf(w.grid, column);
      for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(column));
        bool coloured = column == 1 && row < 3;
        GtkTreeIter it;
        ASSERT_TRUE(gtk_tree_model_iter_nth_child(model, &it, nullptr, row));
        // What the view hands the renderer for drawing the cell.
        gtk_tree_view_column_cell_set_cell_data(col, model, &it, FALSE, FALSE);
        gboolean set = FALSE;
        GdkRGBA* rgba = nullptr;
        gchar* text = nullptr;
        g_object_get(CellOf(col), "cell-background-set", &set, "cell-background-rgba", &rgba, "text", &text, nullptr);
        EXPECT_EQ(set != FALSE, coloured) << "the cell is drawn with the wrong background";
        if (rgba && coloured) {
          EXPECT_NEAR(rgba->red * 255, 250, 0.5);
          EXPECT_NEAR(rgba->green * 255, 223, 0.5);
          EXPECT_NEAR(rgba->blue * 255, 252, 0.5);
        }
        if (rgba) gdk_rgba_free(rgba);
        EXPECT_EQ(std::string(text ? text : ""), w.grid.CellText(row, column)) << "the cell is drawn with another text";
        g_free(text);
      }
    }
  }
}

// A new result takes the columns the last one left in the view: whatever the
// earlier columns were, the view shows exactly the new ones, in order, with
// their titles, widths and texts, and nothing of the old ones.
TEST(GridViewTest, ANewResultShowsOnlyItsOwnColumns) {
  struct Column {
    int position;
    const char* title;
    int width;
  };
  struct {
    const char* fault;
    std::vector<Column> before;
    int hiddenBefore;  // a column of the earlier result hidden, or -1
    std::vector<Column> after;
    std::vector<const char*> shown;  // the titles the view shows, in order
  } cases[] = {
      {"fewer columns keep one of the old ones on the screen", {{0, "A", 80}, {1, "B", 90}, {2, "C", 70}}, -1,
       {{0, "X", 120}}, {"X"}},
      {"a taken column keeps its old title or width", {{0, "A", 80}, {1, "B", 90}}, -1,
       {{0, "B", 60}, {1, "C_1", 150}, {2, "D", 50}}, {"B", "C_1", "D"}},
      {"a column hidden in the last result stays hidden", {{0, "A", 80}, {1, "B", 90}}, 0,
       {{0, "A", 100}, {1, "B", 100}}, {"A", "B"}},
      {"a column added in front lands elsewhere", {{0, "A", 80}, {1, "B", 90}, {2, "C", 70}}, -1,
       {{0, "Q", 100}, {0, "P", 110}, {1, "M", 40}, {-1, "Z", 30}}, {"P", "M", "Q", "Z"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    GridInWindow w;
    for (const Column& col : c.before) w.grid.AddColumn(col.position, col.title, col.width);
    w.grid.AppendRow({"old 0", "old 1", "old 2"});
    if (c.hiddenBefore >= 0) w.grid.SetColumnWidth(c.hiddenBefore, 0);
    w.Settle();
    w.grid.ClearRows();
    w.grid.RemoveAllColumns();
    for (const Column& col : c.after) w.grid.AddColumn(col.position, col.title, col.width);
    std::vector<std::string> texts;
    for (const char* title : c.shown) texts.push_back(std::string("cell of ") + title);
    w.grid.AppendRow(texts);
    w.Settle();

    ASSERT_EQ(w.grid.ColumnCount(), static_cast<int>(c.shown.size()));
    GtkTreeModel* model = gtk_tree_view_get_model(w.grid.view());
    GtkTreeIter it;
    ASSERT_TRUE(model && gtk_tree_model_iter_nth_child(model, &it, nullptr, 0));
    GList* all = gtk_tree_view_get_columns(w.grid.view());
    int shownColumns = 0;
    for (GList* l = all; l; l = l->next) {
      auto* col = GTK_TREE_VIEW_COLUMN(l->data);
      if (!gtk_tree_view_column_get_visible(col)) {
        EXPECT_FALSE(gtk_widget_get_mapped(gtk_tree_view_column_get_button(col))) << "a left-over header shows";
        continue;
      }
      const int n = shownColumns++;
      ASSERT_LT(n, static_cast<int>(c.shown.size())) << "the view shows a column too many";
      EXPECT_EQ(col, ColumnOf(w.grid, n));
      EXPECT_EQ(std::string(gtk_label_get_text(GTK_LABEL(gtk_tree_view_column_get_widget(col)))), c.shown[n]);
      EXPECT_EQ(w.grid.ColumnTitle(n), c.shown[n]);
      gtk_tree_view_column_cell_set_cell_data(col, model, &it, FALSE, FALSE);
      gchar* text = nullptr;
      g_object_get(CellOf(col), "text", &text, nullptr);
      EXPECT_EQ(std::string(text ? text : ""), texts[static_cast<std::size_t>(n)]) << "column " << n;
      g_free(text);
    }
    g_list_free(all);
    EXPECT_EQ(shownColumns, static_cast<int>(c.shown.size()));
    for (const Column& col : c.after) {
      for (int n = 0; n < w.grid.ColumnCount(); ++n) {
        if (w.grid.ColumnTitle(n) == col.title) {
          EXPECT_EQ(w.grid.ColumnWidth(n), col.width) << col.title;
        }
      }
    }
    EXPECT_EQ(w.grid.ColumnWidth(static_cast<int>(c.shown.size())), 0) << "a column past the last one answers";
  }
}

// A very wide result does not leave all of its columns behind in the view.
TEST(GridViewTest, AVeryWideResultLeavesFewColumnsBehind) {
  GridInWindow w;
  for (int c = 0; c < 300; ++c) w.grid.AddColumn(c, "C" + std::to_string(c), 40);
  w.Settle();
  w.grid.RemoveAllColumns();
  w.grid.AddColumn(0, "ONLY", 100);
  w.Settle();
  EXPECT_LT(gtk_tree_view_get_n_columns(w.grid.view()), 300u);
  EXPECT_EQ(w.grid.ColumnCount(), 1);
  EXPECT_EQ(w.grid.ColumnTitle(0), "ONLY");
}

// A producer hides the grid while it fills it: shown again before the
// toolkit runs, the grid never leaves the screen; left hidden, it does.
TEST(GridViewTest, AHiddenGridLeavesTheScreenOnlyIfItStaysHidden) {
  struct {
    const char* fault;
    bool showAgain;
  } cases[] = {
      {"a grid hidden and shown again in one go is taken off the screen", true},
      {"a grid left hidden stays on the screen", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    GridInWindow w;
    Fill(w.grid, 3, 5);
    w.Settle();
    int unmapped = 0;
    g_signal_connect_swapped(w.grid.widget(), "unmap", G_CALLBACK(+[](int* n) { ++*n; }), &unmapped);
    w.grid.SetGridVisible(false);
    EXPECT_FALSE(w.grid.visible());
    Fill(w.grid, 4, 50);
    if (c.showAgain) w.grid.SetGridVisible(true);
    w.Settle();
    EXPECT_EQ(w.grid.visible(), c.showAgain);
    EXPECT_EQ(gtk_widget_get_mapped(w.grid.widget()) != FALSE, c.showAgain);
    EXPECT_EQ(unmapped, c.showAgain ? 0 : 1);
    g_signal_handlers_disconnect_matched(w.grid.widget(), G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, &unmapped);
    w.grid.SetGridVisible(true);
    w.Settle();
    EXPECT_TRUE(gtk_widget_get_mapped(GTK_WIDGET(w.grid.view())));
    EXPECT_EQ(w.grid.CellText(49, 3), "49/3");
  }
}

TEST(GridViewTest, TypeAheadSearchLooksAtTheFirstColumnAfterARefill) {
  GridInWindow w;
  Fill(w.grid, 3, 10);
  w.Settle();
  Fill(w.grid, 4, 20);
  w.grid.AddColumn(0, "FIRST", 100);  // the first column's texts move one column on
  ResultRows rows;
  rows.AddCell("typed");
  rows.EndRow();
  w.grid.AppendRows(std::move(rows));
  w.Settle();
  EXPECT_TRUE(gtk_tree_view_get_enable_search(w.grid.view()));
  GtkTreeModel* model = gtk_tree_view_get_model(w.grid.view());
  ASSERT_NE(model, nullptr);
  const int searched = gtk_tree_view_get_search_column(w.grid.view());
  for (int row : {0, 19, 20}) {
    GtkTreeIter it;
    ASSERT_TRUE(gtk_tree_model_iter_nth_child(model, &it, nullptr, row));
    gchar* text = nullptr;
    gtk_tree_model_get(model, &it, searched, &text, -1);
    EXPECT_EQ(std::string(text ? text : ""), w.grid.CellText(row, 0)) << "the search reads another column, row " << row;
    g_free(text);
  }
  EXPECT_EQ(w.grid.CellText(20, 0), "typed");
}

// Whether the face that a description resolves to sets every character in the
// same width.
bool ResolvesToMonospace(GtkWidget* widget, const PangoFontDescription* desc, std::string* family) {
  PangoContext* context = gtk_widget_get_pango_context(widget);
  PangoFont* font = pango_context_load_font(context, desc);
  if (!font) return false;
  PangoFontDescription* resolved = pango_font_describe(font);
  *family = pango_font_description_get_family(resolved);
  pango_font_description_free(resolved);
  g_object_unref(font);
  bool listedMonospace = false;
  PangoFontFamily** families = nullptr;
  int n = 0;
  pango_context_list_families(context, &families, &n);
  for (int i = 0; i < n; ++i)
    if (g_ascii_strcasecmp(pango_font_family_get_name(families[i]), family->c_str()) == 0)
      listedMonospace = pango_font_family_is_monospace(families[i]);
  g_free(families);
  auto width = [&](const char* text) {
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, desc);
    pango_layout_set_text(layout, text, -1);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    g_object_unref(layout);
    return w;
  };
  return listedMonospace && width("iiiiiiiiii") == width("MMMMMMMMMM");
}

GtkWidget* LabelIn(GtkWidget* widget) {
  if (GTK_IS_LABEL(widget)) return widget;
  if (!GTK_IS_CONTAINER(widget)) return nullptr;
  GtkWidget* found = nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
  for (GList* l = children; l && !found; l = l->next) found = LabelIn(GTK_WIDGET(l->data));
  g_list_free(children);
  return found;
}

TEST(GridViewTest, CellsAndHeadersUseConsolasTenOrAMonospaceFace) {
  GridInWindow w;
  Fill(w.grid, 2, 3);
  w.Settle();
  GtkWidget* header = gtk_tree_view_column_get_button(ColumnOf(w.grid, 0));
  GtkWidget* headerLabel = LabelIn(header);
  ASSERT_NE(headerLabel, nullptr);
  struct {
    const char* what;
    GtkWidget* widget;
  } parts[] = {{"cells", GTK_WIDGET(w.grid.view())}, {"header", headerLabel}};
  for (const auto& part : parts) {
    SCOPED_TRACE(part.what);
    const PangoFontDescription* desc =
        pango_context_get_font_description(gtk_widget_get_pango_context(part.widget));
    ASSERT_NE(desc, nullptr);
    std::string families = pango_font_description_get_family(desc);
    EXPECT_EQ(families.rfind("Consolas", 0), 0u) << "asked for " << families;
    EXPECT_FALSE(pango_font_description_get_size_is_absolute(desc));
    EXPECT_EQ(pango_font_description_get_size(desc), 10 * PANGO_SCALE);
    std::string resolved;
    bool monospace = ResolvesToMonospace(part.widget, desc, &resolved);
    if (resolved != "Consolas") {
      EXPECT_TRUE(monospace) << "resolved to " << resolved;
    }
  }
}

}  // namespace
}  // namespace zuno::testing
