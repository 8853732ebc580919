// The editor state kept while the user works: a few seconds after the last
// change of the SQL editor's text, of the Statement History or of the Main
// Window's size or split, so that a
// program that is killed loses no more than those seconds.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "app/editor_state_file.h"
#include "base/gobject_ptr.h"
#include "session/job_runner.h"
#include "windows/gtk_shell.h"

namespace zuno {

// How long the text must rest before it is kept.
constexpr guint kKeepEditorStateAfterMs = 2000;

class EditorStateKeeper {
 public:
  // Watches the shell's SQL editor and history from now on; path as EditorStatePath.
  EditorStateKeeper(GtkShell& shell, JobRunner& jobs, std::string path);
  ~EditorStateKeeper();
  EditorStateKeeper(const EditorStateKeeper&) = delete;
  EditorStateKeeper& operator=(const EditorStateKeeper&) = delete;

  // Keeps it now, flushed to disk, as at the exit; a keep still due is done by it.
  KeptState KeepNow();

 private:
  static void OnChanged(gpointer self);
  static gboolean OnRested(gpointer self);
  KeptState Keep(bool flush);

  GtkShell& shell_;
  JobRunner& jobs_;
  std::string path_;
  GtkTextBuffer* buffer_;
  GtkTreeModel* history_;
  gulong changed_ = 0;
  gulong historyGrew_ = 0;
  gulong historyShrank_ = 0;
  SourceId due_;  // the timeout of the keep still due
  bool toldLasting_ = false;  // of a keep no retry helps
};

}  // namespace zuno
