// The GTK side of the windows: creates windows 0, 1 and 2, answers the handlers
// through Ui, and turns the toolkit's signals into events for the loop.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <vector>

#include "app/catalog_completion.h"
#include "app/editor_keys.h"
#include "session/event_loop.h"
#include "app/gtk_windows.h"
#include "session/job_host.h"
#include "session/ui.h"
#include "grid/click_tracker.h"
#include "grid/gtk_result_grid.h"

namespace zuno {

class GtkShell : public Ui, public JobHost {
 public:
  explicit GtkShell(EventLoop& loop);
  ~GtkShell() override;
  GtkShell(const GtkShell&) = delete;
  GtkShell& operator=(const GtkShell&) = delete;

  ResultGrid& grid() { return *grid_; }
  GtkResultGrid& gtkGrid() { return *grid_; }
  GtkWidget* mainWindow() const { return main_.window; }
  GtkWidget* libraryWindow() const { return library_.window; }
  GtkWidget* busyWindow() const { return BusyShown() ? busy_.window : nullptr; }
  GtkWidget* outer(Control c) const { return widgets_.outer[c]; }
  GtkWidget* inner(Control c) const { return widgets_.inner[c]; }
  GtkWidget* popupMenu() const { return popup_; }
  bool timerRunning() const { return timerSource_ != 0; }
  CatalogCompletion& completion() { return *completion_; }

  // Start-up helpers that are not handler business.
  void PrependListItem(Control c, std::string_view item);
  void ClearDropDown(Control c);
  void ShowLogo(GdkPixbuf* pixbuf);
  void FocusControl(Control c);
  void CreatePopupMenu();
  void ShowMainWindow();
  // What the SQL editor's completion reads names from.
  void SetCatalogSource(CatalogCompletion::SourceOf source, JobRunner& jobs) {
    completion_->SetSource(std::move(source), jobs);
  }

  // Lays the Main Window's controls out for its client size.
  void ApplyResizeRule(int width, int height);

  // Ui
  std::string Text(Control c) const override;
  void SetText(Control c, std::string_view text) override;
  bool IsEnabled(Control c) const override;
  void SetEnabled(Control c, bool enabled) override;
  bool IsChecked(Control c) const override;
  void SetWindowTitle(WindowId w, std::string_view title) override;
  std::vector<std::string> ListItems(Control c) const override;
  void AppendListItem(Control c, std::string_view item) override;
  int SelectedListItem(Control c) const override;
  void ClearList(Control c) override;
  void ShowMessage(std::string_view text) override;
  std::string AskText(std::string_view title, std::string_view prompt,
                      std::string_view preset) override;
  bool AskYesNo(std::string_view question) override;
  std::optional<SaveChoice> ChooseSaveFile(std::string_view title, std::string_view suggestedName) override;
  void SetClipboardText(std::string_view text) override;
  void StartAutorunTimer(int periodMs) override;
  void StopAutorunTimer() override;
  void SetTimerFieldHighlighted(bool on) override;
  void ShowPopupMenu() override;
  void OpenLibraryWindow(LibraryForm form) override;
  LibraryForm LibraryWindowForm() const override { return libraryForm_; }
  void HideLibraryWindow() override;
  void CloseLibraryWindow() override;
  void HandOverClipboard() override;
  void QuitEventLoop() override;

  // JobHost
  void OpenBusyWindow() override;
  void CloseBusyWindow() override;
  void WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) override;
  void Wake() override;
  void Post(std::function<void()> task) override;

 private:
  void ConnectControlSignals(WindowId window, Control c);
  void DeliverControl(WindowId window, Control c, Action a);
  void ReportCloseRequests(GtkWidget* window, WindowId id);
  bool KeepCloseOutsideGrab(GdkEvent* e);
  void DestroyWindow(BuiltWindow& w, WindowId id);
  void ForgetControls(WindowId id);
  void BuildBusyWindow();
  void BuildInputDialog();
  int RunDialog(GtkWidget* dialog);
  void OnClientAllocated(Size size);
  void ConnectEditorKeys();
  bool OnEditorCommand(EditorCommand command);
  // Dialogs stand over the window the user works in, centred on it: Wayland
  // lets no window place itself.
  GtkWindow* DialogParent() const;

  EventLoop& loop_;
  ControlWidgets widgets_;
  BuiltWindow main_;
  BuiltWindow library_;
  LibraryForm libraryForm_ = LibraryForm::Library;
  BuiltWindow busy_;  // built at its first use, then shown and hidden
  bool BusyShown() const { return busy_.window && gtk_widget_get_visible(busy_.window); }
  // The dialogs, built at their first use, then shown and hidden.
  GtkWidget* messageBox_ = nullptr;
  GtkWidget* questionBox_ = nullptr;
  struct {
    GtkWidget* dialog = nullptr;
    GtkWidget* prompt = nullptr;
    GtkWidget* entry = nullptr;
  } input_;
  GtkWidget* fileChooser_ = nullptr;
  GtkFileFilter* reportFilter_ = nullptr;  // owned by the chooser
  std::unique_ptr<GtkResultGrid> grid_;
  std::unique_ptr<CatalogCompletion> completion_;
  std::vector<std::unique_ptr<ClickTracker>> mainClicks_;
  std::vector<std::unique_ptr<ClickTracker>> libraryClicks_;
  GtkWidget* popup_ = nullptr;
  // What Escape in the busy window cancels while a wait runs.
  std::function<void()> cancel_;
  guint timerSource_ = 0;
  Size clientSize_{};  // the Main Window's client size the controls are laid out for
  guint resizeSource_ = 0;
  bool quitting_ = false;
};

}  // namespace zuno
