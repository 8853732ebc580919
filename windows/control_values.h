// Reading and writing a control's caption, text, state and list items, by the
// kind of widget the control table made for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/text_range.h"
#include "windows/gtk_windows.h"

namespace zuno {

std::string ControlText(const ControlWidgets& widgets, Control c);
void SetControlText(const ControlWidgets& widgets, Control c, std::string_view text);
bool ControlEnabled(const ControlWidgets& widgets, Control c);
void SetControlEnabled(const ControlWidgets& widgets, Control c, bool enabled);
bool ControlChecked(const ControlWidgets& widgets, Control c);

// The SQL editor's selection in bytes of its text, as the handlers count;
// the buffer counts characters.
TextRange EditorSelection(const ControlWidgets& widgets);
// Selects the range, scrolls it into view and gives the editor the focus.
void SelectEditorText(const ControlWidgets& widgets, TextRange range);

// Lists and the drop-down lists.
std::vector<std::string> ControlListItems(const ControlWidgets& widgets, Control c);
void AppendControlListItem(const ControlWidgets& widgets, Control c, std::string_view item);
void PrependDropDownItem(const ControlWidgets& widgets, Control c, std::string_view item);
void ClearDropDown(const ControlWidgets& widgets, Control c);
int SelectedControlListItem(const ControlWidgets& widgets, Control c);  // -1 when none
void ClearControlList(const ControlWidgets& widgets, Control c);

}  // namespace zuno
