#include "windows/control_table.h"

#include <array>

#include "windows/version.h"

namespace zuno {
namespace {

using K = ControlKind;
constexpr WindowId M = WindowId::Main;
constexpr WindowId L = WindowId::Library;
constexpr WindowId B = WindowId::Busy;

constexpr std::array<ControlSpec, kControlCount> kControls{{
    {kHistoryList, M, K::List, "Statement History list", "", {15, 10, 630, 85}},
    {kConnectButton, M, K::Button, "Connect button", "Connect", {660, 105, 145, 25}},
    {kRunButton, M, K::Button, "Run button", "Run", {660, 235, 145, 25}, false},
    {kExitButton, M, K::Button, "Exit button", "Exit", {660, 470, 145, 25}},
    {kDataSourceBox, M, K::ComboEntry, "Data Source box", "", {660, 10, 145, 25}},
    {kUserField, M, K::Entry, "User field", "", {660, 40, 145, 25}},
    {kPasswordField, M, K::PasswordEntry, "Password field", "", {660, 70, 145, 25}},
    {kConnectionStatusText, M, K::LabelLeft, "Connection Status text", "not connected", {245, 470, 175, 25}},
    {kResultGrid, M, K::Grid, "Result Grid", "", {15, 205, 630, 255}},
    {kRowsToFetchBox, M, K::ComboEntry, "Rows To Fetch box", "", {555, 500, 90, 25}, true, false, true},
    {kRowsToFetchLabel, M, K::LabelLeft, "Rows To Fetch label", "Rows to fetch:", {455, 505, 95, 25}},
    {kSqlEditor, M, K::Editor, "SQL editor", "", {15, 105, 630, 90}},
    {kLogoImage, M, K::Image, "Logo image", "", {15, 470, 218, 76}},
    {kRowCountText, M, K::LabelLeft, "Row Count text", "Row Count: 0", {245, 500, 175, 25}},
    {kVersionText, M, K::LabelRight, "Version text", kVersionCaption, {715, 530, 90, 20}},
    {kTimerCheckBox, M, K::CheckBox, "Timer check box", "Timer Sec.:", {455, 470, 95, 25}},
    {kTimerSecondsField, M, K::DigitsEntry, "Timer Seconds field", "30", {575, 470, 70, 25}},
    {kCatalogButton, M, K::Button, "Catalog button", "Catalog", {660, 295, 145, 25}, false},
    {kCreatorsButton, M, K::Button, "Creators button", "Creators", {660, 330, 145, 25}, false},
    {kLastCreatorButton, M, K::Button, "Last Creator button", "Last Creator", {660, 365, 145, 25}, false},
    {kQueryAutorunCheckBox, M, K::CheckBox, "Query Autorun check box", "Query Autorun", {665, 270, 145, 15}, true, true},
    {kEditSqlButton, M, K::Button, "Edit SQL button", "Edit SQL", {660, 140, 145, 25}},
    {kFormatSqlButton, M, K::Button, "Format SQL button", "Format SQL", {660, 175, 145, 25}},
    {kElapsedTimeText, M, K::LabelRight, "Elapsed Time text", "SQL Elapse Time", {660, 505, 145, 20}},
    {kSaveReportButton, M, K::Button, "Save Report button", "Save report as File", {660, 400, 145, 25}, false},
    {kDb2CommandCheckBox, M, K::CheckBox, "DB2 Command check box", "DB2 Command", {665, 210, 145, 15}},
    {kSaveLoadQueryButton, M, K::Button, "Save/Load Query button", "Save/Load Query", {660, 435, 145, 25}, false},
    {kColoredDatatypesCheckBox, M, K::CheckBox, "Colored Datatypes check box", "Colored Datatypes", {245, 525, 175, 25}, true, true},
    {kLibrarySaveButton, L, K::Button, "Save button", "Save", {15, 340, 105, 25}},
    {kLibraryLoadButton, L, K::Button, "Load button", "Load", {130, 340, 105, 25}},
    {kLibraryDeleteButton, L, K::Button, "Delete button", "Delete", {245, 340, 120, 25}},
    {kStoreModeButton, L, K::Button, "Store Mode button", "Local", {375, 340, 100, 25}},
    {kLibraryExitButton, L, K::Button, "Library Exit button", "Exit", {485, 340, 100, 25}},
    {kQueryNamesList, L, K::List, "Query Names list", "", {15, 10, 570, 320}},
    {kBusyText, B, K::LabelCentre, "busy window text", "ZUNO", {5, 5, 240, 20}},
}};

constexpr std::array<WindowSpec, 3> kWindows{{
    {WindowId::Main, "ZUNO", {820, 555}},
    {WindowId::Library, "ZUNO", {600, 380}},
    {WindowId::Busy, "running...", {250, 30}},
}};

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
const ControlSpec& ControlById(Control id) { return kControls[static_cast<int>(id)]; }
const WindowSpec& WindowById(WindowId id) { return kWindows[static_cast<int>(id)]; }
std::span<const PopupMenuEntry> PopupMenuEntries() { return kPopup; }

}  // namespace zuno
