// Every window and control has a program-wide name; handlers name them by role.
// The names are names only: nothing counts on their values or order.
#pragma once

namespace zuno {

enum class WindowId { Main = 0, Library = 1, Busy = 2 };

enum Control : int {
  kHistoryList,
  kConnectButton,
  kRunButton,
  kExitButton,
  kDataSourceBox,
  kUserField,
  kPasswordField,
  kConnectionStatusText,
  kResultGrid,
  kRowsToFetchBox,
  kRowsToFetchLabel,
  kSqlEditor,
  kLogoImage,
  kRowCountText,
  kVersionText,
  kTimerCheckBox,
  kTimerSecondsField,
  kCatalogButton,
  kCreatorsButton,
  kLastCreatorButton,
  kQueryAutorunCheckBox,
  kEditSqlButton,
  kFormatSqlButton,
  kElapsedTimeText,
  kSaveReportButton,
  kDb2CommandCheckBox,
  kSaveLoadQueryButton,
  kColoredDatatypesCheckBox,
  kAutocommitCheckBox,
  kCommitButton,
  kRollbackButton,
  kTransactionText,
  kLibrarySaveButton,
  kLibraryLoadButton,
  kLibraryDeleteButton,
  kStoreModeButton,
  kLibraryExitButton,
  kQueryNamesList,
  kBusyText,
};

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
