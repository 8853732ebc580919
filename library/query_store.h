// The Query Store: named SQL texts kept in "zuno.sql", either in the home
// directory (Local) or in the working directory (Shared). Every operation reads
// the whole file; every change writes it whole again. Nothing is cached.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/app_state.h"

namespace zuno {

constexpr std::string_view kQueryStoreFileName = "zuno.sql";
constexpr std::size_t kMaxStoreRecords = 100000;
constexpr std::size_t kMaxListedNames = 10000;
// A store is meant for hundreds of queries; a larger file is not read.
constexpr std::size_t kMaxStoreBytes = 64 << 20;

// What the user is told when the store is left as it was.
constexpr std::string_view kStoreNotWhole = "zuno.sql does not read back as whole records and was left as it was.";
constexpr std::string_view kStoreTooLarge = "zuno.sql is larger than 64 MB and was not read.";
constexpr std::string_view kStoreNotAFile = "zuno.sql is no regular file of yours and was left as it was.";
constexpr std::string_view kStoreUnreadable = "zuno.sql cannot be read and was left as it was.";
constexpr std::string_view kStoreLockNotAFile = "zuno.sql.lock is no regular file and zuno.sql was left as it was.";
constexpr std::string_view kStoreWouldBeTooLarge = "zuno.sql would grow past 64 MB and was left as it was.";
constexpr std::string_view kStoreReadOnly = "zuno.sql is read-only and was left as it was.";
constexpr std::string_view kStoreFull =
    "zuno.sql holds 10000 queries, as many as the library lists; the query was not saved.";

struct QueryStore {
  std::string path;
  // How long an operation waits for another instance that holds the store.
  std::chrono::milliseconds lockWait{5000};
};

// The Store Mode button's caption: "Local" or "Shared".
std::string_view StoreModeText(StoreMode mode);

// The home directory for Local, the empty string (the working directory) for Shared.
std::string StoreDirectory(StoreMode mode, const std::string& homeDirectory);
QueryStore QueryStoreFor(StoreMode mode, const std::string& homeDirectory);
QueryStore QueryStoreFor(const AppState& state);

// Local becomes Shared, Shared becomes Local.
void ToggleStoreMode(AppState& state);

// Operations that read create a missing store file, empty; a store that
// cannot be opened reads as empty. The lock beside the store, "zuno.sql.lock",
// is created on first use and stays. A symbolic link at the store's name is
// followed only when it belongs to the user (or to root): a link another user
// planted reads as no store and is never written through. A store file is
// used only when it is a regular file of at most kMaxStoreBytes.

// What a change came to: false when nothing was written, the file on disk
// then being exactly as before; message is what the user is told.
struct StoreChange {
  bool written = true;
  std::string message;
  explicit operator bool() const { return written; }
};

// Names of the first kMaxListedNames records, sorted (see SortQueryNames);
// empty and repeated names included. A damaged store lists the records that
// read back. *message, when given, gets kStoreTooLarge for a store too large
// to read, else stays as it was.
std::vector<std::string> ListQueryNames(const QueryStore& store, std::string_view* message = nullptr);

// Replaces every record named `name` in its place, or appends the record when
// none is. An empty name matches nothing, so it always appends. Nothing is
// written, and a message tells why, into a store that does not read back
// whole (kStoreNotWhole), that would grow past kMaxStoreBytes, that is
// read-only, or where a new record would stand past the kMaxListedNames the
// library lists; nor when the lock cannot be had or the new store cannot be
// made or put in place (store_refusal.h says each cause). Temporary stores
// of a save whose process is gone are removed, and nothing else.
StoreChange SaveQuery(const QueryStore& store, std::string_view name, std::string_view sqlText,
                      std::string_view user);

// The SQL Text of the first record named `name`; nothing when none is.
// *message as for ListQueryNames.
std::optional<std::string> LoadQuery(const QueryStore& store, std::string_view name,
                                     std::string_view* message = nullptr);

// Removes every record named `name`; the file is rewritten even when none
// matched. Refused as SaveQuery is.
StoreChange DeleteQuery(const QueryStore& store, std::string_view name);

}  // namespace zuno
