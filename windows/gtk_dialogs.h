// The modal dialogs: the message box, the Yes/No question, the input dialog
// and the save-file chooser, each built at its first use and then shown and
// hidden. A destroyed one would leave its accessible object behind, without
// a window, wherever the accessibility bridge still holds it.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "session/ui.h"

namespace zuno {

class GtkDialogs {
 public:
  // owner: the window the dialogs belong to; parent: the window they stand
  // over, centred on it, when they open (Wayland lets no window place itself).
  GtkDialogs(GtkWindow* owner, std::function<GtkWindow*()> parent);
  ~GtkDialogs();
  GtkDialogs(const GtkDialogs&) = delete;
  GtkDialogs& operator=(const GtkDialogs&) = delete;

  void ShowMessage(std::string_view text);
  bool AskYesNo(std::string_view question);
  // "Commit", "Roll back" and, where offered, "Cancel" (the default, as
  // Escape and the close box are).
  Ui::TransactionChoice AskTransactionEnd(std::string_view question, bool offerCancel);
  std::optional<std::string> AskText(std::string_view title, std::string_view prompt, std::string_view preset);
  // The report is the file type offered first; the other is CSV. Until the
  // user picks one, the type follows the name as it is typed (CSV for a
  // name ending in ".csv").
  std::optional<SaveChoice> ChooseSaveFile(std::string_view title, std::string_view suggestedName);
  GtkWidget* fileChooser() const { return fileChooser_; }  // nullptr before its first use

 private:
  int Run(GtkWidget* dialog);
  void BuildInputDialog();

  GtkWindow* owner_;
  std::function<GtkWindow*()> parent_;
  GtkWidget* messageBox_ = nullptr;
  GtkWidget* questionBox_ = nullptr;
  GtkWidget* transactionBoxes_[2] = {};  // without and with Cancel
  struct {
    GtkWidget* dialog = nullptr;
    GtkWidget* prompt = nullptr;
    GtkWidget* entry = nullptr;
  } input_;
  void BuildFileChooser();
  void FollowFileName();

  GtkWidget* fileChooser_ = nullptr;
  GtkFileFilter* fileFilters_[2] = {};  // the report's and CSV's, owned by the chooser
  bool fileTypePicked_ = false;         // by the user, since the chooser opened
  bool fileTypeByName_ = false;         // the type is being set to follow the name
};

}  // namespace zuno
