#include "app/editor_state_keeper.h"

#include "session/caught_failure.h"

namespace zuno {

EditorStateKeeper::EditorStateKeeper(GtkShell& shell, JobRunner& jobs, std::string path)
    : shell_(shell),
      jobs_(jobs),
      path_(std::move(path)),
      buffer_(gtk_text_view_get_buffer(GTK_TEXT_VIEW(shell.inner(kSqlEditor)))),
      history_(gtk_tree_view_get_model(GTK_TREE_VIEW(shell.inner(kHistoryList)))) {
  changed_ = g_signal_connect_swapped(buffer_, "changed", G_CALLBACK(OnChanged), this);
  // A statement enters the history once its row has its text.
  historyGrew_ = g_signal_connect_swapped(history_, "row-changed", G_CALLBACK(OnChanged), this);
  historyShrank_ = g_signal_connect_swapped(history_, "row-deleted", G_CALLBACK(OnChanged), this);
  shell_.OnPlaceChanged([this] { OnChanged(this); });
}

EditorStateKeeper::~EditorStateKeeper() {
  due_.Reset();
  shell_.OnPlaceChanged(nullptr);
  g_signal_handler_disconnect(buffer_, changed_);
  g_signal_handler_disconnect(history_, historyGrew_);
  g_signal_handler_disconnect(history_, historyShrank_);
}

// Each change puts the keep off until the text rests.
void EditorStateKeeper::OnChanged(gpointer self) {
  auto* keeper = static_cast<EditorStateKeeper*>(self);
  keeper->due_ = SourceId(g_timeout_add(kKeepEditorStateAfterMs, OnRested, self));
}

gboolean EditorStateKeeper::OnRested(gpointer self) {
  auto* keeper = static_cast<EditorStateKeeper*>(self);
  keeper->due_.Forget();  // the source ends as this returns
  // A failed write is tried again at the next rest and said at the exit; a
  // text too large, or no place to keep it, is said once, when it first is so.
  // Nothing crosses back into the toolkit.
  const std::string failure = CaughtFailure([keeper] {
    const KeptState kept = keeper->Keep(false);
    const bool lasting = !kept && !kept.retryHelps;
    if (lasting && !keeper->toldLasting_) keeper->jobs_.Tell(kept.problem);
    keeper->toldLasting_ = lasting;
  });
  if (!failure.empty()) LogFailure("keeping the editor state", failure);
  return G_SOURCE_REMOVE;
}

KeptState EditorStateKeeper::KeepNow() {
  due_.Reset();
  return Keep(true);
}

KeptState EditorStateKeeper::Keep(bool flush) {
  return WriteEditorState(
      path_, {shell_.Text(kSqlEditor), shell_.EditorCursor(), shell_.ListItems(kHistoryList), shell_.Place()}, flush);
}

}  // namespace zuno
