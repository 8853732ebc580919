#include "session/ui.h"

namespace zuno {

std::string SelectedListText(Ui& ui, Control list) {
  int selected = ui.SelectedListItem(list);
  std::vector<std::string> items = ui.ListItems(list);
  return selected >= 0 && selected < static_cast<int>(items.size()) ? items[static_cast<size_t>(selected)] : "";
}

}  // namespace zuno
