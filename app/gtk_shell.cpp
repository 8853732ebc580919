#include "app/gtk_shell.h"

#include <string>

#include "app/css_provider.h"
#include "app/resize_rule.h"
#include "base/gobject_ptr.h"

namespace zuno {
namespace {

constexpr const char* kControlKey = "zuno-control";
constexpr const char* kMenuItemKey = "zuno-menu-item";
constexpr const char* kWindowKey = "zuno-window";
constexpr const char* kBusyTooltip = "Press Escape to cancel a running statement";

// Texts from files or the database may hold invalid UTF-8, which GTK refuses.
std::string ValidUtf8(std::string_view text) {
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return std::string(text);
  GCharPtr valid(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())));
  return valid.get();
}

Control ControlOf(GtkWidget* w) {
  return static_cast<Control>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(w), kControlKey)));
}

GtkWidget* Widget(const ControlWidgets& w, Control c) { return w.inner[c]; }

// Runs what the toolkit has queued (draws, a dialog's last events) before the
// handler goes on.
void HandlePendingEvents() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

// A display without an input seat (a headless compositor) has no clipboard:
// GDK's Wayland side would reach for the missing seat's data device.
bool HasClipboard() { return gdk_display_get_default_seat(gdk_display_get_default()) != nullptr; }

// Room in a title bar besides the title: its buttons and margins.
constexpr int kTitleBarRoom = 160;

// A title bar shortens a title wider than its window ("ZU… me"). A dialog is
// made at least as wide as its title in the title bar's bold type, with room
// for the title bar's buttons; its prompt, entry and buttons ask for the rest.
void FitTitle(GtkWidget* dialog) {
  int title = TitleTextWidth(dialog, gtk_window_get_title(GTK_WINDOW(dialog)));
  gtk_widget_set_size_request(dialog, title + kTitleBarRoom, -1);
}

GtkWidget* MessageDialog(GtkMessageType type, GtkButtonsType buttons) {
  GtkWidget* d = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, buttons, "%s", "");
  gtk_window_set_title(GTK_WINDOW(d), "ZUNO");
  gtk_window_set_position(GTK_WINDOW(d), GTK_WIN_POS_CENTER_ON_PARENT);
  return d;
}

}  // namespace

GtkShell::GtkShell(EventLoop& loop) : loop_(loop) {
  main_ = BuildWindow(WindowId::Main, nullptr, widgets_);
  grid_ = std::make_unique<GtkResultGrid>(
      [this](Action a) { DeliverControl(WindowId::Main, kResultGrid, a); });
  widgets_.outer[kResultGrid] = grid_->widget();
  widgets_.inner[kResultGrid] = GTK_WIDGET(grid_->view());
  PlaceControl(main_, grid_->widget(), ControlById(kResultGrid).place);
  SetAccessibleName(grid_->widget(), ControlById(kResultGrid).role);
  grid_->SetAccessibleName(ControlById(kResultGrid).role);
  // Created with one column, which start-up removes again.
  grid_->AddColumn(0, "Column 1", 100);
  gtk_widget_set_name(main_.window, "main-window");
  gdk_event_handler_set(
      [](GdkEvent* e, gpointer self) {
        if (e->type == GDK_DELETE && static_cast<GtkShell*>(self)->KeepCloseOutsideGrab(e)) return;
        gtk_main_do_event(e);
      },
      this, nullptr);

  completion_ = std::make_unique<CatalogCompletion>(widgets_.inner[kSqlEditor]);
  // Names read before a Connect belong to the connection it replaces; they go
  // before the handler connects anew.
  g_signal_connect_swapped(widgets_.inner[kConnectButton], "clicked",
                           G_CALLBACK(+[](CatalogCompletion* c) { c->ForgetNames(); }), completion_.get());
  for (const ControlSpec& c : AllControls())
    if (c.window == WindowId::Main) ConnectControlSignals(WindowId::Main, c.id);
  ConnectEditorKeys();

  ReportCloseRequests(main_.window, WindowId::Main);
  // The rule works from the client area the controls stand in, the layout's
  // allocation. The toplevel's configure size is no measure of it: where GTK
  // draws the title bar and the shadow itself (Wayland, GTK_CSD=1) they are
  // part of that size.
  // The layout has placed the controls by the time it reports its size, and
  // a move asked for from within that report would be lost: the rule runs
  // right after it.
  g_signal_connect(main_.layout, "size-allocate",
                   G_CALLBACK(+[](GtkWidget*, GdkRectangle* client, gpointer self) {
                     static_cast<GtkShell*>(self)->OnClientAllocated(Size{client->width, client->height});
                   }),
                   this);
}

GtkShell::~GtkShell() {
  completion_.reset();  // it lets go of the editor before the windows go
  StopAutorunTimer();
  if (resizeSource_ != 0) g_source_remove(resizeSource_);
  for (GtkWidget* d : {messageBox_, questionBox_, input_.dialog, fileChooser_})
    if (d) gtk_widget_destroy(d);
  DestroyWindow(busy_, WindowId::Busy);
  DestroyWindow(library_, WindowId::Library);
  DestroyWindow(main_, WindowId::Main);
  gdk_event_handler_set([](GdkEvent* e, gpointer) { gtk_main_do_event(e); }, nullptr, nullptr);
}

void GtkShell::DestroyWindow(BuiltWindow& w, WindowId id) {
  if (!w.window) return;
  gtk_widget_destroy(w.window);
  w = {};
  ForgetControls(id);
}

void GtkShell::ForgetControls(WindowId id) {
  for (const ControlSpec& c : AllControls())
    if (c.window == id) widgets_.outer[c.id] = widgets_.inner[c.id] = nullptr;
  if (id == WindowId::Library) libraryClicks_.clear();
}

void GtkShell::ConnectControlSignals(WindowId window, Control c) {
  GtkWidget* w = Widget(widgets_, c);
  if (!w) return;
  g_object_set_data(G_OBJECT(w), kControlKey, GINT_TO_POINTER(c));
  switch (ControlById(c).kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      g_signal_connect(w, "clicked", G_CALLBACK(+[](GtkWidget* b, gpointer self) {
                         Control id = ControlOf(b);
                         static_cast<GtkShell*>(self)->DeliverControl(ControlById(id).window, id,
                                                                      Action::LeftClick);
                       }),
                       this);
      break;
    case ControlKind::List: {
      auto tracker = std::make_unique<ClickTracker>(
          w, widgets_.outer[c], [this, window, c](Action a) { DeliverControl(window, c, a); });
      (window == WindowId::Library ? libraryClicks_ : mainClicks_).push_back(std::move(tracker));
      break;
    }
    default:
      break;  // fields report nothing any handler uses
  }
}

void GtkShell::ReportCloseRequests(GtkWidget* window, WindowId id) {
  // The window is not destroyed by the request: the loop ends the program.
  g_object_set_data(G_OBJECT(window), kWindowKey, GINT_TO_POINTER(static_cast<int>(id)));
  g_signal_connect(window, "delete-event", G_CALLBACK(+[](GtkWidget* w, GdkEvent*, gpointer self) -> gboolean {
                     auto id = static_cast<WindowId>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(w), kWindowKey)));
                     static_cast<GtkShell*>(self)->loop_.Deliver(Event::CloseOf(id));
                     return TRUE;
                   }),
                   this);
}

// GTK drops a close request for any window but the one that holds the input
// grab, and the busy window or a dialog holds it during long work: the
// request is handed to the loop here instead, which keeps it until the
// handler has finished.
bool GtkShell::KeepCloseOutsideGrab(GdkEvent* e) {
  GtkWidget* grab = gtk_grab_get_current();
  GtkWidget* target = gtk_get_event_widget(e);
  if (!grab || !target) return false;
  GtkWidget* top = gtk_widget_get_toplevel(target);
  if (gtk_widget_get_toplevel(grab) == top) return false;  // GTK hands it on itself
  if (top != main_.window && top != library_.window) return false;
  loop_.Deliver(Event::CloseOf(top == main_.window ? WindowId::Main : WindowId::Library));
  return true;
}

void GtkShell::DeliverControl(WindowId window, Control c, Action a) {
  loop_.Deliver(Event::ControlOf(window, c, a));
}

void GtkShell::OnClientAllocated(Size size) {
  if (size == clientSize_) return;  // the controls' own moves come back here
  clientSize_ = size;
  if (resizeSource_ != 0) return;
  resizeSource_ = g_idle_add_full(
      G_PRIORITY_HIGH_IDLE,
      [](gpointer data) -> gboolean {
        auto* self = static_cast<GtkShell*>(data);
        self->resizeSource_ = 0;
        self->ApplyResizeRule(self->clientSize_.w, self->clientSize_.h);
        return G_SOURCE_REMOVE;
      },
      this, nullptr);
}

void GtkShell::ApplyResizeRule(int width, int height) {
  std::array<Rect, kMainControlCount> layout = MainWindowLayout(width, height);
  for (int c = 0; c < kMainControlCount; ++c)
    if (widgets_.outer[c]) MoveControl(main_.layout, widgets_.outer[c], layout[c]);
}

// The keys work wherever the focus is in the Main Window; they are taken
// before the focused control sees them, so Ctrl+Return adds no line.
void GtkShell::ConnectEditorKeys() {
  gtk_widget_set_tooltip_text(widgets_.outer[kRunButton], std::string(kRunTooltip).c_str());
  g_signal_connect(main_.window, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* e, gpointer self) -> gboolean {
                     return static_cast<GtkShell*>(self)->OnEditorCommand(CommandForKey(e->keyval, e->state));
                   }),
                   this);
}

bool GtkShell::OnEditorCommand(EditorCommand command) {
  switch (command) {
    case EditorCommand::RunStatement:
      if (IsEnabled(kRunButton)) DeliverControl(WindowId::Main, kRunButton, Action::LeftClick);
      return true;
    case EditorCommand::SaveQuery:
      // The library's Save asks for a name and stores the editor's text; it
      // needs a connection, as the Save/Load Query button does.
      if (IsEnabled(kSaveLoadQueryButton)) DeliverControl(WindowId::Library, kLibrarySaveButton, Action::LeftClick);
      return true;
    case EditorCommand::None:
      break;
  }
  return false;
}

void GtkShell::ShowMainWindow() { gtk_widget_show_all(main_.window); }

void GtkShell::CreatePopupMenu() {
  popup_ = gtk_menu_new();
  for (const PopupMenuEntry& entry : PopupMenuEntries()) {
    GtkWidget* item = entry.id == 0 ? gtk_separator_menu_item_new()
                                    : gtk_menu_item_new_with_label(std::string(entry.caption).c_str());
    g_object_set_data(G_OBJECT(item), kMenuItemKey, GINT_TO_POINTER(entry.id));
    if (entry.id != 0)
      g_signal_connect(item, "activate", G_CALLBACK(+[](GtkMenuItem* i, gpointer self) {
                         int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(i), kMenuItemKey));
                         static_cast<GtkShell*>(self)->loop_.Deliver(Event::MenuOf(id));
                       }),
                       this);
    gtk_menu_shell_append(GTK_MENU_SHELL(popup_), item);
  }
  gtk_widget_show_all(popup_);
  gtk_menu_attach_to_widget(GTK_MENU(popup_), main_.window, nullptr);
}

void GtkShell::ShowPopupMenu() {
  if (popup_) gtk_menu_popup_at_pointer(GTK_MENU(popup_), nullptr);
}

void GtkShell::PrependListItem(Control c, std::string_view item) {
  gtk_combo_box_text_prepend_text(GTK_COMBO_BOX_TEXT(widgets_.outer[c]), ValidUtf8(item).c_str());
}

void GtkShell::ClearDropDown(Control c) {
  gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(widgets_.outer[c]));
}

void GtkShell::ShowLogo(GdkPixbuf* pixbuf) {
  gtk_image_set_from_pixbuf(GTK_IMAGE(widgets_.inner[kLogoImage]), pixbuf);
}

void GtkShell::FocusControl(Control c) {
  if (GtkWidget* w = Widget(widgets_, c)) gtk_widget_grab_focus(w);
}

std::string GtkShell::Text(Control c) const {
  GtkWidget* w = Widget(widgets_, c);
  if (!w) return {};
  switch (ControlById(c).kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox: {
      const gchar* label = gtk_button_get_label(GTK_BUTTON(w));
      return label ? label : "";
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

void GtkShell::SetText(Control c, std::string_view text) {
  GtkWidget* w = Widget(widgets_, c);
  if (!w) return;
  std::string t = ValidUtf8(text);
  switch (ControlById(c).kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      gtk_button_set_label(GTK_BUTTON(w), t.c_str());
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

bool GtkShell::IsEnabled(Control c) const {
  GtkWidget* w = widgets_.outer[c];
  return w && gtk_widget_get_sensitive(w);
}

void GtkShell::SetEnabled(Control c, bool enabled) {
  if (GtkWidget* w = widgets_.outer[c]) gtk_widget_set_sensitive(w, enabled);
}

bool GtkShell::IsChecked(Control c) const {
  GtkWidget* w = Widget(widgets_, c);
  return w && GTK_IS_TOGGLE_BUTTON(w) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w));
}

void GtkShell::SetWindowTitle(WindowId id, std::string_view title) {
  GtkWidget* w = id == WindowId::Main ? main_.window : id == WindowId::Library ? library_.window : busy_.window;
  if (w) gtk_window_set_title(GTK_WINDOW(w), ValidUtf8(title).c_str());
}

std::vector<std::string> GtkShell::ListItems(Control c) const {
  std::vector<std::string> items;
  GtkWidget* w = Widget(widgets_, c);
  if (!w) return items;
  GtkTreeModel* model = ControlById(c).kind == ControlKind::ComboEntry
                            ? gtk_combo_box_get_model(GTK_COMBO_BOX(widgets_.outer[c]))
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

void GtkShell::AppendListItem(Control c, std::string_view item) {
  GtkWidget* w = Widget(widgets_, c);
  if (!w) return;
  std::string t = ValidUtf8(item);
  if (ControlById(c).kind == ControlKind::ComboEntry) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(widgets_.outer[c]), t.c_str());
    return;
  }
  GtkTreeIter it;
  gtk_list_store_append(ListStoreOf(w), &it);
  gtk_list_store_set(ListStoreOf(w), &it, 0, t.c_str(), -1);
}

int GtkShell::SelectedListItem(Control c) const {
  GtkWidget* w = Widget(widgets_, c);
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

void GtkShell::ClearList(Control c) {
  GtkWidget* w = Widget(widgets_, c);
  if (!w) return;
  if (ControlById(c).kind == ControlKind::ComboEntry)
    ClearDropDown(c);
  else
    gtk_list_store_clear(ListStoreOf(w));
}

GtkWindow* GtkShell::DialogParent() const {
  if (library_.window && gtk_widget_get_visible(library_.window)) return GTK_WINDOW(library_.window);
  return GTK_WINDOW(main_.window);
}

// The dialogs are built at their first use and then shown and hidden, as the
// busy window is (see OpenBusyWindow): a destroyed one would leave its
// accessible object behind, without a window, wherever the accessibility
// bridge still holds it.
int GtkShell::RunDialog(GtkWidget* d) {
  gtk_window_set_transient_for(GTK_WINDOW(d), DialogParent());
  FitTitle(d);
  gint response = gtk_dialog_run(GTK_DIALOG(d));
  gtk_widget_hide(d);
  HandlePendingEvents();
  return response;
}

void GtkShell::ShowMessage(std::string_view text) {
  if (!messageBox_) messageBox_ = MessageDialog(GTK_MESSAGE_OTHER, GTK_BUTTONS_OK);
  g_object_set(messageBox_, "text", ValidUtf8(text).c_str(), nullptr);
  RunDialog(messageBox_);
}

bool GtkShell::AskYesNo(std::string_view question) {
  if (!questionBox_) questionBox_ = MessageDialog(GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO);
  g_object_set(questionBox_, "text", ValidUtf8(question).c_str(), nullptr);
  return RunDialog(questionBox_) == GTK_RESPONSE_YES;
}

void GtkShell::BuildInputDialog() {
  input_.dialog = gtk_dialog_new_with_buttons("", GTK_WINDOW(main_.window), GTK_DIALOG_MODAL, "OK",
                                              GTK_RESPONSE_OK, nullptr);
  gtk_window_set_position(GTK_WINDOW(input_.dialog), GTK_WIN_POS_CENTER_ON_PARENT);
  gtk_dialog_set_default_response(GTK_DIALOG(input_.dialog), GTK_RESPONSE_OK);
  GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(input_.dialog));
  input_.prompt = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(input_.prompt), 0.0f);
  input_.entry = gtk_entry_new();
  gtk_entry_set_activates_default(GTK_ENTRY(input_.entry), TRUE);  // Enter and keypad Enter
  gtk_box_pack_start(GTK_BOX(area), input_.prompt, FALSE, FALSE, 4);
  gtk_box_pack_start(GTK_BOX(area), input_.entry, FALSE, FALSE, 4);
  gtk_widget_show_all(area);
}

std::string GtkShell::AskText(std::string_view title, std::string_view prompt, std::string_view preset) {
  if (!input_.dialog) BuildInputDialog();
  gtk_window_set_title(GTK_WINDOW(input_.dialog), ValidUtf8(title).c_str());
  gtk_label_set_text(GTK_LABEL(input_.prompt), ValidUtf8(prompt).c_str());
  gtk_entry_set_text(GTK_ENTRY(input_.entry), ValidUtf8(preset).c_str());
  gtk_widget_grab_focus(input_.entry);
  gint response = RunDialog(input_.dialog);
  return response == GTK_RESPONSE_OK ? gtk_entry_get_text(GTK_ENTRY(input_.entry)) : "";
}

std::optional<SaveChoice> GtkShell::ChooseSaveFile(std::string_view title, std::string_view suggestedName) {
  if (!fileChooser_) {
    fileChooser_ = gtk_file_chooser_dialog_new("", GTK_WINDOW(main_.window), GTK_FILE_CHOOSER_ACTION_SAVE,
                                               "_Cancel", GTK_RESPONSE_CANCEL, "_Save", GTK_RESPONSE_ACCEPT,
                                               nullptr);
    gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(fileChooser_), FALSE);
    // The report first, so it stays the type chosen unless the user picks
    // the other; both show every file.
    for (const char* name : {"Report", "CSV (RFC 4180)"}) {
      GtkFileFilter* filter = gtk_file_filter_new();
      gtk_file_filter_set_name(filter, name);
      gtk_file_filter_add_pattern(filter, "*");
      gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(fileChooser_), filter);  // the chooser owns it
      if (!reportFilter_) reportFilter_ = filter;
    }
  }
  gtk_window_set_title(GTK_WINDOW(fileChooser_), ValidUtf8(title).c_str());
  gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(fileChooser_), reportFilter_);
  gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(fileChooser_), ValidUtf8(suggestedName).c_str());
  std::optional<SaveChoice> choice;
  if (RunDialog(fileChooser_) == GTK_RESPONSE_ACCEPT) {
    GCharPtr file(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(fileChooser_)));
    const bool csv = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(fileChooser_)) != reportFilter_;
    if (file) choice = SaveChoice{file.get(), csv ? SaveFileType::Csv : SaveFileType::Report};
  }
  return choice;
}

void GtkShell::OpenBusyWindow() {
  if (BusyShown()) return;
  // Built once and then shown and hidden: a toolkit window that is
  // destroyed leaves its accessible object behind wherever the
  // accessibility bridge still holds it, and that object answers a screen
  // reader's question for its states with nothing.
  if (!busy_.window) BuildBusyWindow();
  gtk_widget_show_all(busy_.window);
  gtk_window_present(GTK_WINDOW(busy_.window));
  // The busy window takes all input while the handler runs: clicks elsewhere
  // are dropped. It paints its text while the long work waits in
  // WaitUntil, which keeps the toolkit's loop going; nothing waits here.
  gtk_grab_add(busy_.window);
  gdk_display_flush(gtk_widget_get_display(busy_.window));
}

void GtkShell::BuildBusyWindow() {
  busy_ = BuildWindow(WindowId::Busy, GTK_WINDOW(main_.window), widgets_);
  g_object_set_data(G_OBJECT(busy_.window), kWindowKey, GINT_TO_POINTER(static_cast<int>(WindowId::Busy)));
  // Its close box cancels the work as Escape does; the program goes on.
  g_signal_connect(busy_.window, "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
                     auto* shell = static_cast<GtkShell*>(self);
                     if (shell->cancel_) shell->cancel_();
                     return TRUE;
                   }),
                   this);
  gtk_widget_set_tooltip_text(busy_.window, kBusyTooltip);
  g_signal_connect(busy_.window, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* e, gpointer self) -> gboolean {
                     auto* shell = static_cast<GtkShell*>(self);
                     if (e->keyval != GDK_KEY_Escape) return FALSE;
                     if (shell->cancel_) shell->cancel_();
                     return TRUE;
                   }),
                   this);
}

void GtkShell::WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) {
  // Without the busy window an invisible widget holds the input grab, so
  // the Main Window and the library take no clicks or keys meanwhile.
  GtkWidget* blocker = nullptr;
  if (!BusyShown()) {
    blocker = gtk_invisible_new();
    gtk_widget_show(blocker);
    gtk_grab_add(blocker);
  }
  cancel_ = cancel;
  while (!finished()) g_main_context_iteration(nullptr, TRUE);
  cancel_ = nullptr;
  if (blocker) {
    gtk_grab_remove(blocker);
    gtk_widget_destroy(blocker);
  }
}

void GtkShell::Wake() { g_main_context_wakeup(nullptr); }

void GtkShell::Post(std::function<void()> task) {
  auto* held = new std::function<void()>(std::move(task));  // owned by the idle source
  g_idle_add_full(
      G_PRIORITY_DEFAULT_IDLE,
      [](gpointer data) -> gboolean {
        (*static_cast<std::function<void()>*>(data))();
        return G_SOURCE_REMOVE;
      },
      held, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

void GtkShell::CloseBusyWindow() {
  if (!BusyShown()) return;
  gtk_grab_remove(busy_.window);
  gtk_widget_hide(busy_.window);
}

void GtkShell::SetClipboardText(std::string_view text) {
  if (!HasClipboard()) return;
  std::string t = ValidUtf8(text);
  gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), t.c_str(),
                         static_cast<gint>(t.size()));
}

void GtkShell::StartAutorunTimer(int periodMs) {
  StopAutorunTimer();
  timerSource_ = g_timeout_add(static_cast<guint>(periodMs),
                               [](gpointer self) -> gboolean {
                                 static_cast<GtkShell*>(self)->loop_.Deliver(Event::TimerTick(0));
                                 return G_SOURCE_CONTINUE;
                               },
                               this);
}

void GtkShell::StopAutorunTimer() {
  if (timerSource_ != 0) g_source_remove(timerSource_);
  timerSource_ = 0;
}

void GtkShell::SetTimerFieldHighlighted(bool on) {
  GtkWidget* field = widgets_.outer[kTimerSecondsField];
  if (!field) return;
  GtkStyleContext* style = gtk_widget_get_style_context(field);
  if (on)
    gtk_style_context_add_class(style, kTimerRunningClass);
  else
    gtk_style_context_remove_class(style, kTimerRunningClass);
}

void GtkShell::OpenLibraryWindow(LibraryForm form) {
  DestroyWindow(library_, WindowId::Library);
  library_ = BuildWindow(WindowId::Library, GTK_WINDOW(main_.window), widgets_);
  libraryForm_ = form;
  for (const ControlSpec& c : AllControls())
    if (c.window == WindowId::Library) ConnectControlSignals(WindowId::Library, c.id);
  ReportCloseRequests(library_.window, WindowId::Library);
  gtk_widget_show_all(library_.window);
  if (form == LibraryForm::ColumnChooser) {
    for (Control c : {kLibrarySaveButton, kLibraryLoadButton, kStoreModeButton, kLibraryExitButton})
      gtk_widget_hide(widgets_.outer[c]);
    SetText(kLibraryDeleteButton, kSelectColumnCaption);
  }
}

void GtkShell::HideLibraryWindow() {
  if (library_.window) gtk_widget_hide(library_.window);
}

void GtkShell::CloseLibraryWindow() { DestroyWindow(library_, WindowId::Library); }

void GtkShell::HandOverClipboard() {
  // Only where the desktop keeps a clipboard after its owner is gone (an X11
  // clipboard manager); a Wayland compositor keeps it by itself.
  GdkDisplay* display = gdk_display_get_default();
  if (!HasClipboard() || !gdk_display_supports_clipboard_persistence(display)) return;
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_can_store(clipboard, nullptr, 0);
  gtk_clipboard_store(clipboard);
}

void GtkShell::QuitEventLoop() {
  StopAutorunTimer();
  if (gtk_main_level() > 0) gtk_main_quit();
}

}  // namespace zuno
