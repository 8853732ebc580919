#include "grid/result_rows.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace zuno {
namespace {

// Large enough that a block is its own mapping, which goes back to the system
// whole when the rows are cleared.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

// Sizes are written 7 bits a byte, low bits first, the top bit set on every
// byte but the last: a cell of up to 31 bytes costs one byte more.
char* PutSize(char* at, std::size_t value) {
  while (value >= 0x80) {
    *at++ = static_cast<char>((value & 0x7F) | 0x80);
    value >>= 7;
  }
  *at++ = static_cast<char>(value);
  return at;
}

constexpr std::size_t SizeBytes(std::size_t value) {
  std::size_t bytes = 1;
  for (; value >= 0x80; value >>= 7) ++bytes;
  return bytes;
}

using rows_detail::GetSize;
using rows_detail::kKeptFlag;
using rows_detail::kNullFlag;

constexpr std::size_t CellHead(std::size_t length, bool null, bool kept) {
  return length * 4 + (null ? kNullFlag : 0) + (kept ? kKeptFlag : 0);
}

const char kNoCells = 0;  // a row without cells: its count alone

}  // namespace

ResultRows& ResultRows::operator=(ResultRows&& other) noexcept {
  rows_ = std::move(other.rows_);
  ids_ = std::move(other.ids_);
  blocks_ = std::move(other.blocks_);
  pending_ = std::move(other.pending_);
  free_ = std::exchange(other.free_, nullptr);
  freeBytes_ = std::exchange(other.freeBytes_, 0);
  pendingCells_ = std::exchange(other.pendingCells_, 0);
  pendingTextBytes_ = std::exchange(other.pendingTextBytes_, 0);
  textBytes_ = std::exchange(other.textBytes_, 0);
  cursor_ = nullptr;
  other.cursor_ = nullptr;
  other.rows_.clear();
  other.ids_.clear();
  other.blocks_.clear();
  other.pending_.clear();
  return *this;
}

void ResultRows::AddCell(std::string_view text, bool null) { Add(text, null, nullptr); }

void ResultRows::AddCell(std::string_view text, CellValue value) { Add(text, false, &value); }

void ResultRows::Add(std::string_view text, bool null, const CellValue* kept) {
  char head[sizeof(std::size_t) * 8 / 7 + 1];
  const auto headBytes = static_cast<std::size_t>(PutSize(head, CellHead(text.size(), null, kept)) - head);
  // One growth for the head and the text: a long list adds millions of cells.
  const std::size_t at = pending_.size();
  pending_.resize(at + headBytes + text.size());
  std::memcpy(pending_.data() + at, head, headBytes);
  if (!text.empty()) std::memcpy(pending_.data() + at + headBytes, text.data(), text.size());
  if (kept) {
    pending_ += static_cast<char>(kept->kind);
    pending_.append(head, static_cast<std::size_t>(PutSize(head, kept->bytes.size()) - head));
    pending_.append(kept->bytes);
  }
  ++pendingCells_;
  pendingTextBytes_ += text.size();
  textBytes_ += text.size();
}

void ResultRows::EndRow() {
  char* at = Reserve(SizeBytes(pendingCells_) + pending_.size());
  if (!ids_.empty()) ids_.push_back(rows_.size());
  rows_.push_back(at);
  at = PutSize(at, pendingCells_);
  std::memcpy(at, pending_.data(), pending_.size());
  pending_.clear();
  pendingCells_ = 0;
  pendingTextBytes_ = 0;
}

char* ResultRows::Reserve(std::size_t bytes) {
  if (bytes > freeBytes_) {
    const std::size_t size = std::max(bytes, kBlockBytes);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    free_ = blocks_.back().get();
    freeBytes_ = size;
  }
  char* at = free_;
  free_ += bytes;
  freeBytes_ -= bytes;
  return at;
}

void ResultRows::AppendRow(const std::vector<std::string>& texts, std::size_t maxCells) {
  const std::size_t cells = std::min(texts.size(), maxCells);
  for (std::size_t c = 0; c < cells; ++c) AddCell(texts[c]);
  EndRow();
}

void ResultRows::Append(ResultRows&& other) {
  if (rows_.empty() && pendingCells_ == 0) {
    *this = std::move(other);
    return;
  }
  const std::size_t before = rows_.size();
  if (!ids_.empty() || !other.ids_.empty()) {
    // Either side put in another order: every row's identity is written out.
    if (ids_.empty())
      for (std::size_t r = 0; r < before; ++r) ids_.push_back(r);
    for (std::size_t r = 0; r < other.rows_.size(); ++r) ids_.push_back(before + other.Identity(r));
  }
  // The cells stay where they are: the blocks move, with the rows that point
  // into them. New rows go on filling this side's last block, which stays last.
  rows_.insert(rows_.end(), other.rows_.begin(), other.rows_.end());
  blocks_.insert(blocks_.end() - (blocks_.empty() ? 0 : 1), std::make_move_iterator(other.blocks_.begin()),
                 std::make_move_iterator(other.blocks_.end()));
  textBytes_ += other.textBytes_ - other.pendingTextBytes_;
  other.Clear();
}

ResultRows ResultRows::TakeEndedRows() {
  ResultRows taken;
  taken.rows_ = std::move(rows_);
  taken.ids_ = std::move(ids_);
  taken.blocks_ = std::move(blocks_);
  taken.textBytes_ = textBytes_ - pendingTextBytes_;
  textBytes_ = pendingTextBytes_;
  rows_.clear();
  ids_.clear();
  blocks_.clear();
  cursor_ = nullptr;
  // The last block's unused end would stay with the taken rows for as long
  // as they are shown: its rows move to a block of their size.
  if (!taken.blocks_.empty() && freeBytes_ > 0) {
    char* const start = taken.blocks_.back().get();
    const auto used = static_cast<std::size_t>(free_ - start);
    auto tight = std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(used, 1));
    if (used > 0) std::memcpy(tight.get(), start, used);
    for (auto row = taken.rows_.rbegin(); row != taken.rows_.rend() && *row >= start && *row < free_; ++row)
      *row = tight.get() + (*row - start);
    taken.blocks_.back() = std::move(tight);
  }
  free_ = nullptr;
  freeBytes_ = 0;
  return taken;
}

void ResultRows::Clear() { *this = ResultRows(); }

std::size_t ResultRows::CellCount(std::size_t row) const {
  if (row >= rows_.size()) return 0;
  std::size_t count = 0;
  GetSize(rows_[row], count);
  return count;
}

ResultRows::CellRef ResultRows::Find(std::size_t row, std::size_t column) const {
  CellWalk walk = Walk(row);
  std::size_t c = 0;
  if (cursor_ && cursorRow_ == row && cursorColumn_ <= column) {
    walk.at_ = cursor_;
    walk.left_ -= cursorColumn_;
    c = cursorColumn_;
  }
  CellRef cell;
  for (;; ++c) {
    cell.head = walk.at_;
    if (!walk.Next(cell)) return {};
    if (c == column) break;
  }
  cursorRow_ = row;
  cursorColumn_ = column + 1;
  cursor_ = walk.at_;
  return cell;
}

std::string_view ResultRows::Cell(std::size_t row, std::size_t column) const { return Find(row, column).text; }

ResultRows::CellWalk ResultRows::Walk(std::size_t row) const {
  CellWalk walk;
  if (row < rows_.size()) walk.at_ = GetSize(rows_[row], walk.left_);
  return walk;
}

bool ResultRows::IsNull(std::size_t row, std::size_t column) const { return Find(row, column).null; }

CellValue ResultRows::Value(std::size_t row, std::size_t column) const {
  return Find(row, column).value;
}

void ResultRows::MarkNull(std::size_t row, std::size_t column) {
  CellRef cell = Find(row, column);
  if (!cell.head) return;
  // The flag is the lowest bit of the first byte: the length keeps its bytes.
  char* head = rows_[row] + (cell.head - rows_[row]);
  *head = static_cast<char>(*head | 1);
}

std::size_t ResultRows::RowOfIdentity(std::size_t identity) const {
  if (ids_.empty()) return std::min(identity, rows_.size());
  const auto at = std::find(ids_.begin(), ids_.end(), identity);
  return static_cast<std::size_t>(at - ids_.begin());
}

void ResultRows::Reorder(const std::vector<std::size_t>& order) {
  if (order.size() != rows_.size()) return;
  std::vector<char*> rows(rows_.size());
  std::vector<std::size_t> ids(rows_.size());
  bool added = true;  // the order the rows were added in
  for (std::size_t i = 0; i < order.size(); ++i) {
    rows[i] = rows_[order[i]];
    ids[i] = Identity(order[i]);
    added = added && ids[i] == i;
  }
  rows_ = std::move(rows);
  if (added)
    ids_.clear();
  else
    ids_ = std::move(ids);
  cursor_ = nullptr;
}

void ResultRows::DropCells() {
  const std::size_t rows = rows_.size();
  Clear();
  // Never written to: a row without cells has no cell to mark.
  rows_.assign(rows, const_cast<char*>(&kNoCells));
}

void ResultRows::InsertEmptyCell(std::size_t column) {
  ResultRows moved;
  WalkedCell cell;
  for (std::size_t r = 0; r < RowCount(); ++r) {
    CellWalk walk = Walk(r);
    for (std::size_t c = 0; walk.Next(cell); ++c) {
      if (c == column) moved.AddCell({});
      moved.Add(cell.text, cell.null, cell.kept ? &cell.value : nullptr);
    }
    moved.EndRow();
  }
  moved.ids_ = std::move(ids_);
  *this = std::move(moved);
}

}  // namespace zuno
