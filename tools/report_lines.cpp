#include "tools/report_lines.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "grid/cell_text.h"

namespace zuno {
namespace {

constexpr std::size_t kPieceBytes = 256 * 1024;

// Most cells are a few bytes: copied by two overlapping moves of a fixed
// width, without a call, and never a byte beyond either end.
inline void CopyShort(char* to, const char* from, std::size_t n) {
  if (n >= 8) {
    std::uint64_t head, tail;
    std::memcpy(&head, from, 8);
    std::memcpy(&tail, from + n - 8, 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + n - 8, &tail, 8);
  } else if (n >= 4) {
    std::uint32_t head, tail;
    std::memcpy(&head, from, 4);
    std::memcpy(&tail, from + n - 4, 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + n - 4, &tail, 4);
  } else if (n > 0) {
    to[0] = from[0];
    to[n / 2] = from[n / 2];
    to[n - 1] = from[n - 1];
  }
}

// Gathers the text into pieces small enough to stay in the cache until they
// are written: a report of any size costs one piece of memory.
class Pieces {
 public:
  explicit Pieces(const TextSink& write) : write_(write), buffer_(new char[kPieceBytes]) {}

  void Put(std::string_view bytes) {
    const std::size_t n = bytes.size();
    if (n > static_cast<std::size_t>(end_ - at_)) return Spill(bytes);
    if (n <= 16)
      CopyShort(at_, bytes.data(), n);
    else
      std::memcpy(at_, bytes.data(), n);
    at_ += n;
  }
  void Put(char c) {
    if (at_ == end_) Flush();
    *at_++ = c;
  }
  bool ok() const { return ok_; }
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  void Flush() {
    if (ok_ && at_ != buffer_.get()) ok_ = write_(std::string_view(buffer_.get(), at_ - buffer_.get()));
    at_ = buffer_.get();
  }
  void Spill(std::string_view bytes) {
    Flush();
    if (bytes.size() < kPieceBytes) return Put(bytes);
    if (ok_) ok_ = write_(bytes);  // larger than a piece: handed on as it is
  }

  const TextSink& write_;
  std::unique_ptr<char[]> buffer_;
  char* at_ = buffer_.get();
  char* const end_ = buffer_.get() + kPieceBytes;
  bool ok_ = true;
};

std::string Whole(const TextSource& fill) {
  std::string text;
  fill([&text](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

// An empty text is written "" so that it reads back apart from NULL, which
// is the empty field.
void PutCsvField(Pieces& out, std::string_view field, std::string_view delimiter) {
  const bool quoted = field.empty() || field.find_first_of("\"\r\n") != std::string_view::npos ||
                      field.find(delimiter) != std::string_view::npos;
  if (!quoted) return out.Put(field);
  out.Put('"');
  for (char c : field) {
    if (c == '"') out.Put('"');
    out.Put(c);
  }
  out.Put('"');
}

// A cell's field: empty for NULL, hex digits for a binary value (a
// delimiter such as "E" may stand in them). The export finds a value never
// fetched whole before it writes anything.
void PutCsvCell(Pieces& out, const ResultRows::WalkedCell& cell, ValueType type, std::string_view delimiter) {
  if (cell.null) return;
  switch (cell.value.kind) {
    case ValueKind::Binary: return PutCsvField(out, HexDigits(cell.value.bytes), delimiter);
    case ValueKind::Unread: return;
    case ValueKind::Text:
      return PutCsvField(out, type == ValueType::Number ? Unpadded(cell.value.bytes) : cell.value.bytes,
                         delimiter);
  }
}

}  // namespace

bool WriteReportText(const std::vector<std::string>& titles, const ResultRows& rows, std::string_view delimiter,
                     bool withHeader, const TextSink& write) {
  Pieces out(write);
  if (withHeader) {
    for (const std::string& title : titles) {
      out.Put(title);
      out.Put(delimiter);
    }
    out.Put('\n');
  }
  const bool oneByte = delimiter.size() == 1;  // the usual ";" needs no copy of a text
  ResultRows::WalkedCell cell;
  for (std::size_t r = 0; r < rows.RowCount() && out.ok(); ++r) {
    ResultRows::CellWalk walk = rows.Walk(r);
    for (std::size_t c = 0; c < titles.size(); ++c) {
      if (walk.Next(cell)) out.Put(cell.text);
      if (oneByte)
        out.Put(delimiter[0]);
      else
        out.Put(delimiter);
    }
    out.Put('\n');
  }
  return out.Finish();
}

std::string BuildReportText(const std::vector<std::string>& titles, const ResultRows& rows,
                            std::string_view delimiter, bool withHeader) {
  return Whole([&](const TextSink& write) { return WriteReportText(titles, rows, delimiter, withHeader, write); });
}

bool WriteCsvText(const std::vector<std::string>& titles, const std::vector<ValueType>& types,
                  const ResultRows& rows, std::string_view delimiter, bool withHeader, const TextSink& write) {
  if (delimiter.empty()) delimiter = ",";
  Pieces out(write);
  if (withHeader) {
    for (std::size_t c = 0; c < titles.size(); ++c) {
      if (c > 0) out.Put(delimiter);
      PutCsvField(out, titles[c], delimiter);
    }
    out.Put("\r\n");
  }
  ResultRows::WalkedCell cell;
  for (std::size_t r = 0; r < rows.RowCount() && out.ok(); ++r) {
    ResultRows::CellWalk walk = rows.Walk(r);
    for (std::size_t c = 0; c < titles.size(); ++c) {
      if (c > 0) out.Put(delimiter);
      if (walk.Next(cell)) PutCsvCell(out, cell, c < types.size() ? types[c] : ValueType::Unknown, delimiter);
    }
    out.Put("\r\n");
  }
  return out.Finish();
}

std::optional<CellPlace> FirstUnreadValue(const ResultRows& rows, std::size_t columns) {
  ResultRows::WalkedCell cell;
  for (std::size_t r = 0; r < rows.RowCount(); ++r) {
    ResultRows::CellWalk walk = rows.Walk(r);
    for (std::size_t c = 0; c < columns && walk.Next(cell); ++c)
      if (!cell.null && cell.value.kind == ValueKind::Unread) return CellPlace{r, c};
  }
  return std::nullopt;
}

std::string BuildCsvText(const std::vector<std::string>& titles, const std::vector<ValueType>& types,
                         const ResultRows& rows, std::string_view delimiter, bool withHeader) {
  return Whole(
      [&](const TextSink& write) { return WriteCsvText(titles, types, rows, delimiter, withHeader, write); });
}

}  // namespace zuno
