#include "query/statement_history.h"

#include <algorithm>

namespace zuno {

void RememberStatement(Ui& ui, const std::string& statement) {
  if (statement.empty()) return;
  std::vector<std::string> items = ui.ListItems(kHistoryList);
  if (std::find(items.begin(), items.end(), statement) == items.end()) ui.AppendListItem(kHistoryList, statement);
}

}  // namespace zuno
