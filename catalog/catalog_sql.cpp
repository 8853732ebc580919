#include "catalog/catalog_sql.h"

#include "sql/db2_identifier.h"

namespace zuno {
namespace {

// The texts are sent as they stand, runs of two blanks included.
constexpr std::string_view kCatalogZos =
    "Select strip(creator) As tabschema  ,strip(NAME) As tabname  , type  , card  , remarks  , TBCREATOR As "
    "base_schema  , tbname As base_name  , '' As location FROM sysibm.systables WHERE creator = 'SYSIBM' ORDER BY "
    "NAME";
constexpr std::string_view kCatalogLuw =
    "Select strip(creator) As tabschema  ,strip(NAME) As tabname  , type  , card  , remarks  , base_schema  , "
    "base_name  , '' As location FROM sysibm.systables WHERE creator = 'SYSCAT' ORDER BY NAME";
constexpr std::string_view kCreators = "SELECT distinct creator as tabschema  FROM sysibm.systables ORDER BY 1";
constexpr std::string_view kLastCreatorLuw =
    "SELECT strip(creator) as tabschema , strip(NAME) as tabname , type  , card  , remarks  , base_schema  , "
    "base_name  , '' AS location FROM sysibm.systables WHERE creator = '";
constexpr std::string_view kLastCreatorZos =
    "Select strip(creator) As tabschema , strip(NAME) As tabname , type  , card  , remarks  , tbcreator As "
    "base_schema  ,tbname As  base_name  , '' As location FROM sysibm.systables WHERE creator = '";
constexpr std::string_view kDrillLuw =
    "SELECT strip(creator) as tabschema  , strip(NAME) as tabname  , type  , card  , remarks  , base_schema  , "
    "base_name  , '' AS location FROM sysibm.systables WHERE creator = '";
constexpr std::string_view kDrillZos =
    "Select strip(creator) As tabschema  , strip(NAME) As tabname  , type  , card  , remarks  , tbcreator As "
    "base_schema  , tbname As base_name  , '' As location FROM sysibm.systables WHERE creator = '";
constexpr std::string_view kByName = "' ORDER BY NAME";

std::string ForCreator(std::string_view prefix, std::string_view creator) {
  return std::string(prefix) + SqlLiteralText(creator) + std::string(kByName);
}

}  // namespace

std::string CatalogListSql(DatabaseFlavour flavour) {
  switch (flavour) {
    case DatabaseFlavour::Db2Luw: return std::string(kCatalogLuw);
    case DatabaseFlavour::Db2Zos: return std::string(kCatalogZos);
    case DatabaseFlavour::None: break;
  }
  return {};
}

std::string CreatorsListSql() { return std::string(kCreators); }

std::string LastCreatorListSql(DatabaseFlavour flavour, std::string_view creator) {
  switch (flavour) {
    case DatabaseFlavour::Db2Luw: return ForCreator(kLastCreatorLuw, creator);
    case DatabaseFlavour::Db2Zos: return ForCreator(kLastCreatorZos, creator);
    case DatabaseFlavour::None: break;
  }
  return {};
}

std::string CreatorDrillSql(DatabaseFlavour flavour, std::string_view creator) {
  switch (flavour) {
    case DatabaseFlavour::Db2Luw: return ForCreator(kDrillLuw, creator);
    case DatabaseFlavour::Db2Zos: return ForCreator(kDrillZos, creator);
    case DatabaseFlavour::None: break;
  }
  return {};
}

std::string ColumnQuerySql(std::string_view schema, std::string_view table) {
  return "select strip(name),strip(coltype),colno from sysibm.syscolumns where tbcreator ='" +
         SqlLiteralText(schema) + "' and tbname = '" + SqlLiteralText(table) + "' order by colno";
}

}  // namespace zuno
