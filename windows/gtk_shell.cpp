#include "windows/gtk_shell.h"

#include <string>

#include "base/clock.h"
#include "session/caught_failure.h"
#include "windows/clipboard.h"
#include "windows/control_values.h"
#include "windows/css_provider.h"
#include "windows/editor_zoom.h"
#include "windows/sql_editor.h"
#include "windows/gtk_text.h"

namespace zuno {
namespace {

constexpr const char* kControlKey = "zuno-control";
constexpr const char* kWindowKey = "zuno-window";

Control ControlOf(GtkWidget* w) {
  return static_cast<Control>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(w), kControlKey)));
}

}  // namespace

// Nothing a callback throws reaches the toolkit: it is written to the error
// output once and told, and the program goes on.
template <class F>
void GtkShell::Guarded(std::string_view where, F&& call) noexcept {
  const std::string failure = CaughtFailure(call);
  if (failure.empty()) return;
  LogFailure(where, failure);
  const std::string told = CaughtFailure([&] { Tell("ZUNO could not finish " + std::string(where) + ": " + failure); });
  if (!told.empty()) LogFailure("telling of a failure", told);
}

void GtkShell::Tell(const std::string& message) {
  // The busy window's grab would hide the message box.
  if (busy_ && busy_->Shown()) busy_->Close();
  dialogs_->ShowMessage(message);
}

GtkShell::GtkShell(EventLoop& loop) : loop_(loop) {
  pages_ = std::make_unique<ResultNotebook>([this](Action a) { DeliverControl(WindowId::Main, kResultGrid, a); },
                                            [this](Action a, int page) { loop_.Deliver(Event::PageOf(a, page)); });
  pages_->OnCurrentChanged([this] { PutCurrentGrid(); });
  widgets_.Put(kResultGrid, pages_->widget(), nullptr);
  main_ = BuildWindow(WindowId::Main, nullptr, widgets_);
  notes_ = std::make_unique<NotesBar>();
  gtk_box_pack_start(GTK_BOX(main_.parts.notesPlace), notes_->widget(), FALSE, FALSE, 0);
  busy_ = std::make_unique<GtkBusyWindow>(GTK_WINDOW(main_.window), widgets_);
  dialogs_ = std::make_unique<GtkDialogs>(GTK_WINDOW(main_.window), [this] { return DialogParent(); });
  gtk_widget_set_name(main_.window, "main-window");
  gdk_event_handler_set(
      [](GdkEvent* e, gpointer data) {
        auto* self = static_cast<GtkShell*>(data);
        bool kept = false;
        if (e->type == GDK_DELETE) self->Guarded("a close request", [&] { kept = self->KeepCloseOutsideGrab(e); });
        if (!kept) gtk_main_do_event(e);
      },
      this, nullptr);

  completion_ = std::make_unique<CatalogCompletion>(widgets_.inner(kSqlEditor));
  search_ = std::make_unique<EditorSearch>(widgets_.inner(kSqlEditor));
  // Names read before a Connect belong to the connection it replaces; they go
  // before the handler connects anew.
  g_signal_connect_swapped(widgets_.inner(kConnectButton), "clicked",
                           G_CALLBACK(+[](CatalogCompletion* c) { c->ForgetNames(); }), completion_.get());
  for (const ControlSpec& c : AllControls())
    if (c.window == WindowId::Main) ConnectControlSignals(WindowId::Main, c.id);
  ConnectEditorKeys();
  transaction_ = std::make_unique<TransactionControls>(
      widgets_, this, [this] { SetWindowTitle(WindowId::Main, std::string(mainTitle_)); });
  // Return in the Password field connects, as the Connect button does.
  g_signal_connect_swapped(widgets_.inner(kPasswordField), "activate", G_CALLBACK(+[](GtkWidget* connect) {
                             if (gtk_widget_is_sensitive(connect)) gtk_button_clicked(GTK_BUTTON(connect));
                           }),
                           widgets_.inner(kConnectButton));

  ReportCloseRequests(main_.window, WindowId::Main);
  WatchPlace();
}

GtkShell::~GtkShell() {
  transaction_.reset();  // its ticking ends before the window goes
  completion_.reset();  // it lets go of the editor before the windows go
  timer_.Stop();
  dialogs_.reset();
  busy_.reset();
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
  widgets_.Forget(id);
  if (id == WindowId::Library) libraryClicks_.clear();
}

void GtkShell::ConnectControlSignals(WindowId window, Control c) {
  GtkWidget* w = widgets_.inner(c);
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
          w, widgets_.outer(c), [this, window, c](Action a) { DeliverControl(window, c, a); });
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

void GtkShell::WatchPlace() {
  const auto changed = +[](GtkShell* self) { self->TellPlaceChanged(); };
  for (GtkPaned* split : {main_.parts.historySplit, main_.parts.editorSplit})
    g_signal_connect_swapped(split, "notify::position", G_CALLBACK(changed), this);
  // The size to come back to is the one the window had when last neither
  // maximised nor made to fill the screen.
  g_signal_connect(main_.window, "configure-event", G_CALLBACK(+[](GtkWidget* w, GdkEvent*, gpointer data) -> gboolean {
                     auto* self = static_cast<GtkShell*>(data);
                     GdkWindow* gdk = gtk_widget_get_window(w);
                     constexpr auto kFilled = GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN | GDK_WINDOW_STATE_TILED;
                     if (gdk && (gdk_window_get_state(gdk) & kFilled) == 0)
                       gtk_window_get_size(GTK_WINDOW(w), &self->restoredWidth_, &self->restoredHeight_);
                     self->TellPlaceChanged();
                     return FALSE;
                   }),
                   this);
}

MainWindowPlace GtkShell::Place() const {
  MainWindowPlace place;
  GtkWindow* win = GTK_WINDOW(main_.window);
  if (restoredWidth_ > 0)
    place.width = restoredWidth_, place.height = restoredHeight_;
  else
    gtk_window_get_size(win, &place.width, &place.height);
  place.maximised = gtk_window_is_maximized(win);
  place.historyHeight = gtk_paned_get_position(main_.parts.historySplit);
  place.editorHeight = gtk_paned_get_position(main_.parts.editorSplit);
  return place;
}

void GtkShell::RestorePlace(const MainWindowPlace& place) {
  GtkWindow* win = GTK_WINDOW(main_.window);
  if (gtk_widget_get_visible(main_.window))
    gtk_window_resize(win, place.width, place.height);
  else
    gtk_window_set_default_size(win, place.width, place.height);
  restoredWidth_ = place.width;  // what a window opened maximised comes back to
  restoredHeight_ = place.height;
  if (place.maximised) gtk_window_maximize(win);
  gtk_paned_set_position(main_.parts.historySplit, place.historyHeight);
  gtk_paned_set_position(main_.parts.editorSplit, place.editorHeight);
}

void GtkShell::OnPlaceChanged(std::function<void()> changed) {
  placeChanged_ = std::move(changed);
  toldPlace_ = Place();
}

// The window tells of its size far more often than it changes, at the start
// too: only a place the user made is worth keeping.
void GtkShell::TellPlaceChanged() {
  const MainWindowPlace now = Place();
  if (now == toldPlace_) return;
  toldPlace_ = now;
  if (placeChanged_) placeChanged_();
}

// The keys work wherever the focus is in the Main Window; they are taken
// before the focused control sees them, so Ctrl+Return adds no line.
void GtkShell::ConnectEditorKeys() {
  gtk_widget_set_tooltip_text(widgets_.outer(kRunButton), KeyTooltip(kRunTooltip, ControlById(kRunButton).key).c_str());
  g_signal_connect(main_.window, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* e, gpointer data) -> gboolean {
                     auto* self = static_cast<GtkShell*>(data);
                     bool taken = false;
                     self->Guarded("a key's command",
                                   [&] { taken = self->OnEditorCommand(CommandForKey(e->keyval, e->state)); });
                     return taken;
                   }),
                   this);
}

bool GtkShell::OnEditorCommand(EditorCommand command) {
  switch (command) {
    case EditorCommand::RunStatement:
      if (IsEnabled(kRunButton)) DeliverControl(WindowId::Main, kRunButton, Action::LeftClick);
      return true;
    case EditorCommand::RunAtCursor:
    case EditorCommand::RunScript:
      // They run what Run would, so they need what Run needs.
      if (IsEnabled(kRunButton))
        DeliverControl(WindowId::Main, kSqlEditor,
                       command == EditorCommand::RunScript ? Action::RunScript : Action::RunAtCursor);
      return true;
    case EditorCommand::SaveQuery:
      // The library's Save asks for a name and stores the editor's text; it
      // needs a connection, as the Save/Load Query button does.
      if (IsEnabled(kSaveLoadQueryButton)) DeliverControl(WindowId::Library, kLibrarySaveButton, Action::LeftClick);
      return true;
    case EditorCommand::Find:
    case EditorCommand::Replace:
      search_->Open(command == EditorCommand::Replace);
      return true;
    case EditorCommand::GoToLine:
      AskForLine();
      return true;
    case EditorCommand::ZoomIn:
    case EditorCommand::ZoomOut:
    case EditorCommand::ZoomReset:
      ZoomEditor(widgets_.inner(kSqlEditor), command == EditorCommand::ZoomIn    ? Zoom::In
                                             : command == EditorCommand::ZoomOut ? Zoom::Out
                                                                                 : Zoom::Reset);
      return true;
    case EditorCommand::ToggleComment:
      ToggleSelectedLineComments(widgets_.inner(kSqlEditor));
      return true;
    case EditorCommand::TableDetails:
      loop_.Deliver(Event::MenuOf(kTableDetails));
      return true;
    case EditorCommand::None:
      break;
  }
  return false;
}

void GtkShell::AskForLine() {
  const std::string answer = dialogs_->AskText("ZUNO - Go to Line", "Line number:", "").value_or("");
  if (answer.empty() || answer.find_first_not_of("0123456789") != std::string::npos || answer.size() > 9) return;
  GoToLine(widgets_.inner(kSqlEditor), std::stoi(answer));
}

void GtkShell::ShowMainWindow() { gtk_widget_show_all(main_.window); }

int GtkShell::EditorCursor() const {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(widgets_.inner(kSqlEditor)));
  GtkTextIter at;
  gtk_text_buffer_get_iter_at_mark(buffer, &at, gtk_text_buffer_get_insert(buffer));
  return gtk_text_iter_get_offset(&at);
}

void GtkShell::PlaceEditorCursor(int offset) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(widgets_.inner(kSqlEditor)));
  GtkTextIter at;
  gtk_text_buffer_get_iter_at_offset(buffer, &at, offset);
  gtk_text_buffer_place_cursor(buffer, &at);
}

void GtkShell::CreatePopupMenu() {
  popup_ = std::make_unique<GtkPopupMenu>(main_.window, [this](int item) { loop_.Deliver(Event::MenuOf(item)); });
}

void GtkShell::ShowPopupMenu() {
  if (popup_) popup_->ShowAtPointer();
}

void GtkShell::ShowResultPages(const std::vector<PageTab>& tabs, int current) { pages_->Show(tabs, current); }

// The Result Grid the controls name is the view of the page in front.
void GtkShell::PutCurrentGrid() {
  GtkResultGrid* grid = pages_->Current();
  widgets_.Put(kResultGrid, pages_->widget(), grid ? GTK_WIDGET(grid->view()) : nullptr);
}

void GtkShell::PrependListItem(Control c, std::string_view item) { PrependDropDownItem(widgets_, c, item); }

void GtkShell::ClearDropDown(Control c) { zuno::ClearDropDown(widgets_, c); }

void GtkShell::ShowLogo(GdkPixbuf* pixbuf) {
  gtk_image_set_from_pixbuf(GTK_IMAGE(widgets_.inner(kLogoImage)), pixbuf);
}

void GtkShell::Focus(Control c) {
  if (GtkWidget* w = widgets_.inner(c)) gtk_widget_grab_focus(w);
}

std::string GtkShell::Text(Control c) const { return ControlText(widgets_, c); }
void GtkShell::SetText(Control c, std::string_view text) {
  // Completion answers the user's typing, not a text the program puts there.
  if (c == kSqlEditor && completion_) return completion_->WithoutOffer([&] { SetControlText(widgets_, c, text); });
  SetControlText(widgets_, c, text);
}
bool GtkShell::IsEnabled(Control c) const { return ControlEnabled(widgets_, c); }
void GtkShell::SetEnabled(Control c, bool enabled) { SetControlEnabled(widgets_, c, enabled); }
bool GtkShell::IsChecked(Control c) const { return ControlChecked(widgets_, c); }
TextRange GtkShell::EditorSelection() const { return zuno::EditorSelection(widgets_); }
void GtkShell::SelectEditorText(TextRange range) { zuno::SelectEditorText(widgets_, range); }
std::vector<std::string> GtkShell::ListItems(Control c) const { return ControlListItems(widgets_, c); }
void GtkShell::AppendListItem(Control c, std::string_view item) { AppendControlListItem(widgets_, c, item); }
int GtkShell::SelectedListItem(Control c) const { return SelectedControlListItem(widgets_, c); }
void GtkShell::ClearList(Control c) { ClearControlList(widgets_, c); }

void GtkShell::SetWindowTitle(WindowId id, std::string_view title) {
  GtkWidget* w = id == WindowId::Main ? main_.window : id == WindowId::Library ? library_.window : busy_->window();
  std::string shown(title);
  if (id == WindowId::Main) {
    mainTitle_ = shown;
    if (transaction_) shown = MarkedTitle(mainTitle_, transaction_->shown(), NowMilliseconds());
  }
  if (w) gtk_window_set_title(GTK_WINDOW(w), ValidUtf8(shown).c_str());
}

void GtkShell::ShowTransaction(const TransactionState& t, bool connected) {
  transaction_->Show(t, connected);  // the title follows
}

GtkWindow* GtkShell::DialogParent() const {
  if (library_.window && gtk_widget_get_visible(library_.window)) return GTK_WINDOW(library_.window);
  return GTK_WINDOW(main_.window);
}

void GtkShell::ShowMessage(std::string_view text) { dialogs_->ShowMessage(text); }
bool GtkShell::AskYesNo(std::string_view question) { return dialogs_->AskYesNo(question); }
Ui::TransactionChoice GtkShell::AskTransactionEnd(std::string_view question, bool offerCancel) {
  return dialogs_->AskTransactionEnd(question, offerCancel);
}
std::optional<std::string> GtkShell::AskText(std::string_view title, std::string_view prompt,
                                            std::string_view preset) {
  return dialogs_->AskText(title, prompt, preset);
}
std::optional<SaveChoice> GtkShell::ChooseSaveFile(std::string_view title, std::string_view suggestedName) {
  return dialogs_->ChooseSaveFile(title, suggestedName);
}

void GtkShell::OpenBusyWindow() { busy_->Open(); }
void GtkShell::CloseBusyWindow() { busy_->Close(); }
void GtkShell::GiveWayToResult() {
  GtkResultGrid* grid = pages_->Current();
  busy_->GiveWay(grid ? grid->widget() : nullptr, grid ? GTK_WIDGET(grid->view()) : nullptr);
}
void GtkShell::WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) {
  busy_->WaitUntil(finished, cancel);
}

void GtkShell::Wake() { g_main_context_wakeup(nullptr); }

void GtkShell::Post(std::function<void()> task) {
  auto* held = new std::function<void()>(std::move(task));  // owned by the idle source
  g_idle_add_full(
      G_PRIORITY_DEFAULT_IDLE,
      [](gpointer data) -> gboolean {
        // The task may outlive the windows, so it is only logged here: what
        // it hands to the loop tells the user there (EventLoop::WhenIdle).
        const std::string failure = CaughtFailure(*static_cast<std::function<void()>*>(data));
        if (!failure.empty()) LogFailure("a posted task", failure);
        return G_SOURCE_REMOVE;
      },
      held, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

void GtkShell::SetClipboardText(std::string_view text) { PutOnClipboard(text); }
void GtkShell::HandOverClipboard() { HandClipboardToDesktop(); }

void GtkShell::StartAutorunTimer(int periodMs) {
  timer_.Start(periodMs, [this] { loop_.Deliver(Event::TimerTick(0)); });
}

void GtkShell::StopAutorunTimer() { timer_.Stop(); }

void GtkShell::SetTimerFieldHighlighted(bool on) {
  GtkWidget* field = widgets_.outer(kTimerSecondsField);
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
      gtk_widget_hide(widgets_.outer(c));
    SetText(kLibraryDeleteButton, kSelectColumnCaption);
  }
}

void GtkShell::HideLibraryWindow() {
  if (library_.window) gtk_widget_hide(library_.window);
}

void GtkShell::CloseLibraryWindow() { DestroyWindow(library_, WindowId::Library); }

void GtkShell::QuitEventLoop() {
  StopAutorunTimer();
  if (gtk_main_level() > 0) gtk_main_quit();
}

}  // namespace zuno
