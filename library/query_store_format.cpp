#include "library/query_store_format.h"

#include <optional>

namespace zuno {
namespace {

constexpr char kQuote = '"';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendField(std::string& out, std::string_view field) {
  for (char c : field) {
    if (c == '\0') continue;
    if (c == kQuote) out.push_back(kQuote);
    out.push_back(c);
  }
}

// The field whose opening quote is at text[open]; pos is left after its
// closing quote. Nothing when the text ends before the field is closed.
std::optional<std::string> ReadField(std::string_view text, std::size_t open, std::size_t& pos) {
  std::string field;
  std::size_t i = open + 1;
  while (i < text.size()) {
    std::size_t quote = text.find(kQuote, i);
    if (quote == std::string_view::npos) break;
    field.append(text.substr(i, quote - i));
    if (quote + 1 < text.size() && text[quote + 1] == kQuote) {
      field.push_back(kQuote);
      i = quote + 2;
      continue;
    }
    pos = quote + 1;
    return field;
  }
  return std::nullopt;
}

}  // namespace

std::string EncodeQueryRecords(const std::vector<QueryRecord>& records) {
  std::string out;
  for (const QueryRecord& r : records) {
    out.push_back(kQuote);
    AppendField(out, r.name);
    out.append("\",\"");
    AppendField(out, r.sqlText);
    out.append("\",\"");
    AppendField(out, r.user);
    out.append("\"\r\n");
  }
  return out;
}

DecodedStore DecodeStoreText(std::string_view text, std::size_t maxRecords) {
  DecodedStore store;
  const std::size_t nul = text.find('\0');
  store.whole = nul == std::string_view::npos;
  text = text.substr(0, nul);
  // What may stand between fields for the text to read back whole: a comma
  // inside a record; blanks and line ends between records, and a byte-order
  // mark before the first.
  const auto fits = [&](std::size_t from, std::size_t to, int filled) {
    std::string_view gap = text.substr(from, to - from);
    if (filled > 0) return gap == ",";
    if (from == 0 && gap.starts_with(kByteOrderMark)) gap.remove_prefix(kByteOrderMark.size());
    // Not SQL's blanks: spaces, tabs and line ends are what a text editor
    // leaves between records, and anything else there (a form feed too) is
    // stray text the next write would drop, so the store is not whole.
    return gap.find_first_not_of(" \t\r\n") == std::string_view::npos;
  };
  std::string fields[3];
  int filled = 0;
  std::size_t pos = 0;
  while (store.records.size() < maxRecords) {
    std::size_t open = text.find(kQuote, pos);
    if (open == std::string_view::npos) {
      store.whole = store.whole && filled == 0 && fits(pos, text.size(), 0);
      break;
    }
    store.whole = store.whole && fits(pos, open, filled);
    std::optional<std::string> field = ReadField(text, open, pos);
    if (!field) {
      store.whole = false;
      break;
    }
    fields[filled++] = std::move(*field);
    if (filled == 3) {
      store.records.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2])});
      filled = 0;
    }
  }
  return store;
}

std::vector<QueryRecord> DecodeQueryRecords(std::string_view text, std::size_t maxRecords) {
  return DecodeStoreText(text, maxRecords).records;
}

}  // namespace zuno
