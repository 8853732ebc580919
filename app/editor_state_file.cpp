#include "app/editor_state_file.h"

#include <cerrno>
#include <charconv>
#include <system_error>

#include "app/home_directory.h"
#include "base/text_file.h"
#include "tools/private_folder.h"

namespace zuno {
namespace {

// A state of the first form ends after the history; the second adds the
// window's place.
constexpr std::string_view kFirstHeader = "ZUNO editor state 1\n";
constexpr std::string_view kHeader = "ZUNO editor state 2\n";
// A size or a height beyond these is no place a window was left in.
constexpr long kLargestPlace = 100000;
constexpr std::string_view kNoPlaceForEditorState =
    "The SQL editor's text cannot be kept for the next start: neither XDG_STATE_HOME nor HOME is set.";

// A field: its length in bytes, a line feed, the bytes, a line feed.
void PutField(std::string& out, std::string_view bytes) {
  out.append(std::to_string(bytes.size())).append(1, '\n').append(bytes).append(1, '\n');
}

std::optional<std::string_view> TakeField(std::string_view& in) {
  const std::size_t end = in.find('\n');
  if (end == std::string_view::npos || end == 0 || end > 10) return std::nullopt;
  std::size_t size = 0;
  auto [at, error] = std::from_chars(in.data(), in.data() + end, size);
  if (error != std::errc() || at != in.data() + end || in.size() - end - 1 < size + 1 ||
      in[end + 1 + size] != '\n')
    return std::nullopt;
  std::string_view field = in.substr(end + 1, size);
  in.remove_prefix(end + 2 + size);
  return field;
}

std::optional<long> TakeNumber(std::string_view& in) {
  std::optional<std::string_view> field = TakeField(in);
  long n = 0;
  if (!field || field->empty()) return std::nullopt;
  auto [at, error] = std::from_chars(field->data(), field->data() + field->size(), n);
  if (error != std::errc() || at != field->data() + field->size() || n < 0) return std::nullopt;
  return n;
}

// Width, height, maximised (0 or 1), the history's and the editor's heights.
void PutPlace(std::string& out, const MainWindowPlace& p) {
  for (int n : {p.width, p.height, p.maximised ? 1 : 0, p.historyHeight, p.editorHeight})
    PutField(out, std::to_string(n));
}

std::optional<MainWindowPlace> TakePlace(std::string_view& in) {
  long n[5];
  for (long& field : n) {
    std::optional<long> number = TakeNumber(in);
    if (!number || *number > kLargestPlace) return std::nullopt;
    field = *number;
  }
  if (n[0] == 0 || n[1] == 0 || n[2] > 1) return std::nullopt;
  return MainWindowPlace{static_cast<int>(n[0]), static_cast<int>(n[1]), n[2] == 1, static_cast<int>(n[3]),
                         static_cast<int>(n[4])};
}

}  // namespace

std::string EncodeEditorState(const EditorState& state) {
  std::string out(state.window ? kHeader : kFirstHeader);
  PutField(out, state.text);
  PutField(out, std::to_string(state.cursor));
  PutField(out, std::to_string(state.history.size()));
  for (const std::string& statement : state.history) PutField(out, statement);
  if (state.window) PutPlace(out, *state.window);
  return out;
}

std::optional<EditorState> DecodeEditorState(std::string_view in) {
  const bool withPlace = in.starts_with(kHeader);
  if (!withPlace && !in.starts_with(kFirstHeader)) return std::nullopt;
  in.remove_prefix(kHeader.size());
  EditorState state;
  std::optional<std::string_view> text = TakeField(in);
  std::optional<long> cursor = text ? TakeNumber(in) : std::nullopt;
  std::optional<long> count = cursor ? TakeNumber(in) : std::nullopt;
  if (!count || *cursor > static_cast<long>(text->size()) || *count > static_cast<long>(in.size())) return std::nullopt;
  state.text = *text;
  state.cursor = static_cast<int>(*cursor);
  for (long i = 0; i < *count; ++i) {
    std::optional<std::string_view> statement = TakeField(in);
    if (!statement) return std::nullopt;
    state.history.emplace_back(*statement);
  }
  if (withPlace && !(state.window = TakePlace(in))) return std::nullopt;
  if (!in.empty()) return std::nullopt;
  return state;
}

std::string EditorStatePath(const char* stateHome, const std::string& homeDirectory) {
  return UserFilePath(stateHome, homeDirectory, ".local/state", "editor-state");
}

std::optional<EditorState> ReadEditorState(const std::string& path) {
  if (path.empty()) return std::nullopt;
  WholeFile file = ReadOwnFile(path, kMaxEditorStateBytes);
  if (!file) return std::nullopt;
  return DecodeEditorState(file.bytes);
}

KeptState WriteEditorState(const std::string& path, const EditorState& state, bool flush) {
  const auto failed = [](const std::string& what, int error) {
    return KeptState{false, true,
                     "The SQL editor's text could not be kept for the next start: " + what +
                         (error != 0 ? " (" + std::generic_category().message(error) + ")." : ".")};
  };
  if (path.empty()) return KeptState{false, false, std::string(kNoPlaceForEditorState)};
  const std::string bytes = EncodeEditorState(state);
  if (bytes.size() > kMaxEditorStateBytes) return KeptState{false, false, std::string(kEditorStateTooLarge)};
  const std::string folder = path.substr(0, path.rfind('/'));
  if (!MakeOwnFolder(folder)) return failed(folder + " is no folder of the user's own", errno);
  RemoveStaleReplaces(path);
  const Replaced replaced = ReplaceFileAtomically(path, bytes, {.mode = 0600, .flush = flush});
  if (!replaced) return failed(path + " was not written", replaced.error);
  return KeptState{true, false, {}};
}

}  // namespace zuno
