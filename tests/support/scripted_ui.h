// The windows in memory: handlers run against it in tests exactly as against
// the GTK shell. Dialog answers are scripted; what was shown is recorded. The
// work of a job runs on a real second thread, and any call of the windows
// from a thread other than the one that made them fails the test.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "windows/control_table.h"
#include "session/job_host.h"
#include "session/ui.h"

namespace zuno::testing {

class ScriptedUi : public Ui, public JobHost {
 public:
  ScriptedUi();

  // Scripted answers, taken in order; an exhausted script answers like a
  // dialog closed by its frame (no text, No, cancelled chooser).
  std::deque<std::string> textAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<TransactionChoice> transactionAnswers;  // none left: Keep
  std::deque<SaveFileType> fileTypeAnswers;  // picked in the chooser; none left: the name says

  // What the handlers did.
  std::vector<std::string> messages;
  std::vector<std::string> notes;  // in the bar over the result area, since the last close
  int notesClosed = 0;
  std::vector<std::string> messagesBehindBusyWindow;  // shown while it was open
  std::vector<std::string> questions;  // of the Yes/No dialogs
  // Of the Commit / Roll back questions, each with whether Cancel was offered.
  std::vector<std::pair<std::string, bool>> transactionQuestions;
  TransactionState transaction;  // as last shown
  // The Main Window's title as shown at now, marked by the transaction.
  std::string ShownTitle(std::int64_t now) const { return MarkedTitle(titles.at(WindowId::Main), transaction, now); }
  std::vector<std::string> prompts;  // "title|prompt|preset" of each input dialog
  int busyOpened = 0;
  int busyClosed = 0;
  bool busyOpen = false;
  int gaveWay = 0;  // times the busy window gave way to a result
  // The elapsed-time text as each message appeared.
  std::vector<std::string> elapsedAtMessages;
  std::string clipboard;
  bool clipboardHandedOver = false;
  bool quit = false;
  std::optional<Control> focused;  // where Focus put the keyboard focus last
  int timerPeriodMs = 0;  // 0 while the Autorun Timer is off
  int timerStarts = 0;
  bool timerFieldHighlighted = false;
  int popupShown = 0;
  std::vector<PageTab> pageTabs;  // as last shown
  int currentPageTab = -1;
  std::map<WindowId, std::string> titles;
  bool libraryOpen = false;
  bool libraryHidden = false;
  LibraryForm libraryForm = LibraryForm::Library;

  void SetChecked(Control c, bool on) { checked_[c] = on; }
  void SelectListItem(Control c, int index) { selected_[c] = index; }

  std::string Text(Control c) const override { return Here(), text_.at(c); }
  void SetText(Control c, std::string_view text) override { Here(), text_[c] = std::string(text); }
  bool IsEnabled(Control c) const override { return Here(), enabled_.at(c); }
  void SetEnabled(Control c, bool enabled) override { Here(), enabled_[c] = enabled; }
  bool IsChecked(Control c) const override { return Here(), checked_.at(c); }
  void Focus(Control c) override { Here(), focused = c; }
  void SetWindowTitle(WindowId w, std::string_view title) override { Here(), titles[w] = std::string(title); }
  // The editor's selection (or cursor) as the user left it, and as a handler set it.
  TextRange editorSelection;
  TextRange EditorSelection() const override { return Here(), editorSelection; }
  void SelectEditorText(TextRange range) override { Here(), editorSelection = range; }
  std::vector<std::string> ListItems(Control c) const override { return Here(), lists_.at(c); }
  void AppendListItem(Control c, std::string_view item) override { Here(), lists_[c].emplace_back(item); }
  int SelectedListItem(Control c) const override { return Here(), selected_.at(c); }
  void ClearList(Control c) override;
  void ShowMessage(std::string_view text) override;
  void ShowNote(std::string_view text) override { Here(), notes.emplace_back(text); }
  void CloseNotes() override { Here(), notes.clear(), ++notesClosed; }
  std::optional<std::string> AskText(std::string_view title, std::string_view prompt,
                                     std::string_view preset) override;
  bool AskYesNo(std::string_view question) override;
  TransactionChoice AskTransactionEnd(std::string_view question, bool offerCancel) override;
  void ShowTransaction(const TransactionState& t, bool connected) override;
  std::optional<SaveChoice> ChooseSaveFile(std::string_view title, std::string_view suggestedName) override;
  void SetClipboardText(std::string_view text) override { Here(), clipboard = std::string(text); }
  void StartAutorunTimer(int periodMs) override;
  void StopAutorunTimer() override { Here(), timerPeriodMs = 0; }
  void SetTimerFieldHighlighted(bool on) override { Here(), timerFieldHighlighted = on; }
  void ShowPopupMenu() override { Here(), ++popupShown; }
  void ShowResultPages(const std::vector<PageTab>& tabs, int current) override {
    Here(), pageTabs = tabs, currentPageTab = current;
  }
  void OpenLibraryWindow(LibraryForm form) override;
  LibraryForm LibraryWindowForm() const override { return Here(), libraryForm; }
  void HideLibraryWindow() override { Here(), libraryHidden = true; }
  void CloseLibraryWindow() override { Here(), libraryOpen = false; }
  void HandOverClipboard() override { Here(), clipboardHandedOver = true; }
  void QuitEventLoop() override { Here(), quit = true; }

  // JobHost. The wait runs what was posted meanwhile, as the main loop would.
  void OpenBusyWindow() override;
  void CloseBusyWindow() override;
  void GiveWayToResult() override;
  void WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) override;
  void Wake() override;
  void Post(std::function<void()> task) override;
  int waits = 0;
  int cancellableWaits = 0;
  // Escape in the busy window, pressed this long after a wait began.
  std::optional<std::chrono::milliseconds> escapeAfter;
  // Escape pressed as soon as this holds, asked on the windows' thread at
  // each look at the work.
  std::function<bool()> escapeWhen;
  // Called once on the windows' thread as the next wait begins (a close
  // request, a timer tick arriving during the work).
  std::function<void()> duringWait;
  // Runs what was posted, waiting up to patience for the first task; the
  // count run.
  int RunPosted(std::chrono::milliseconds patience = std::chrono::milliseconds(0));

 private:
  // Each control's state; the const readers find every control here.
  std::map<Control, std::string> text_;
  std::map<Control, bool> enabled_;
  std::map<Control, bool> checked_;
  std::map<Control, std::vector<std::string>> lists_;
  std::map<Control, int> selected_;
  // Fails the test when called off the thread the windows were made on.
  void Here() const;
  std::thread::id owner_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable woken_;
  std::deque<std::function<void()>> posted_;
  bool wakeRequested_ = false;
  std::optional<std::function<void()>> TakePosted();
};

}  // namespace zuno::testing
