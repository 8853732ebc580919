// The rows of the table the Result Grid shows, kept once in the program's own
// storage: the tree view, the report export and the popup actions all read
// them here. The cells of a row stand one after another in large blocks, each
// with its length and whether the database gave NULL, so a row of short texts
// costs little more than its texts. Where the text shown is not the value the
// database gave (a rounded number, a line feed shown as U+00FF, a binary
// value), the value as fetched is kept after the text; a cell whose text is
// its value costs nothing more.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zuno {

// What a cell's value is, where it is not its text.
enum class ValueKind : unsigned char {
  Text,    // the value is a text (for a cell without a kept value: its own)
  Binary,  // the value's bytes, not a text
  Unread,  // the value is not known: too large to keep, or it could not be read
};

struct CellValue {
  std::string_view bytes;  // empty for Unread
  ValueKind kind = ValueKind::Text;
};

namespace rows_detail {

// A size as the rows store it: 7 bits a byte, low bits first, the top bit
// set on every byte but the last.
inline const char* GetSize(const char* at, std::size_t& value) {
  value = 0;
  unsigned shift = 0;
  unsigned char byte = 0;
  do {
    byte = static_cast<unsigned char>(*at++);
    value |= static_cast<std::size_t>(byte & 0x7F) << shift;
    shift += 7;
  } while (byte & 0x80);
  return at;
}

// A cell's length and its two flags stand in one size: length * 4, plus 1
// for NULL, plus 2 when a kept value (its kind, its size, its bytes) follows
// the text.
constexpr std::size_t kNullFlag = 1;
constexpr std::size_t kKeptFlag = 2;

}  // namespace rows_detail

class ResultRows {
 public:
  ResultRows() = default;
  // The rows move with their blocks; the one moved from is left empty.
  ResultRows(ResultRows&& other) noexcept { *this = std::move(other); }
  ResultRows& operator=(ResultRows&& other) noexcept;
  ResultRows(const ResultRows&) = delete;
  ResultRows& operator=(const ResultRows&) = delete;

  // A row is built cell by cell in column order and then ended.
  void AddCell(std::string_view text, bool null = false);
  // A cell shown as text whose value as fetched is another.
  void AddCell(std::string_view text, CellValue value);
  void EndRow();
  // A whole row of texts, none of them NULL; texts past maxCells are left out.
  void AppendRow(const std::vector<std::string>& texts, std::size_t maxCells);
  // The other rows after these, their blocks taken over as they stand: no
  // cell is copied. Whole when there are none yet.
  void Append(ResultRows&& other);
  // The rows ended so far, moved out with their blocks (the last one cut to
  // what it holds); the row being built stays. How a fetch hands its rows on
  // in pieces while it goes on.
  ResultRows TakeEndedRows();
  void Clear();

  std::size_t RowCount() const { return rows_.size(); }
  std::size_t CellCount(std::size_t row) const;
  // The empty text, and not NULL, for a cell the row does not have.
  std::string_view Cell(std::size_t row, std::size_t column) const;
  bool IsNull(std::size_t row, std::size_t column) const;
  // The value as fetched: the kept one, else the text itself.
  CellValue Value(std::size_t row, std::size_t column) const;
  // Marks a cell that exists as NULL.
  void MarkNull(std::size_t row, std::size_t column);
  // The bytes of all cell texts together.
  std::size_t TextBytes() const { return textBytes_; }

  // One cell as a walk along its row gives it.
  struct WalkedCell {
    std::string_view text;
    bool null = false;
    bool kept = false;  // a value as fetched is kept after the text
    CellValue value;    // the kept one, else the text itself
  };
  // Goes along one row's cells in column order, each found where the one
  // before ends: the way to read whole rows, as the exports do.
  class CellWalk {
   public:
    // The next cell; false past the row's last one.
    bool Next(WalkedCell& cell);

   private:
    friend class ResultRows;
    const char* at_ = nullptr;
    std::size_t left_ = 0;
  };
  CellWalk Walk(std::size_t row) const;

  // Where a row stood among the rows as they were added: its identity, which
  // stays with it when the rows are put in another order.
  std::size_t Identity(std::size_t row) const { return ids_.empty() ? row : ids_[row]; }
  // The row of that identity now; RowCount() for none.
  std::size_t RowOfIdentity(std::size_t identity) const;
  // The rows in a new order: order[i] is the row, as they stand now, that
  // goes to place i; it holds every row once.
  void Reorder(const std::vector<std::size_t>& order);

  // Every row keeps its place and loses its cells: their columns are gone.
  void DropCells();
  // An empty cell at column in every row that has cells up to it.
  void InsertEmptyCell(std::size_t column);

 private:
  struct CellRef : WalkedCell {
    const char* head = nullptr;  // the first byte of the cell's length and flags
  };
  void Add(std::string_view text, bool null, const CellValue* kept);
  CellRef Find(std::size_t row, std::size_t column) const;
  char* Reserve(std::size_t bytes);

  std::vector<char*> rows_;  // where each row's cells start
  std::vector<std::size_t> ids_;  // each row's identity; empty while in the order added
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // the unused end of the last block
  std::size_t freeBytes_ = 0;
  std::string pending_;  // the cells of the row being built
  std::size_t pendingCells_ = 0;
  std::size_t pendingTextBytes_ = 0;  // the texts of the row being built
  std::size_t textBytes_ = 0;
  // Where the last read ended: a reader that goes along a row, as the view and
  // the export do, finds each next cell without walking from the first.
  mutable std::size_t cursorRow_ = 0;
  mutable std::size_t cursorColumn_ = 0;
  mutable const char* cursor_ = nullptr;
};

// Inline: an export walks every cell of the grid.
inline bool ResultRows::CellWalk::Next(WalkedCell& cell) {
  if (left_ == 0) return false;
  --left_;
  std::size_t head = 0;
  at_ = rows_detail::GetSize(at_, head);
  // Built in locals and stored once: an export reads millions of cells.
  const std::string_view text(at_, head / 4);
  at_ += head / 4;
  const bool kept = (head & rows_detail::kKeptFlag) != 0;
  CellValue value{text, ValueKind::Text};
  if (kept) {
    value.kind = static_cast<ValueKind>(*at_);
    std::size_t size = 0;
    const char* bytes = rows_detail::GetSize(at_ + 1, size);
    value.bytes = std::string_view(bytes, size);
    at_ = bytes + size;
  }
  cell = WalkedCell{text, (head & rows_detail::kNullFlag) != 0, kept, value};
  return true;
}

}  // namespace zuno
