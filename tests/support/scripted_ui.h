// The windows in memory: handlers run against it in tests exactly as against
// the GTK shell. Dialog answers are scripted; what was shown is recorded.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/control_table.h"
#include "app/ui.h"

namespace zuno::testing {

class ScriptedUi : public Ui {
 public:
  ScriptedUi();

  // Scripted answers, taken in order; an exhausted script answers like a
  // dialog closed by its frame (empty text, No, cancelled chooser).
  std::deque<std::string> textAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> fileAnswers;

  // What the handlers did.
  std::vector<std::string> messages;
  std::vector<std::string> questions;  // of the Yes/No dialogs
  std::vector<std::string> prompts;  // "title|prompt|preset" of each input dialog
  int busyOpened = 0;
  int busyClosed = 0;
  bool busyOpen = false;
  std::string clipboard;
  bool clipboardHandedOver = false;
  bool quit = false;
  int timerPeriodMs = 0;  // 0 while the Autorun Timer is off
  int timerStarts = 0;
  bool timerFieldHighlighted = false;
  int popupShown = 0;
  std::map<WindowId, std::string> titles;
  bool libraryOpen = false;
  bool libraryHidden = false;
  LibraryForm libraryForm = LibraryForm::Library;

  void SetChecked(Control c, bool on) { checked_[c] = on; }
  void SelectListItem(Control c, int index) { selected_[c] = index; }

  std::string Text(Control c) const override { return text_[c]; }
  void SetText(Control c, std::string_view text) override { text_[c] = std::string(text); }
  bool IsEnabled(Control c) const override { return enabled_[c]; }
  void SetEnabled(Control c, bool enabled) override { enabled_[c] = enabled; }
  bool IsChecked(Control c) const override { return checked_[c]; }
  void SetWindowTitle(WindowId w, std::string_view title) override { titles[w] = std::string(title); }
  std::vector<std::string> ListItems(Control c) const override { return lists_[c]; }
  void AppendListItem(Control c, std::string_view item) override { lists_[c].emplace_back(item); }
  int SelectedListItem(Control c) const override { return selected_[c]; }
  void ClearList(Control c) override;
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  std::string AskText(std::string_view title, std::string_view prompt,
                      std::string_view preset) override;
  bool AskYesNo(std::string_view question) override;
  std::optional<std::string> ChooseSaveFile(std::string_view title,
                                            std::string_view suggestedName) override;
  void OpenBusyWindow() override;
  void CloseBusyWindow() override;
  // Runs the work at once; a cancel set by the test is called first.
  void RunBlocking(const std::function<void()>& work, const std::function<void()>& cancel) override;
  int blockingCalls = 0;
  int cancellableCalls = 0;
  void SetClipboardText(std::string_view text) override { clipboard = std::string(text); }
  void StartAutorunTimer(int periodMs) override;
  void StopAutorunTimer() override { timerPeriodMs = 0; }
  void SetTimerFieldHighlighted(bool on) override { timerFieldHighlighted = on; }
  void ShowPopupMenu() override { ++popupShown; }
  void OpenLibraryWindow(LibraryForm form) override;
  LibraryForm LibraryWindowForm() const override { return libraryForm; }
  void HideLibraryWindow() override { libraryHidden = true; }
  void CloseLibraryWindow() override { libraryOpen = false; }
  void HandOverClipboard() override { clipboardHandedOver = true; }
  void QuitEventLoop() override { quit = true; }

 private:
  std::array<std::string, kControlCount> text_;
  std::array<bool, kControlCount> enabled_{};
  std::array<bool, kControlCount> checked_{};
  std::array<std::vector<std::string>, kControlCount> lists_;
  std::array<int, kControlCount> selected_;
};

}  // namespace zuno::testing
