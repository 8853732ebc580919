#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

namespace zuno::testing {

ScriptedUi::ScriptedUi() {
  for (const ControlSpec& c : AllControls()) {
    text_[c.id] = std::string(c.caption);
    enabled_[c.id] = c.enabled;
    checked_[c.id] = c.checked;
    lists_[c.id] = {};
    selected_[c.id] = -1;
  }
  titles[WindowId::Main] = "ZUNO";
}

void ScriptedUi::ClearList(Control c) {
  Here();
  lists_[c].clear();
  selected_[c] = -1;
}

std::optional<std::string> ScriptedUi::AskText(std::string_view title, std::string_view prompt,
                                               std::string_view preset) {
  Here();
  prompts.push_back(std::string(title) + "|" + std::string(prompt) + "|" + std::string(preset));
  if (textAnswers.empty()) return {};
  std::string answer = textAnswers.front();
  textAnswers.pop_front();
  return answer;
}

bool ScriptedUi::AskYesNo(std::string_view question) {
  Here();
  questions.emplace_back(question);
  if (yesNoAnswers.empty()) return false;
  bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

void ScriptedUi::ShowTransaction(const TransactionState& t, bool connected) {
  Here();
  transaction = t;
  checked_[kAutocommitCheckBox] = t.autocommit;
  enabled_[kCommitButton] = enabled_[kRollbackButton] = connected && !t.autocommit;
}

Ui::TransactionChoice ScriptedUi::AskTransactionEnd(std::string_view question, bool offerCancel) {
  Here();
  transactionQuestions.emplace_back(question, offerCancel);
  if (transactionAnswers.empty()) return TransactionChoice::Keep;
  const TransactionChoice answer = transactionAnswers.front();
  transactionAnswers.pop_front();
  return answer;
}

std::optional<SaveChoice> ScriptedUi::ChooseSaveFile(std::string_view, std::string_view) {
  Here();
  if (fileAnswers.empty()) return std::nullopt;
  std::optional<std::string> path = fileAnswers.front();
  fileAnswers.pop_front();
  if (!path) return std::nullopt;
  if (fileTypeAnswers.empty()) return SaveChoice{*path};
  SaveChoice choice{*path, fileTypeAnswers.front(), true};
  fileTypeAnswers.pop_front();
  return choice;
}

void ScriptedUi::Here() const {
  if (std::this_thread::get_id() != owner_) ADD_FAILURE() << "the windows were called from a worker thread";
}

void ScriptedUi::ShowMessage(std::string_view text) {
  Here();
  messages.emplace_back(text);
  elapsedAtMessages.push_back(Text(kElapsedTimeText));
  if (busyOpen) messagesBehindBusyWindow.emplace_back(text);
}

void ScriptedUi::OpenBusyWindow() {
  Here();
  ++busyOpened;
  busyOpen = true;
}

void ScriptedUi::CloseBusyWindow() {
  Here();
  ++busyClosed;
  busyOpen = false;
}

void ScriptedUi::GiveWayToResult() {
  Here();
  ++gaveWay;
  if (busyOpen) CloseBusyWindow();
}

std::optional<std::function<void()>> ScriptedUi::TakePosted() {
  std::lock_guard lock(mutex_);
  if (posted_.empty()) return std::nullopt;
  std::function<void()> task = std::move(posted_.front());
  posted_.pop_front();
  return task;
}

void ScriptedUi::WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) {
  Here();
  ++waits;
  if (cancel) ++cancellableWaits;
  if (std::function<void()> hook = std::exchange(duringWait, nullptr)) hook();
  const auto began = std::chrono::steady_clock::now();
  bool escaped = false;
  while (!finished()) {
    if (std::optional<std::function<void()>> task = TakePosted()) {
      (*task)();
      continue;
    }
    const bool due = escapeWhen ? escapeWhen()
                                : escapeAfter && std::chrono::steady_clock::now() - began >= *escapeAfter;
    if (due && !escaped) {
      escaped = true;
      if (cancel) cancel();
      continue;
    }
    std::unique_lock lock(mutex_);
    woken_.wait_for(lock, std::chrono::milliseconds(5), [this] { return wakeRequested_ || !posted_.empty(); });
    wakeRequested_ = false;
  }
}

void ScriptedUi::Wake() {
  {
    std::lock_guard lock(mutex_);
    wakeRequested_ = true;
  }
  woken_.notify_all();
}

void ScriptedUi::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(task));
  }
  woken_.notify_all();
}

int ScriptedUi::RunPosted(std::chrono::milliseconds patience) {
  Here();
  const auto until = std::chrono::steady_clock::now() + patience;
  int ran = 0;
  for (;;) {
    if (std::optional<std::function<void()>> task = TakePosted()) {
      (*task)();
      ++ran;
      continue;
    }
    if (ran > 0) return ran;
    std::unique_lock lock(mutex_);
    if (!woken_.wait_until(lock, until, [this] { return !posted_.empty(); })) return ran;
  }
}

void ScriptedUi::StartAutorunTimer(int periodMs) {
  Here();
  timerPeriodMs = periodMs;
  ++timerStarts;
}

void ScriptedUi::OpenLibraryWindow(LibraryForm form) {
  Here();
  libraryOpen = true;
  libraryHidden = false;
  libraryForm = form;
  for (Control c : {kLibrarySaveButton, kLibraryLoadButton, kLibraryDeleteButton, kStoreModeButton,
                    kLibraryExitButton})
    text_[c] = std::string(ControlById(c).caption);
  lists_[kQueryNamesList].clear();
  selected_[kQueryNamesList] = -1;
  if (form == LibraryForm::ColumnChooser) text_[kLibraryDeleteButton] = std::string(kSelectColumnCaption);
}

}  // namespace zuno::testing
