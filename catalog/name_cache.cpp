#include "catalog/name_cache.h"

#include <algorithm>

namespace zuno {
namespace {

std::string SchemasKey() { return "schemas"; }
std::string TablesKey(const std::string& schema) { return "tables:" + schema; }
std::string ColumnsKey(const std::string& schema, const std::string& table) {
  return "columns:" + schema + "\n" + table;
}

void Append(std::vector<std::string>& to, std::vector<std::string> more) {
  std::size_t room = CatalogNameCache::kMaxOffered - std::min(to.size(), CatalogNameCache::kMaxOffered);
  if (more.size() > room) more.resize(room);
  to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

}  // namespace

void CatalogNameCache::UseSource(const CatalogSource& source) {
  if (source == source_) return;
  Forget();
  source_ = source;
}

void CatalogNameCache::Forget() {
  ++generation_;
  schemas_.reset();
  tables_.clear();
  columns_.clear();
  reading_.clear();
}

std::string CatalogNameCache::DefaultSchema() const {
  std::string schema = source_.user;
  for (char& c : schema)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return schema;
}

bool CatalogNameCache::Ready(const CompletionContext& c) const {
  switch (c.kind) {
    case CompletionContext::Kind::Tables:
      return c.schema.empty() ? schemas_ && tables_.count(DefaultSchema()) : tables_.count(c.schema) > 0;
    case CompletionContext::Kind::Columns:
      return columns_.count({c.schema, c.table}) > 0;
    case CompletionContext::Kind::None:
      return true;
  }
  return true;
}

NameRequest CatalogNameCache::Missing(const CompletionContext& c) const {
  NameRequest r;
  if (c.kind == CompletionContext::Kind::Tables) {
    r.schemas = c.schema.empty() && !schemas_;
    std::string schema = c.schema.empty() ? DefaultSchema() : c.schema;
    if (!tables_.count(schema)) r.tablesOf = schema;
    return r;
  }
  r.columnSchema = c.schema;
  r.columnTable = c.table;
  auto known = tables_.find(c.schema);
  if (known == tables_.end()) {
    r.tablesOf = c.schema;  // read with the columns: it tells an alias's base
    return r;
  }
  for (const CatalogTable& t : known->second.tables)
    if (t.name == c.table && !t.baseName.empty()) {
      r.baseSchema = t.baseSchema;
      r.baseTable = t.baseName;
    }
  return r;
}

std::vector<std::string> CatalogNameCache::Names(const CompletionContext& c) const {
  std::vector<std::string> names;
  if (c.kind == CompletionContext::Kind::Columns) {
    auto found = columns_.find({c.schema, c.table});
    if (found != columns_.end()) names = found->second.StartingWith(c.typed, kMaxOffered);
    return names;
  }
  if (c.kind != CompletionContext::Kind::Tables) return names;
  auto found = tables_.find(c.schema.empty() ? DefaultSchema() : c.schema);
  if (found != tables_.end()) Append(names, found->second.names.StartingWith(c.typed, kMaxOffered));
  if (c.schema.empty() && schemas_) Append(names, schemas_->StartingWith(c.typed, kMaxOffered));
  return names;
}

CatalogNameCache::Offer CatalogNameCache::OfferFor(const CompletionContext& context) {
  Offer offer;
  offer.names = Names(context);
  if (Ready(context)) return offer;
  NameRequest missing = Missing(context);
  std::vector<std::string> keys;
  if (missing.schemas) keys.push_back(SchemasKey());
  if (!missing.tablesOf.empty()) keys.push_back(TablesKey(missing.tablesOf));
  if (!missing.columnTable.empty()) keys.push_back(ColumnsKey(missing.columnSchema, missing.columnTable));
  offer.waiting = true;
  bool allBeingRead = std::all_of(keys.begin(), keys.end(), [&](const std::string& k) { return reading_.count(k); });
  if (allBeingRead) return offer;
  reading_.insert(keys.begin(), keys.end());
  offer.toRead = std::move(missing);
  return offer;
}

void CatalogNameCache::Store(std::uint64_t generation, const NameRequest& request, NamesRead read) {
  if (generation != generation_) return;
  // A failed read is kept as no names: asking again would only fail again
  // until the next Connect.
  if (request.schemas) {
    schemas_ = NameList(std::move(read.schemas));
    reading_.erase(SchemasKey());
  }
  if (!request.tablesOf.empty()) {
    tables_[request.tablesOf] = SchemaTables{std::move(read.tables), std::move(read.tableNames)};
    reading_.erase(TablesKey(request.tablesOf));
  }
  if (!request.columnTable.empty()) {
    columns_[{request.columnSchema, request.columnTable}] = NameList(std::move(read.columns));
    reading_.erase(ColumnsKey(request.columnSchema, request.columnTable));
  }
}

}  // namespace zuno
