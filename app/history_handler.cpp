#include "app/history_handler.h"

namespace zuno {

void OnHistoryDoubleClick(Session& s) {
  std::vector<std::string> items = s.ui.ListItems(kHistoryList);
  int selected = s.ui.SelectedListItem(kHistoryList);
  bool valid = selected >= 0 && selected < static_cast<int>(items.size());
  s.ui.SetText(kSqlEditor, valid ? items[selected] : std::string());
}

}  // namespace zuno
