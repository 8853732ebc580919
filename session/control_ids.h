// Every window and control has one program-wide number; handlers name them by role.
#pragma once

namespace zuno {

enum class WindowId { Main = 0, Library = 1, Busy = 2 };

enum Control : int {
  kHistoryList = 0,
  kConnectButton = 1,
  kRunButton = 2,
  kExitButton = 3,
  kDataSourceBox = 4,
  kUserField = 5,
  kPasswordField = 6,
  kConnectionStatusText = 7,
  kResultGrid = 8,
  kRowsToFetchBox = 9,
  kRowsToFetchLabel = 10,
  kSqlEditor = 11,
  kLogoImage = 12,
  kRowCountText = 13,
  kVersionText = 14,
  kTimerCheckBox = 15,
  kTimerSecondsField = 16,
  kCatalogButton = 17,
  kCreatorsButton = 18,
  kLastCreatorButton = 19,
  kQueryAutorunCheckBox = 20,
  kEditSqlButton = 21,
  kFormatSqlButton = 22,
  kElapsedTimeText = 23,
  kSaveReportButton = 24,
  kDb2CommandCheckBox = 25,
  kSaveLoadQueryButton = 26,
  kColoredDatatypesCheckBox = 27,
  kLibrarySaveButton = 28,
  kLibraryLoadButton = 29,
  kLibraryDeleteButton = 30,
  kStoreModeButton = 31,
  kLibraryExitButton = 32,
  kQueryNamesList = 33,
  kBusyText = 34,
};

constexpr int kMainControlCount = 28;  // controls 0-27 live in the Main Window
constexpr int kControlCount = 35;

// Result Grid popup menu items, top to bottom.
enum PopupItem : int {
  kCopyToClipboard = 1,
  kShowInEditor = 2,
  kCopyAndFormat = 3,
  kGenerateInsert = 4,
  kGenerateUpdate = 5,
  kGenerateDelete = 6,
  kAutosizeColumns = 7,
  kFixedColumnSize = 8,
  kTableDetails = 9,
  kSchemaObjects = 10,
  kCopyCell = 11,  // the cell under the pointer
};

}  // namespace zuno
