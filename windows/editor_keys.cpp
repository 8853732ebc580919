#include "windows/editor_keys.h"

#include <gdk/gdk.h>

namespace zuno {

EditorCommand CommandForKey(unsigned keyval, unsigned state) {
  const unsigned mods = state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK | GDK_META_MASK);
  if (keyval == GDK_KEY_F5 && mods == 0) return EditorCommand::RunStatement;
  if (keyval == GDK_KEY_F4 && mods == 0) return EditorCommand::TableDetails;
  if (mods != GDK_CONTROL_MASK) return EditorCommand::None;
  const bool shift = (state & GDK_SHIFT_MASK) != 0;
  switch (keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
      return shift ? EditorCommand::RunScript : EditorCommand::RunAtCursor;
    case GDK_KEY_s:
    case GDK_KEY_S:
      return EditorCommand::SaveQuery;
    case GDK_KEY_f:
    case GDK_KEY_F:
      return EditorCommand::Find;
    case GDK_KEY_h:
    case GDK_KEY_H:
      return EditorCommand::Replace;
    case GDK_KEY_l:
    case GDK_KEY_L:
      return EditorCommand::GoToLine;
    case GDK_KEY_plus:
    case GDK_KEY_equal:
    case GDK_KEY_KP_Add:
      return EditorCommand::ZoomIn;
    case GDK_KEY_minus:
    case GDK_KEY_KP_Subtract:
      return EditorCommand::ZoomOut;
    case GDK_KEY_0:
    case GDK_KEY_KP_0:
      return EditorCommand::ZoomReset;
    case GDK_KEY_slash:
    case GDK_KEY_KP_Divide:
      return EditorCommand::ToggleComment;
    default:
      return EditorCommand::None;
  }
}

bool KeyLeavesCompletion(unsigned keyval, unsigned state) {
  const bool ctrl = (state & GDK_CONTROL_MASK) != 0;
  switch (keyval) {
    case GDK_KEY_Page_Up:
    case GDK_KEY_Page_Down:
    case GDK_KEY_KP_Page_Up:
    case GDK_KEY_KP_Page_Down:
      return true;
    case GDK_KEY_Home:
    case GDK_KEY_End:
    case GDK_KEY_KP_Home:
    case GDK_KEY_KP_End:
      return ctrl;
    default: {
      const EditorCommand command = CommandForKey(keyval, state);
      return command == EditorCommand::RunStatement || command == EditorCommand::RunAtCursor ||
             command == EditorCommand::RunScript;
    }
  }
}

}  // namespace zuno
