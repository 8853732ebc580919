// The program's own windows, except that the modal dialogs are answered at
// once by the benchmark: a timed span then holds the program's work and none
// of a user's reading or typing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "session/ui.h"

namespace zuno::bench {

class AnsweringUi : public Ui {
 public:
  explicit AnsweringUi(Ui& windows) : windows_(windows) {}

  // Message box texts, in the order the program showed them.
  std::vector<std::string> messages;
  std::vector<std::string> notes;
  // What the questions are answered with; the text question keeps its preset
  // when no text is given, as OK on an untouched field does.
  bool yesNoAnswer = true;
  std::optional<std::string> textAnswer;
  std::optional<std::string> saveFileAnswer;

  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void ShowNote(std::string_view text) override { notes.emplace_back(text); }
  void CloseNotes() override { notes.clear(); }
  std::optional<std::string> AskText(std::string_view, std::string_view, std::string_view preset) override {
    return textAnswer ? *textAnswer : std::string(preset);
  }
  bool AskYesNo(std::string_view) override { return yesNoAnswer; }
  TransactionChoice AskTransactionEnd(std::string_view, bool) override { return TransactionChoice::Keep; }
  std::optional<SaveChoice> ChooseSaveFile(std::string_view, std::string_view) override {
    if (!saveFileAnswer) return std::nullopt;
    return SaveChoice{*saveFileAnswer};
  }

  std::string Text(Control c) const override { return windows_.Text(c); }
  void SetText(Control c, std::string_view text) override { windows_.SetText(c, text); }
  bool IsEnabled(Control c) const override { return windows_.IsEnabled(c); }
  void SetEnabled(Control c, bool enabled) override { windows_.SetEnabled(c, enabled); }
  bool IsChecked(Control c) const override { return windows_.IsChecked(c); }
  void Focus(Control c) override { windows_.Focus(c); }
  void SetWindowTitle(WindowId w, std::string_view title) override { windows_.SetWindowTitle(w, title); }
  TextRange EditorSelection() const override { return windows_.EditorSelection(); }
  void SelectEditorText(TextRange range) override { windows_.SelectEditorText(range); }
  std::vector<std::string> ListItems(Control c) const override { return windows_.ListItems(c); }
  void AppendListItem(Control c, std::string_view item) override { windows_.AppendListItem(c, item); }
  int SelectedListItem(Control c) const override { return windows_.SelectedListItem(c); }
  void ClearList(Control c) override { windows_.ClearList(c); }
  void SetClipboardText(std::string_view text) override { windows_.SetClipboardText(text); }
  void StartAutorunTimer(int periodMs) override { windows_.StartAutorunTimer(periodMs); }
  void StopAutorunTimer() override { windows_.StopAutorunTimer(); }
  void SetTimerFieldHighlighted(bool on) override { windows_.SetTimerFieldHighlighted(on); }
  void ShowPopupMenu() override { windows_.ShowPopupMenu(); }
  void ShowResultPages(const std::vector<PageTab>& tabs, int current) override {
    windows_.ShowResultPages(tabs, current);
  }
  void ShowTransaction(const TransactionState& t, bool connected) override { windows_.ShowTransaction(t, connected); }
  void OpenLibraryWindow(LibraryForm form) override { windows_.OpenLibraryWindow(form); }
  LibraryForm LibraryWindowForm() const override { return windows_.LibraryWindowForm(); }
  void HideLibraryWindow() override { windows_.HideLibraryWindow(); }
  void CloseLibraryWindow() override { windows_.CloseLibraryWindow(); }
  void HandOverClipboard() override { windows_.HandOverClipboard(); }
  void QuitEventLoop() override { windows_.QuitEventLoop(); }

 private:
  Ui& windows_;
};

}  // namespace zuno::bench
