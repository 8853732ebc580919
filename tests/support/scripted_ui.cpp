#include "tests/support/scripted_ui.h"

namespace zuno::testing {

ScriptedUi::ScriptedUi() {
  selected_.fill(-1);
  for (const ControlSpec& c : AllControls()) {
    text_[c.id] = std::string(c.caption);
    enabled_[c.id] = c.enabled;
    checked_[c.id] = c.checked;
  }
  titles[WindowId::Main] = "ZUNO";
}

void ScriptedUi::ClearList(Control c) {
  lists_[c].clear();
  selected_[c] = -1;
}

std::string ScriptedUi::AskText(std::string_view title, std::string_view prompt,
                                std::string_view preset) {
  prompts.push_back(std::string(title) + "|" + std::string(prompt) + "|" + std::string(preset));
  if (textAnswers.empty()) return {};
  std::string answer = textAnswers.front();
  textAnswers.pop_front();
  return answer;
}

bool ScriptedUi::AskYesNo(std::string_view question) {
  questions.emplace_back(question);
  if (yesNoAnswers.empty()) return false;
  bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUi::ChooseSaveFile(std::string_view, std::string_view) {
  if (fileAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

void ScriptedUi::RunBlocking(const std::function<void()>& work, const std::function<void()>& cancel) {
  ++blockingCalls;
  if (cancel) ++cancellableCalls;
  work();
}

void ScriptedUi::OpenBusyWindow() {
  ++busyOpened;
  busyOpen = true;
}

void ScriptedUi::CloseBusyWindow() {
  ++busyClosed;
  busyOpen = false;
}

void ScriptedUi::StartAutorunTimer(int periodMs) {
  timerPeriodMs = periodMs;
  ++timerStarts;
}

void ScriptedUi::OpenLibraryWindow(LibraryForm form) {
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
