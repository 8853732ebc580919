#include "catalog/name_cache.h"

#include <algorithm>

#include "sql/sql_characters.h"

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
  return AsciiUpper(source_.user);
}

bool CatalogNameCache::Ready(const CompletionContext& c) const {
  switch (c.kind) {
    case CompletionContext::Kind::Tables:
      return c.schema.empty() ? schemas_ && tables_.count(DefaultSchema()) : tables_.count(c.schema) > 0;
    case CompletionContext::Kind::Columns:
      return std::all_of(c.tables.begin(), c.tables.end(),
                         [&](const ColumnSource& t) { return columns_.count({t.schema, t.table}) > 0; });
    case CompletionContext::Kind::None:
      return true;
  }
  return true;
}

NameRequest CatalogNameCache::Missing(const CompletionContext& c) const {
  NameRequest r;
  // Adds a key not in the list yet; false when it was there.
  auto add = [](std::vector<std::string>& to, const std::string& key) {
    if (std::find(to.begin(), to.end(), key) != to.end()) return false;
    to.push_back(key);
    return true;
  };
  if (c.kind == CompletionContext::Kind::Tables) {
    r.schemas = c.schema.empty() && !schemas_;
    std::string schema = c.schema.empty() ? DefaultSchema() : c.schema;
    if (!tables_.count(schema)) add(r.tablesOf, schema);
    return r;
  }
  std::vector<std::string> asked;  // the tables already in the request
  for (const ColumnSource& t : c.tables) {
    if (columns_.count({t.schema, t.table})) continue;
    if (!add(asked, ColumnsKey(t.schema, t.table))) continue;
    ColumnsOf columns{t.schema, t.table, "", ""};
    auto known = tables_.find(t.schema);
    if (known == tables_.end()) add(r.tablesOf, t.schema);  // read with the columns: it tells an alias's base
    else
      for (const CatalogTable& table : known->second.tables)
        if (table.name == t.table && !table.baseName.empty()) {
          columns.baseSchema = table.baseSchema;
          columns.baseTable = table.baseName;
        }
    r.columnsOf.push_back(std::move(columns));
  }
  return r;
}

void CatalogNameCache::AddNames(const CompletionContext& c, Offer& offer) const {
  if (c.kind == CompletionContext::Kind::Columns) {
    for (const ColumnSource& t : c.tables) {
      auto found = columns_.find({t.schema, t.table});
      if (found == columns_.end()) continue;
      for (const std::string& name : found->second) {
        if (offer.names.size() >= kMaxOffered) return;
        if (!StartsWithTyped(name, c.typed)) continue;
        offer.names.push_back(name);
        offer.marks.push_back(t.mark);
      }
    }
    return;
  }
  if (c.kind != CompletionContext::Kind::Tables) return;
  auto found = tables_.find(c.schema.empty() ? DefaultSchema() : c.schema);
  if (found != tables_.end()) Append(offer.names, found->second.names.StartingWith(c.typed, kMaxOffered));
  if (c.schema.empty() && schemas_) Append(offer.names, schemas_->StartingWith(c.typed, kMaxOffered));
  offer.marks.resize(offer.names.size());
}

CatalogNameCache::Offer CatalogNameCache::OfferFor(const CompletionContext& context) {
  Offer offer;
  AddNames(context, offer);
  if (Ready(context)) return offer;
  offer.waiting = true;
  // Only what no read under way brings is read.
  NameRequest missing = Missing(context);
  if (missing.schemas && reading_.count(SchemasKey())) missing.schemas = false;
  std::erase_if(missing.tablesOf, [&](const std::string& s) { return reading_.count(TablesKey(s)) > 0; });
  std::erase_if(missing.columnsOf,
                [&](const ColumnsOf& c) { return reading_.count(ColumnsKey(c.schema, c.table)) > 0; });
  if (!missing.schemas && missing.tablesOf.empty() && missing.columnsOf.empty()) return offer;
  if (missing.schemas) reading_.insert(SchemasKey());
  for (const std::string& s : missing.tablesOf) reading_.insert(TablesKey(s));
  for (const ColumnsOf& c : missing.columnsOf) reading_.insert(ColumnsKey(c.schema, c.table));
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
  read.tables.resize(request.tablesOf.size());
  for (std::size_t k = 0; k < request.tablesOf.size(); ++k) {
    tables_[request.tablesOf[k]] = std::move(read.tables[k]);
    reading_.erase(TablesKey(request.tablesOf[k]));
  }
  read.columns.resize(request.columnsOf.size());
  for (std::size_t k = 0; k < request.columnsOf.size(); ++k) {
    const ColumnsOf& c = request.columnsOf[k];
    columns_[{c.schema, c.table}] = std::move(read.columns[k]);
    reading_.erase(ColumnsKey(c.schema, c.table));
  }
}

}  // namespace zuno
