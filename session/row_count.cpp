#include "session/row_count.h"

#include <string>

#include "session/control_ids.h"

namespace zuno {

void ShowRowCount(Ui& ui, long long rows, std::string_view note) {
  std::string text = "Row Count: " + std::to_string(rows);
  text += note;
  ui.SetText(kRowCountText, text);
}

}  // namespace zuno
