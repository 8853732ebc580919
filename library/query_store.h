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

#include "app/app_state.h"

namespace zuno {

constexpr std::string_view kQueryStoreFileName = "zuno.sql";
constexpr std::string_view kStoreModeLocal = "Local";
constexpr std::string_view kStoreModeShared = "Shared";
constexpr std::size_t kMaxStoreRecords = 100000;
constexpr std::size_t kMaxListedNames = 10000;

struct QueryStore {
  std::string path;
  // How long an operation waits for another instance that holds the store.
  std::chrono::milliseconds lockWait{5000};
};

// The home directory for Local, the empty string (the working directory) for Shared.
std::string StoreDirectory(std::string_view storeMode, const std::string& homeDirectory);
QueryStore QueryStoreFor(std::string_view storeMode, const std::string& homeDirectory);
QueryStore QueryStoreFor(const AppState& state);

// Local becomes Shared, Shared becomes Local.
void ToggleStoreMode(AppState& state);

// Operations that read create a missing store file, empty; a store that
// cannot be opened reads as empty. The lock beside the store, "zuno.sql.lock",
// is created on first use and stays.

// Names of the first kMaxListedNames records, sorted (see SortQueryNames);
// empty and repeated names included.
std::vector<std::string> ListQueryNames(const QueryStore& store);

// Replaces every record named `name` in its place, or appends the record when
// none is. An empty name matches nothing, so it always appends. False when
// nothing was written; the file on disk is then exactly as before.
bool SaveQuery(const QueryStore& store, std::string_view name, std::string_view sqlText,
               std::string_view user);

// The SQL Text of the first record named `name`; nothing when none is.
std::optional<std::string> LoadQuery(const QueryStore& store, std::string_view name);

// Removes every record named `name`; the file is rewritten even when none
// matched. False when nothing was written.
bool DeleteQuery(const QueryStore& store, std::string_view name);

}  // namespace zuno
