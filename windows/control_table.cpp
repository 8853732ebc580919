#include "windows/control_table.h"

#include <array>
#include <cstdlib>

#include "windows/version.h"

namespace zuno {
namespace {

using K = ControlKind;
constexpr WindowId M = WindowId::Main;
constexpr WindowId L = WindowId::Library;
constexpr WindowId B = WindowId::Busy;

constexpr ControlSpec kControls[] = {
    {kHistoryList, M, K::List, "Statement History list", ""},
    {kConnectButton, M, K::Button, "Connect button", "Connect", 'C'},
    {kRunButton, M, K::Button, "Run button", "Run", 'R', false},
    {kExitButton, M, K::Button, "Exit button", "Exit", 'x'},
    {kDataSourceBox, M, K::ComboEntry, "Data Source box", ""},
    {kUserField, M, K::Entry, "User field", ""},
    {kPasswordField, M, K::PasswordEntry, "Password field", ""},
    {kConnectionStatusText, M, K::LabelLeft, "Connection Status text", "not connected"},
    {kResultGrid, M, K::Grid, "Result Grid", ""},
    {kRowsToFetchBox, M, K::ComboEntry, "Rows To Fetch box", "", 0, true, false, true},
    {kRowsToFetchLabel, M, K::LabelLeft, "Rows To Fetch label", "Rows to fetch:"},
    {kSqlEditor, M, K::Editor, "SQL editor", ""},
    {kLogoImage, M, K::Image, "Logo image", ""},
    {kRowCountText, M, K::LabelLeft, "Row Count text", "Row Count: 0"},
    {kVersionText, M, K::LabelRight, "Version text", kVersionCaption},
    {kTimerCheckBox, M, K::CheckBox, "Timer check box", "Timer Sec.:", 'T'},
    {kTimerSecondsField, M, K::DigitsEntry, "Timer Seconds field", "30"},
    {kCatalogButton, M, K::Button, "Catalog button", "Catalog", 'a', false},
    {kCreatorsButton, M, K::Button, "Creators button", "Creators", 's', false},
    {kLastCreatorButton, M, K::Button, "Last Creator button", "Last Creator", 'L', false},
    {kQueryAutorunCheckBox, M, K::CheckBox, "Query Autorun check box", "Query Autorun", 'u', true, true},
    {kEditSqlButton, M, K::Button, "Edit SQL button", "Edit SQL", 'E'},
    {kFormatSqlButton, M, K::Button, "Format SQL button", "Format SQL", 'F'},
    {kElapsedTimeText, M, K::LabelRight, "Elapsed Time text", "SQL Elapse Time"},
    {kSaveReportButton, M, K::Button, "Save Report button", "Save report as File", 'p', false},
    {kDb2CommandCheckBox, M, K::CheckBox, "DB2 Command check box", "DB2 Command", 'D'},
    {kSaveLoadQueryButton, M, K::Button, "Save/Load Query button", "Save/Load Query", 'Q', false},
    {kColoredDatatypesCheckBox, M, K::CheckBox, "Colored Datatypes check box", "Colored Datatypes", 'o', true, true},
    {kAutocommitCheckBox, M, K::CheckBox, "Autocommit check box", "Autocommit", 'i', true, true},
    {kCommitButton, M, K::Button, "Commit button", "Commit", 'm', false},
    {kRollbackButton, M, K::Button, "Rollback button", "Rollback", 'b', false},
    {kTransactionText, M, K::LabelLeft, "Transaction text", ""},
    {kLibrarySaveButton, L, K::Button, "Save button", "Save", 'S'},
    {kLibraryLoadButton, L, K::Button, "Load button", "Load", 'L'},
    {kLibraryDeleteButton, L, K::Button, "Delete button", "Delete", 'e'},
    {kStoreModeButton, L, K::Button, "Store Mode button", "Local", 'a'},
    {kLibraryExitButton, L, K::Button, "Library Exit button", "Exit", 'x'},
    {kQueryNamesList, L, K::List, "Query Names list", ""},
    {kBusyText, B, K::LabelCentre, "busy window text", "ZUNO"},
};

constexpr WindowSpec kWindows[] = {
    {WindowId::Main, "ZUNO", 820, 555},
    {WindowId::Library, "ZUNO", 600, 380},
    {WindowId::Busy, "running...", 250, 30},
};

constexpr std::array<PopupMenuEntry, 14> kPopup{{
    {kCopyToClipboard, "Copy to Clipboard"},
    {kCopyCell, "Copy Cell"},
    {kShowInEditor, "Show in Editor"},
    {kCopyAndFormat, "Copy and Format to Current Query"},
    {0, ""},
    {kGenerateInsert, "Generate Insert SQL"},
    {kGenerateUpdate, "Generate Update SQL"},
    {kGenerateDelete, "Generate Delete SQL"},
    {0, ""},
    {kAutosizeColumns, "Autosize Columns"},
    {kFixedColumnSize, "Fixed Column Size"},
    {0, ""},
    {kTableDetails, "Table Details (F4)"},
    {kSchemaObjects, "Views and Routines"},
}};

struct Hint {
  Control id;
  std::string_view text;
};

constexpr Hint kHints[] = {
    {kDataSourceBox, "Data source"},
    {kUserField, "User"},
    {kPasswordField, "Password"},
    {kSqlEditor, "The SQL to run: Ctrl+Return or F5 runs it, Ctrl+Space offers table and column names"},
    {kHistoryList, "The statements that ran: a double-click puts one back into the SQL editor"},
};

}  // namespace

std::string_view ControlHint(Control id) {
  for (const Hint& h : kHints)
    if (h.id == id) return h.text;
  return {};
}

std::span<const ControlSpec> AllControls() { return kControls; }

const ControlSpec& ControlById(Control id) {
  for (const ControlSpec& c : kControls)
    if (c.id == id) return c;
  std::abort();  // every control stands in the table
}

const WindowSpec& WindowById(WindowId id) {
  for (const WindowSpec& w : kWindows)
    if (w.id == id) return w;
  std::abort();
}

std::string MnemonicCaption(std::string_view caption, char key) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  std::string out;
  bool marked = key == 0;
  for (char c : caption) {
    if (!marked && lower(c) == lower(key)) {
      out += '_';
      marked = true;
    }
    out += c;
    if (c == '_') out += '_';
  }
  return out;
}

std::string KeyTooltip(std::string_view hint, char key) {
  const char upper = key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
  const std::string keys = std::string("Alt+") + upper;
  return hint.empty() ? keys : std::string(hint) + " (" + keys + ")";
}
std::span<const PopupMenuEntry> PopupMenuEntries() { return kPopup; }

}  // namespace zuno
