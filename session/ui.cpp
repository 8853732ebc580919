#include "session/ui.h"

#include "sql/sql_characters.h"

namespace zuno {

SaveFileType SaveFileTypeOfName(std::string_view name) {
  constexpr std::string_view kCsv = ".csv";
  const bool csv = name.size() >= kCsv.size() && AsciiLower(name.substr(name.size() - kCsv.size())) == kCsv;
  return csv ? SaveFileType::Csv : SaveFileType::Report;
}

std::string SelectedListText(Ui& ui, Control list) {
  int selected = ui.SelectedListItem(list);
  std::vector<std::string> items = ui.ListItems(list);
  return selected >= 0 && selected < static_cast<int>(items.size()) ? items[static_cast<size_t>(selected)] : "";
}

}  // namespace zuno
