#include "library/query_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "base/text_file.h"
#include "base/unique_fd.h"
#include "library/query_name_order.h"
#include "library/query_store_format.h"
#include "library/store_lock.h"
#include "session/messages.h"

namespace zuno {
namespace {

constexpr int kMaxLinkHops = 40;

// The file a link points to, relative to the link's own directory.
std::optional<std::string> LinkTarget(const std::string& link) {
  std::string target(PATH_MAX, '\0');
  const ssize_t n = readlink(link.c_str(), target.data(), target.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return std::nullopt;
  target.resize(static_cast<std::size_t>(n));
  const std::size_t slash = link.rfind('/');
  if (target.starts_with('/') || slash == std::string::npos) return target;
  return link.substr(0, slash + 1) + target;
}

// The store's own file. A symbolic link is followed when it belongs to the
// user or to root, so a link of one's own to a team share stays a link and
// every link to it shares one lock; nothing when a link of anyone else stands
// on the way, which could point at any file of the user's.
std::optional<std::string> OwnStorePath(const std::string& path) {
  std::string at = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    if (st.st_uid != geteuid() && st.st_uid != 0) return std::nullopt;
    std::optional<std::string> target = LinkTarget(at);
    if (!target) return std::nullopt;
    at = std::move(*target);
  }
  return std::nullopt;
}

// The lock file gets the store's permissions, so whoever may read the store may lock it.
mode_t LockFileMode(const std::string& storePath) {
  struct stat st {};
  return stat(storePath.c_str(), &st) == 0 ? (st.st_mode & 0666) : 0666;
}

// The records of the store, whether its text read back whole, and what stood
// in the way of reading it at all.
struct StoreRead {
  std::vector<QueryRecord> records;
  bool whole = true;
  std::string_view problem;
};

StoreRead Unusable(std::string_view problem) { return StoreRead{{}, false, problem}; }

// A first look leaves an empty file where none was. A link is never followed
// here: OwnStorePath has already followed those it may.
StoreRead ReadStore(const std::string& path) {
  using Status = WholeFile::Status;
  WholeFile file = ReadRegularFile(path, kMaxStoreBytes, false);
  switch (file.status) {
    case Status::kMissing: {
      const UniqueFd made(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
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
  std::optional<std::string> path = OwnStorePath(store.path);
  if (!path) return Unusable(kStoreNotAFile);
  StoreLock lock(*path + ".lock", StoreLock::Kind::kShared, store.lockWait, LockFileMode(*path));
  // Without the lock the read goes on all the same: the store is only ever
  // replaced whole by a rename, so an unlocked reader still sees one complete version.
  StoreRead read = ReadStore(*path);
  if (read.records.size() > kMaxStoreRecords) read.records.resize(kMaxStoreRecords);
  return read;
}

// A lookup tells the user only of a store too large to read; one that is
// missing, damaged or no file reads as what could be read, as always.
void TellOfLookup(const StoreRead& read, std::string_view* message) {
  if (message != nullptr && read.problem == kStoreTooLarge) *message = read.problem;
}

StoreChange Refused(std::string_view message) { return StoreChange{false, message}; }

// Read, change and write back while holding the store, so that two instances
// saving at the same moment both keep their records. Nothing is written when
// the store cannot be held or does not read back whole: the records after
// the damage, or past the record limit, would be lost, and a file that is no
// store would be replaced by one.
template <typename Change>
StoreChange RewriteStore(const QueryStore& store, Change change) {
  std::optional<std::string> path = OwnStorePath(store.path);
  if (!path) return Refused(kStoreNotAFile);
  StoreLock lock(*path + ".lock", StoreLock::Kind::kExclusive, store.lockWait, LockFileMode(*path));
  if (!lock.opened()) return Refused(kCannotCreateFile);
  if (!lock.held()) return Refused({});
  StoreRead read = ReadStore(*path);
  if (!read.problem.empty()) return Refused(read.problem);
  if (!read.whole) return Refused(kStoreNotWhole);
  change(read.records);
  if (!ReplaceFileAtomically(*path, EncodeQueryRecords(read.records))) return Refused(kCannotCreateFile);
  return {};
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
  return QueryStoreFor(state.storeMode, state.homeDirectory);
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
  return RewriteStore(store, [&](std::vector<QueryRecord>& records) {
    bool matched = false;
    for (QueryRecord& record : records) {
      if (!Matches(record, name)) continue;
      record = fresh;
      matched = true;
    }
    if (!matched) records.push_back(fresh);
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
  return RewriteStore(store, [&](std::vector<QueryRecord>& records) {
    std::erase_if(records, [&](const QueryRecord& record) { return Matches(record, name); });
  });
}

}  // namespace zuno
