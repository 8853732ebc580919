// Where the user left off: the SQL editor's text, its cursor, the
// Statement History and the Main Window's size and split, kept in the user's state folder while the user works
// and at exit, and brought back at start. The text is what the user typed (a "&pwd" stays as it is,
// as the history keeps it).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "windows/window_place.h"

namespace zuno {

struct EditorState {
  std::string text;
  int cursor = 0;  // in characters from the start of the text
  std::vector<std::string> history;
  // None in a state kept before the window's place was: the window opens
  // as at first.
  std::optional<MainWindowPlace> window;
  friend bool operator==(const EditorState&, const EditorState&) = default;
};

// A larger file is not read, and a state that would be larger is not kept.
constexpr std::size_t kMaxEditorStateBytes = 16 << 20;

std::string EncodeEditorState(const EditorState& state);
// nullopt for anything but a whole state as EncodeEditorState writes it.
std::optional<EditorState> DecodeEditorState(std::string_view bytes);

// $XDG_STATE_HOME/zuno/editor-state, or ~/.local/state/zuno/editor-state
// when XDG_STATE_HOME is unset or not an absolute path; empty with neither.
std::string EditorStatePath(const char* stateHome, const std::string& homeDirectory);

// A missing, damaged, foreign or oversized file is no state.
std::optional<EditorState> ReadEditorState(const std::string& path);
// What keeping a state came to; problem is what the user is told when it
// was not kept.
struct KeptState {
  bool kept = false;
  // A write that failed may succeed later; a state too large to keep, or
  // no place to keep it in, stays so.
  bool retryHelps = false;
  std::string problem;
  explicit operator bool() const { return kept; }
};

constexpr std::string_view kEditorStateTooLarge =
    "The SQL editor's text is larger than 16 MB and cannot be kept for the next start.";

// Written atomically, for the user alone from its first byte (the folder
// 0700, the file 0600). flush as for ReplaceFileAtomically: a state kept
// while the user types goes without, so that a slow disk never holds the
// windows longer than a plain small write. What a write killed midway left
// in the folder is removed.
KeptState WriteEditorState(const std::string& path, const EditorState& state, bool flush = true);

}  // namespace zuno
