#include "windows/editor_keys.h"

#include <gdk/gdk.h>

namespace zuno {

EditorCommand CommandForKey(unsigned keyval, unsigned state) {
  const unsigned mods = state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK | GDK_META_MASK);
  if (keyval == GDK_KEY_F5 && mods == 0) return EditorCommand::RunStatement;
  if (mods != GDK_CONTROL_MASK) return EditorCommand::None;
  const bool shift = (state & GDK_SHIFT_MASK) != 0;
  switch (keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
      return shift ? EditorCommand::RunScript : EditorCommand::RunAtCursor;
    case GDK_KEY_s:
    case GDK_KEY_S:
      return EditorCommand::SaveQuery;
    default:
      return EditorCommand::None;
  }
}

}  // namespace zuno
