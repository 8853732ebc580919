// The floors of the database cases: the least a C++ program does to read a
// result through the driver manager's wide-character calls, value by value
// and in blocks. One connection, one statement handle kept for every run,
// each value read as text into buffers that are never given back.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zuno::bench {

class PlainFetch {
 public:
  PlainFetch();
  ~PlainFetch();
  PlainFetch(const PlainFetch&) = delete;
  PlainFetch& operator=(const PlainFetch&) = delete;

  bool Connect(std::string_view dsn, std::string_view user, std::string_view password);

  // SQLExecDirectW, then SQLFetch and one SQLGetData per value for up to
  // maxRows rows (0: all). Returns the rows read, or -1 when the statement
  // fails. characters() adds up the characters read, so no read can be
  // skipped as unused.
  long Run(std::string_view sql, long maxRows);
  // The same rows fetched in blocks: every column bound as text to an array
  // as wide as the size the driver reports, as many rows a fetch as fit a
  // quarter of a megabyte (at most 512), no value read again.
  long RunInBlocks(std::string_view sql, long maxRows);
  long long characters() const;

 private:
  struct Handles;
  std::unique_ptr<Handles> h_;
};

}  // namespace zuno::bench
