#include "library/query_store_format.h"

#include <optional>

namespace zuno {
namespace {

constexpr char kQuote = '"';

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

std::vector<QueryRecord> DecodeQueryRecords(std::string_view text, std::size_t maxRecords) {
  text = text.substr(0, text.find('\0'));
  std::vector<QueryRecord> records;
  std::string fields[3];
  int filled = 0;
  std::size_t pos = 0;
  while (records.size() < maxRecords) {
    std::size_t open = text.find(kQuote, pos);
    if (open == std::string_view::npos) break;
    std::optional<std::string> field = ReadField(text, open, pos);
    if (!field) break;
    fields[filled++] = std::move(*field);
    if (filled == 3) {
      records.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2])});
      filled = 0;
    }
  }
  return records;
}

}  // namespace zuno
