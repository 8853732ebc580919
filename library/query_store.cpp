#include "library/query_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "base/text_file.h"
#include "base/unique_fd.h"
#include "library/query_name_order.h"
#include "library/query_store_format.h"
#include "library/store_lock.h"
#include "library/store_refusal.h"

namespace zuno {
namespace {

// The records of the store, whether its text read back whole, and what stood
// in the way of reading it at all.
struct StoreRead {
  std::vector<QueryRecord> records;
  bool whole = true;
  std::string_view problem;
};

StoreRead Unusable(std::string_view problem) { return StoreRead{{}, false, problem}; }

// A first look leaves an empty file where none was.
StoreRead ReadStore(const std::string& path) {
  using Status = WholeFile::Status;
  WholeFile file = ReadRegularFile(path, kMaxStoreBytes, false);
  switch (file.status) {
    case Status::kMissing: {
      const UniqueFd made = MakeFile(path, {.making = FileMaking::kExclusive});
      return {};
    }
    case Status::kTooLarge: return Unusable(kStoreTooLarge);
    case Status::kNotAFile: return Unusable(kStoreNotAFile);
    case Status::kUnreadable: return Unusable(kStoreUnreadable);
    case Status::kRead: break;
  }
  // One record past the limit, so a store over it is known.
  DecodedStore decoded = DecodeStoreText(file.bytes, kMaxStoreRecords + 1);
  const bool whole = decoded.whole && decoded.records.size() <= kMaxStoreRecords;
  return StoreRead{std::move(decoded.records), whole, {}};
}

StoreRead ReadForLookup(const QueryStore& store) {
  std::optional<std::string> path = FollowOwnLinks(store.path);
  if (!path) return Unusable(kStoreNotAFile);
  StoreLock lock(*path, StoreLock::Kind::kShared, store.lockWait);
  // Without the lock the read goes on all the same: the store is only ever
  // replaced whole by a rename, so an unlocked reader still sees one complete
  // version. A link is never followed here: FollowOwnLinks has already
  // followed those it may.
  StoreRead read = ReadStore(*path);
  if (read.records.size() > kMaxStoreRecords) read.records.resize(kMaxStoreRecords);
  return read;
}

// A lookup tells the user only of a store too large to read; one that is
// missing, damaged or no file reads as what could be read, as always.
void TellOfLookup(const StoreRead& read, std::string_view* message) {
  if (message != nullptr && read.problem == kStoreTooLarge) *message = read.problem;
}

StoreChange Refused(std::string message) { return StoreChange{false, std::move(message)}; }

// A file the user may not write, or one whose mode has no write bit at all:
// someone froze it on purpose, and even root leaves it as it is.
bool IsReadOnly(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && ((st.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0);
}

// A sticky folder lets only the owner of a file (or of the folder) replace it.
bool InStickyFolderOfOthers(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  struct stat dir {}, file {};
  if (stat(folder.c_str(), &dir) != 0 || stat(path.c_str(), &file) != 0) return false;
  return (dir.st_mode & S_ISVTX) != 0 && !IsOwn(dir) && !IsOwn(file);
}

// Read, change and write back while holding the store, so that two instances
// saving at the same moment both keep their records. Nothing is written when
// the store cannot be held or does not read back whole: the records after
// the damage, or past the record limit, would be lost, and a file that is no
// store would be replaced by one.
// A change returns the message that refuses it, or nothing.
template <typename Change>
StoreChange RewriteStore(const QueryStore& store, Change change) {
  std::optional<std::string> path = FollowOwnLinks(store.path);
  if (!path) return Refused(std::string(kStoreNotAFile));
  StoreLock lock(*path, StoreLock::Kind::kExclusive, store.lockWait);
  if (!lock.held()) return Refused(LockRefusal(lock));
  // What a killed save left beside the store is stale; nothing else there is touched.
  RemoveStaleReplaces(*path);
  StoreRead read = ReadStore(*path);
  if (!read.problem.empty()) return Refused(std::string(read.problem));
  if (!read.whole) return Refused(std::string(kStoreNotWhole));
  if (IsReadOnly(*path)) return Refused(std::string(kStoreReadOnly));
  if (std::optional<std::string_view> refusal = change(read.records)) return Refused(std::string(*refusal));
  const std::string bytes = EncodeQueryRecords(read.records);
  // A store past the read limit would lock every user out of every query.
  if (bytes.size() > kMaxStoreBytes) return Refused(std::string(kStoreWouldBeTooLarge));
  const Replaced replaced = ReplaceFileAtomically(*path, bytes);
  if (replaced) return {};
  const bool onlyOwnerReplaces = replaced.outcome == ReplaceOutcome::kNotRenamed && InStickyFolderOfOthers(*path);
  return Refused(ReplaceRefusal(replaced, onlyOwnerReplaces));
}

bool Matches(const QueryRecord& record, std::string_view name) {
  return !name.empty() && record.name == name;
}

}  // namespace

std::string_view StoreModeText(StoreMode mode) {
  return mode == StoreMode::Shared ? "Shared" : "Local";
}

std::string StoreDirectory(StoreMode mode, const std::string& homeDirectory) {
  return mode == StoreMode::Shared ? std::string() : homeDirectory;
}

QueryStore QueryStoreFor(StoreMode mode, const std::string& homeDirectory) {
  return QueryStore{StoreDirectory(mode, homeDirectory) + std::string(kQueryStoreFileName)};
}

QueryStore QueryStoreFor(const AppState& state) {
  QueryStore store = QueryStoreFor(state.storeMode, state.homeDirectory);
  store.lockWait = state.storeLockWait;
  return store;
}

void ToggleStoreMode(AppState& state) {
  state.storeMode = state.storeMode == StoreMode::Shared ? StoreMode::Local : StoreMode::Shared;
}

std::vector<std::string> ListQueryNames(const QueryStore& store, std::string_view* message) {
  StoreRead read = ReadForLookup(store);
  TellOfLookup(read, message);
  std::vector<QueryRecord>& records = read.records;
  std::vector<std::string> names;
  const std::size_t count = std::min(records.size(), kMaxListedNames);
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) names.push_back(std::move(records[i].name));
  SortQueryNames(names);
  return names;
}

StoreChange SaveQuery(const QueryStore& store, std::string_view name, std::string_view sqlText,
                      std::string_view user) {
  const QueryRecord fresh{std::string(name), std::string(sqlText), std::string(user)};
  return RewriteStore(store, [&](std::vector<QueryRecord>& records) -> std::optional<std::string_view> {
    bool matched = false;
    for (QueryRecord& record : records) {
      if (!Matches(record, name)) continue;
      record = fresh;
      matched = true;
    }
    // The library lists the first records only: one past them could be
    // neither loaded nor deleted.
    if (!matched && records.size() >= kMaxListedNames) return kStoreFull;
    if (!matched) records.push_back(fresh);
    return std::nullopt;
  });
}

std::optional<std::string> LoadQuery(const QueryStore& store, std::string_view name, std::string_view* message) {
  StoreRead read = ReadForLookup(store);
  TellOfLookup(read, message);
  for (QueryRecord& record : read.records)
    if (Matches(record, name)) return std::move(record.sqlText);
  return std::nullopt;
}

StoreChange DeleteQuery(const QueryStore& store, std::string_view name) {
  return RewriteStore(store, [&](std::vector<QueryRecord>& records) -> std::optional<std::string_view> {
    std::erase_if(records, [&](const QueryRecord& record) { return Matches(record, name); });
    return std::nullopt;
  });
}

}  // namespace zuno
