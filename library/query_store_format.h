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

// The records of a store text, and whether the text reads back whole: every
// byte belongs to a whole record, but for the comma between two fields,
// blanks and line ends between records and a byte-order mark at the start.
// A NUL byte, a field left open, stray text or a record short of a field make
// it not whole. Such a text is no store to be rewritten from what was read:
// the records after the damage, or a file that is no store at all, would be
// lost. A text cut short by maxRecords is not judged.
struct DecodedStore {
  std::vector<QueryRecord> records;
  bool whole = true;
};

// Reads fields left to right: a field opens at a double quote, two quotes in a
// row stand for one, and the first lone quote closes it. Text outside fields is
// skipped, the text ends at the first NUL byte, every three fields make a
// record and a trailing group of fewer than three is dropped. Stops after
// maxRecords records. Bytes inside fields are kept as they are, valid UTF-8 or not.
std::vector<QueryRecord> DecodeQueryRecords(
    std::string_view text, std::size_t maxRecords = std::numeric_limits<std::size_t>::max());
// The same records, with the verdict on the text.
DecodedStore DecodeStoreText(std::string_view text,
                             std::size_t maxRecords = std::numeric_limits<std::size_t>::max());

}  // namespace zuno
