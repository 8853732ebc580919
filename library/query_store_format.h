// "zuno.sql": named SQL texts, each record three double-quoted fields (Name,
// SQL Text, User) with inner quotes doubled, fields joined by "," and each
// record closed by a quote and CR LF. UTF-8 without a byte-order mark.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

struct QueryRecord {
  std::string name;
  std::string sqlText;
  std::string user;

  bool operator==(const QueryRecord&) const = default;
};

// The whole file text for the records, in the order given. A NUL byte in a
// field is left out: the reader stops at the first NUL, so writing one would
// cost every record after it.
std::string EncodeQueryRecords(const std::vector<QueryRecord>& records);

// Reads fields left to right: a field opens at a double quote, two quotes in a
// row stand for one, and the first lone quote closes it. Text outside fields is
// skipped, the text ends at the first NUL byte, every three fields make a
// record and a trailing group of fewer than three is dropped. Stops after
// maxRecords records. Bytes inside fields are kept as they are, valid UTF-8 or not.
std::vector<QueryRecord> DecodeQueryRecords(
    std::string_view text, std::size_t maxRecords = std::numeric_limits<std::size_t>::max());

}  // namespace zuno
