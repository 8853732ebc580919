// The names completion has read from one connection's catalog, kept until
// the next Connect: each schema's tables and each table's columns are read
// once, on demand, and a request that is being read is not asked again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalog/catalog_names.h"
#include "catalog/name_completion.h"

namespace zuno {

class CatalogNameCache {
 public:
  // At most this many names are offered at once; typing narrows the list.
  static constexpr std::size_t kMaxOffered = 500;

  // Keeps the names while the source stays the same; another source (or
  // Forget, at a Connect) starts afresh, and reads still under way for the
  // old one are dropped when they arrive.
  void UseSource(const CatalogSource& source);
  void Forget();
  std::uint64_t generation() const { return generation_; }
  const CatalogSource& source() const { return source_; }
  // The schema of an unqualified table: the user's own, as Db2 has it.
  std::string DefaultSchema() const;

  struct Offer {
    std::vector<std::string> names;       // the catalog's spelling, in order
    std::vector<std::string> marks;       // each name's table mark, empty when none
    std::optional<NameRequest> toRead;   // what must be read first (now marked as being read)
    bool waiting = false;                 // names still being read; more will come
  };
  Offer OfferFor(const CompletionContext& context);

  // A read's outcome, for the generation it was asked in.
  void Store(std::uint64_t generation, const NameRequest& request, NamesRead read);

 private:
  bool Ready(const CompletionContext& context) const;
  NameRequest Missing(const CompletionContext& context) const;
  void AddNames(const CompletionContext& context, Offer& offer) const;

  CatalogSource source_;
  std::uint64_t generation_ = 0;
  std::optional<NameList> schemas_;
  std::map<std::string, SchemaTables> tables_;
  // Each table's columns in the table's order.
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> columns_;
  std::set<std::string> reading_;  // keys of the parts being read
};

}  // namespace zuno
