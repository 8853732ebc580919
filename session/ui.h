// What handlers need from the windows. The GTK shell answers on screen; the
// scripted implementation in the tests answers from memory.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/result_grid.h"
#include "session/control_ids.h"
#include "session/text_range.h"
#include "session/transaction_state.h"

namespace zuno {

// The file types the save chooser offers: the report and CSV.
enum class SaveFileType { Report, Csv };

// The type a file name asks for: CSV for a name ending in ".csv" in any
// case, else the report.
SaveFileType SaveFileTypeOfName(std::string_view name);

struct SaveChoice {
  std::string path;
  SaveFileType type = SaveFileType::Report;
  bool typeChosen = false;  // the user picked the type; else the name's is taken
};

// One page of the result area as its tab shows it; grid is the page's own.
struct PageTab {
  std::string title;
  bool pinned = false;
  ResultGrid* grid = nullptr;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // Caption of a button or check box, text of a field, label or the SQL editor,
  // the entry text of a drop-down.
  virtual std::string Text(Control c) const = 0;
  virtual void SetText(Control c, std::string_view text) = 0;
  virtual bool IsEnabled(Control c) const = 0;
  virtual void SetEnabled(Control c, bool enabled) = 0;
  virtual bool IsChecked(Control c) const = 0;
  // The keyboard focus goes to the control.
  virtual void Focus(Control c) = 0;
  virtual void SetWindowTitle(WindowId w, std::string_view title) = 0;

  // The SQL editor's selection in its Text; begin and end both at the cursor
  // when nothing is selected.
  virtual TextRange EditorSelection() const = 0;
  // Selects the range and scrolls it into view.
  virtual void SelectEditorText(TextRange range) = 0;

  // Lists (Statement History, Query Names) and the drop-down lists.
  virtual std::vector<std::string> ListItems(Control c) const = 0;
  virtual void AppendListItem(Control c, std::string_view item) = 0;
  virtual int SelectedListItem(Control c) const = 0;  // -1 when none is selected
  virtual void ClearList(Control c) = 0;

  // Modal dialogs, each titled "ZUNO" unless a title is given.
  virtual void ShowMessage(std::string_view text) = 0;
  // What only informs (a row limit reached, result sets not shown) goes to a
  // bar over the result area, below the notes it shows already, and stops
  // nothing; failures keep their message box. The next run closes the bar.
  virtual void ShowNote(std::string_view text) = 0;
  virtual void CloseNotes() = 0;
  // Input dialog with one OK button; nullopt when it is closed without OK.
  virtual std::optional<std::string> AskText(std::string_view title, std::string_view prompt,
                                             std::string_view preset) = 0;
  virtual bool AskYesNo(std::string_view question) = 0;
  // Uncommitted work: "Commit", "Roll back" and, where offered, "Cancel".
  // Keep when the user cancels or closes the dialog.
  enum class TransactionChoice { Commit, RollBack, Keep };
  virtual TransactionChoice AskTransactionEnd(std::string_view question, bool offerCancel) = 0;
  // Save-file chooser with its file types; nullopt when the user cancels.
  virtual std::optional<SaveChoice> ChooseSaveFile(std::string_view title, std::string_view suggestedName) = 0;

  virtual void SetClipboardText(std::string_view text) = 0;

  // Autorun Timer 0: a repeating tick every periodMs milliseconds.
  virtual void StartAutorunTimer(int periodMs) = 0;
  virtual void StopAutorunTimer() = 0;
  // The Timer Seconds field's orange background while the timer is switched on.
  virtual void SetTimerFieldHighlighted(bool on) = 0;

  virtual void ShowPopupMenu() = 0;

  // The pages of the result area, in order, current being the one in front.
  // The tabs show for two pages or more; a page's tab shows its title, whether
  // it is pinned, and closes it.
  virtual void ShowResultPages(const std::vector<PageTab>& tabs, int current) = 0;

  // The transaction as the Main Window shows it: the Autocommit check box,
  // the indicator beside the status (TransactionIndicatorText, kept current
  // while a transaction is open), the title marked while work is
  // uncommitted (MarkedTitle over the title last set), Commit and Rollback
  // usable while connected with autocommit off.
  virtual void ShowTransaction(const TransactionState& t, bool connected) = 0;

  // Window 1, created anew each time (an existing one is destroyed first). In its
  // Column Chooser form only the list and the "Select Column" button show.
  enum class LibraryForm { Library, ColumnChooser };
  virtual void OpenLibraryWindow(LibraryForm form) = 0;
  // The form the library window was last opened in.
  virtual LibraryForm LibraryWindowForm() const = 0;
  virtual void HideLibraryWindow() = 0;
  virtual void CloseLibraryWindow() = 0;

  // End of the program: hand the clipboard's text to the desktop's clipboard
  // manager, then destroy the windows and leave the toolkit's loop.
  virtual void HandOverClipboard() = 0;
  virtual void QuitEventLoop() = 0;
};

// The text of the list's selected entry; empty when none is selected.
std::string SelectedListText(Ui& ui, Control list);

}  // namespace zuno
