// What the user is told when the system stands in the way of a change of the
// store: each cause in its own words, with what the system gave for it. The
// store is in every case left as it was.
#pragma once

#include <string>

#include "base/text_file.h"
#include "library/store_lock.h"

namespace zuno {

// Why the lock beside the store (zuno.sql.lock) was not taken.
std::string LockRefusal(const StoreLock& lock);

// Why the store's new version did not take its place; inStickyFolderOfOthers
// tells that a sticky folder lets only the store's owner replace it.
std::string ReplaceRefusal(const Replaced& replace, bool inStickyFolderOfOthers);

}  // namespace zuno
