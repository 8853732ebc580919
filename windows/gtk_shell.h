// The GTK side of the windows: creates windows 0, 1 and 2, answers the handlers
// through Ui, and turns the toolkit's signals into events for the loop. It
// wires the parts together; each part (dialogs, busy window, popup menu,
// controls' values, timer, clipboard, the layout, the notes bar) has a file of its own.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/click_tracker.h"
#include "grid/gtk_result_grid.h"
#include "session/event_loop.h"
#include "session/job_host.h"
#include "session/ui.h"
#include "windows/busy_window.h"
#include "windows/catalog_completion.h"
#include "windows/editor_keys.h"
#include "windows/editor_search.h"
#include "windows/gtk_dialogs.h"
#include "windows/gtk_windows.h"
#include "windows/popup_menu.h"
#include "windows/repeating_timer.h"
#include "windows/result_notebook.h"
#include "windows/transaction_controls.h"
#include "windows/notes_bar.h"
#include "windows/window_place.h"

namespace zuno {

class GtkShell : public Ui, public JobHost {
 public:
  explicit GtkShell(EventLoop& loop);
  ~GtkShell() override;
  GtkShell(const GtkShell&) = delete;
  GtkShell& operator=(const GtkShell&) = delete;

  // A new result page's grid (what the result pages make theirs with).
  std::unique_ptr<ResultGrid> MakePageGrid() { return pages_->MakePage(); }
  // The grid of the page in front; there is one once a page was made.
  GtkResultGrid& gtkGrid() { return *pages_->Current(); }
  const ResultNotebook& resultPages() const { return *pages_; }
  GtkWidget* mainWindow() const { return main_.window; }
  GtkWidget* libraryWindow() const { return library_.window; }
  GtkWidget* busyWindow() const { return busy_->Shown() ? busy_->window() : nullptr; }
  GtkWidget* outer(Control c) const { return widgets_.outer(c); }
  GtkWidget* inner(Control c) const { return widgets_.inner(c); }
  const MainWindowParts& mainParts() const { return main_.parts; }
  const NotesBar& notes() const { return *notes_; }
  GtkWidget* popupMenu() const { return popup_ ? popup_->menu() : nullptr; }
  bool timerRunning() const { return timer_.running(); }
  CatalogCompletion& completion() { return *completion_; }
  EditorSearch& search() { return *search_; }

  // Start-up helpers that are not handler business.
  void PrependListItem(Control c, std::string_view item);
  void ClearDropDown(Control c);
  void ShowLogo(GdkPixbuf* pixbuf);
  void CreatePopupMenu();
  void ShowMainWindow();
  // The SQL editor's cursor, in characters from the start of its text.
  int EditorCursor() const;
  void PlaceEditorCursor(int offset);
  // What the SQL editor's completion reads names from.
  void SetCatalogSource(CatalogCompletion::SourceOf source, JobRunner& jobs) {
    completion_->SetSource(std::move(source), jobs);
  }

  // The Main Window's size, maximised state and split, as the user left
  // them; a place restored before the window shows is where it opens.
  MainWindowPlace Place() const;
  void RestorePlace(const MainWindowPlace& place);
  // Called when the user moves a split or sizes the window.
  void OnPlaceChanged(std::function<void()> changed);

  // Ui
  std::string Text(Control c) const override;
  void SetText(Control c, std::string_view text) override;
  bool IsEnabled(Control c) const override;
  void SetEnabled(Control c, bool enabled) override;
  bool IsChecked(Control c) const override;
  void Focus(Control c) override;
  void SetWindowTitle(WindowId w, std::string_view title) override;
  TextRange EditorSelection() const override;
  void SelectEditorText(TextRange range) override;
  std::vector<std::string> ListItems(Control c) const override;
  void AppendListItem(Control c, std::string_view item) override;
  int SelectedListItem(Control c) const override;
  void ClearList(Control c) override;
  void ShowMessage(std::string_view text) override;
  void ShowNote(std::string_view text) override { notes_->Add(text); }
  void CloseNotes() override { notes_->Close(); }
  std::optional<std::string> AskText(std::string_view title, std::string_view prompt,
                                     std::string_view preset) override;
  bool AskYesNo(std::string_view question) override;
  TransactionChoice AskTransactionEnd(std::string_view question, bool offerCancel) override;
  void ShowTransaction(const TransactionState& t, bool connected) override;
  std::optional<SaveChoice> ChooseSaveFile(std::string_view title, std::string_view suggestedName) override;
  void SetClipboardText(std::string_view text) override;
  void StartAutorunTimer(int periodMs) override;
  void StopAutorunTimer() override;
  void SetTimerFieldHighlighted(bool on) override;
  void ShowPopupMenu() override;
  void ShowResultPages(const std::vector<PageTab>& tabs, int current) override;
  void OpenLibraryWindow(LibraryForm form) override;
  LibraryForm LibraryWindowForm() const override { return libraryForm_; }
  void HideLibraryWindow() override;
  void CloseLibraryWindow() override;
  void HandOverClipboard() override;
  void QuitEventLoop() override;

  // JobHost
  void OpenBusyWindow() override;
  void CloseBusyWindow() override;
  void GiveWayToResult() override;
  void WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) override;
  void Wake() override;
  void Post(std::function<void()> task) override;

 private:
  template <class F>
  void Guarded(std::string_view where, F&& call) noexcept;
  void Tell(const std::string& message);
  void ConnectControlSignals(WindowId window, Control c);
  void DeliverControl(WindowId window, Control c, Action a);
  void ReportCloseRequests(GtkWidget* window, WindowId id);
  void WatchPlace();
  void TellPlaceChanged();
  bool KeepCloseOutsideGrab(GdkEvent* e);
  void DestroyWindow(BuiltWindow& w, WindowId id);
  void ForgetControls(WindowId id);
  void ConnectEditorKeys();
  void PutCurrentGrid();
  bool OnEditorCommand(EditorCommand command);
  void AskForLine();
  // Dialogs stand over the window the user works in, centred on it: Wayland
  // lets no window place itself.
  GtkWindow* DialogParent() const;

  EventLoop& loop_;
  ControlWidgets widgets_;
  BuiltWindow main_;
  BuiltWindow library_;
  LibraryForm libraryForm_ = LibraryForm::Library;
  std::unique_ptr<GtkBusyWindow> busy_;
  std::unique_ptr<GtkDialogs> dialogs_;
  std::unique_ptr<ResultNotebook> pages_;
  std::unique_ptr<CatalogCompletion> completion_;
  std::unique_ptr<EditorSearch> search_;
  std::vector<std::unique_ptr<ClickTracker>> mainClicks_;
  std::vector<std::unique_ptr<ClickTracker>> libraryClicks_;
  std::unique_ptr<GtkPopupMenu> popup_;
  RepeatingTimer timer_;
  std::unique_ptr<NotesBar> notes_;
  int restoredWidth_ = 0;  // the size when last not maximised
  int restoredHeight_ = 0;
  std::function<void()> placeChanged_;
  MainWindowPlace toldPlace_;  // as last told
  std::unique_ptr<TransactionControls> transaction_;
  std::string mainTitle_ = "ZUNO";  // as last set, without the mark of uncommitted work
};

}  // namespace zuno
