#include "catalog/object_catalog_sql.h"

#include "catalog/catalog_sql.h"
#include "sql/db2_identifier.h"

namespace zuno {
namespace {

// "a = 'S' and b = 'T'" for the schema and name columns given.
std::string Names(std::string_view schemaColumn, std::string_view schema, std::string_view nameColumn,
                  std::string_view name) {
  return std::string(schemaColumn) + " = " + Db2StringLiteral(schema) + " and " + std::string(nameColumn) + " = " +
         Db2StringLiteral(name);
}

TableDetailsSql LuwDetails(std::string_view s, std::string_view t) {
  return {
      .columns = "select colname, typename, length, scale, nulls, \"DEFAULT\" from syscat.columns where " +
                 Names("tabschema", s, "tabname", t) + " order by colno",
      .keys = "select c.constname, c.type, k.colname from syscat.tabconst c join syscat.keycoluse k"
              " on k.constname = c.constname and k.tabschema = c.tabschema and k.tabname = c.tabname where " +
              Names("c.tabschema", s, "c.tabname", t) +
              " and c.type in ('P', 'U') order by c.type, c.constname, k.colseq",
      .checks = "select constname, text from syscat.checks where " + Names("tabschema", s, "tabname", t) +
                " and type = 'C' order by constname",
      .indexes = "select i.indschema, i.indname, i.uniquerule, u.colname, u.colorder from syscat.indexes i"
                 " join syscat.indexcoluse u on u.indschema = i.indschema and u.indname = i.indname where " +
                 Names("i.tabschema", s, "i.tabname", t) + " order by i.indschema, i.indname, u.colseq",
      .foreignKeys =
          "select r.constname, r.tabschema, r.tabname, r.reftabschema, r.reftabname, r.deleterule, r.updaterule,"
          " f.colname, p.colname from syscat.references r"
          " join syscat.keycoluse f on f.constname = r.constname and f.tabschema = r.tabschema"
          " and f.tabname = r.tabname"
          " left join syscat.keycoluse p on p.constname = r.refkeyname and p.tabschema = r.reftabschema"
          " and p.tabname = r.reftabname and p.colseq = f.colseq where (" +
          Names("r.tabschema", s, "r.tabname", t) + ") or (" + Names("r.reftabschema", s, "r.reftabname", t) +
          ") order by r.tabschema, r.tabname, r.constname, f.colseq",
  };
}

// zOS keeps the primary key's columns in SYSCOLUMNS.KEYSEQ and every unique
// constraint's, the primary key's too, in SYSKEYCOLUSE: the constraint whose
// columns are the primary key's, in its order, is the primary key. A foreign
// key's parent columns are those of the parent's primary key.
TableDetailsSql ZosDetails(std::string_view s, std::string_view t) {
  const std::string sameConstraint = "x.constname = k.constname and x.tbcreator = k.tbcreator and x.tbname = k.tbname";
  return {
      .columns = "select name, coltype, length, scale, nulls, cast(null as varchar(1)) from sysibm.syscolumns where " +
                 Names("tbcreator", s, "tbname", t) + " order by colno",
      .keys = "select k.constname, case when (select count(*) from sysibm.syskeycoluse x where " + sameConstraint +
              ") = (select count(*) from sysibm.syscolumns c where c.tbcreator = k.tbcreator and c.tbname = k.tbname"
              " and c.keyseq > 0) and not exists (select 1 from sysibm.syskeycoluse x where " + sameConstraint +
              " and not exists (select 1 from sysibm.syscolumns c where c.tbcreator = x.tbcreator"
              " and c.tbname = x.tbname and c.name = x.colname and c.keyseq = x.colseq)) then 'P' else 'U' end,"
              " k.colname from sysibm.syskeycoluse k where " +
              Names("k.tbcreator", s, "k.tbname", t) + " order by 2, 1, k.colseq",
      .checks = "select checkname, checkcondition from sysibm.syschecks where " + Names("tbowner", s, "tbname", t) +
                " order by checkname",
      .indexes = "select i.creator, i.name, i.uniquerule, k.colname, k.ordering from sysibm.sysindexes i"
                 " join sysibm.syskeys k on k.ixcreator = i.creator and k.ixname = i.name where " +
                 Names("i.tbcreator", s, "i.tbname", t) + " order by i.creator, i.name, k.colseq",
      .foreignKeys =
          "select r.relname, r.creator, r.tbname, r.reftbcreator, r.reftbname, r.deleterule, 'A', f.colname, p.name"
          " from sysibm.sysrels r"
          " join sysibm.sysforeignkeys f on f.creator = r.creator and f.tbname = r.tbname and f.relname = r.relname"
          " left join sysibm.syscolumns p on p.tbcreator = r.reftbcreator and p.tbname = r.reftbname"
          " and p.keyseq = f.colseq where (" +
          Names("r.creator", s, "r.tbname", t) + ") or (" + Names("r.reftbcreator", s, "r.reftbname", t) +
          ") order by r.creator, r.tbname, r.relname, f.colseq",
  };
}

}  // namespace

TableDetailsSql TableDetailsQueries(DatabaseFlavour flavour, std::string_view schema, std::string_view table) {
  switch (flavour) {
    case DatabaseFlavour::Db2Luw: return LuwDetails(schema, table);
    case DatabaseFlavour::Db2Zos: return ZosDetails(schema, table);
    case DatabaseFlavour::None: break;
  }
  return {};
}

std::string SchemaObjectsSql(DatabaseFlavour flavour, std::string_view schema) {
  const std::string s = Db2StringLiteral(schema);
  switch (flavour) {
    case DatabaseFlavour::Db2Luw:
      return "select viewschema as objschema, viewname as objname, 'VIEW' as objtype, viewname as specificname"
             " from syscat.views where viewschema = " + s +
             " union all select routineschema, routinename, case routinetype when 'P' then 'PROCEDURE'"
             " else 'FUNCTION' end, specificname from syscat.routines where routineschema = " + s +
             " and routinetype in ('P', 'F') union all select trigschema, trigname, 'TRIGGER', trigname"
             " from syscat.triggers where trigschema = " + s + " order by 3, 2, 4";
    case DatabaseFlavour::Db2Zos:
      return "select distinct creator as objschema, name as objname, 'VIEW' as objtype, name as specificname"
             " from sysibm.sysviews where creator = " + s +
             " and type = 'V' union all select schema, name, case routinetype when 'P' then 'PROCEDURE'"
             " else 'FUNCTION' end, specificname from sysibm.sysroutines where schema = " + s +
             " and routinetype in ('P', 'F') union all select schema, name, 'TRIGGER', name"
             " from sysibm.systriggers where schema = " + s + " order by 3, 2, 4";
    case DatabaseFlavour::None: break;
  }
  return {};
}

std::string ObjectSourceSql(DatabaseFlavour flavour, std::string_view type, std::string_view schema,
                            std::string_view name, std::string_view specificName) {
  const bool routine = type == "PROCEDURE" || type == "FUNCTION";
  const bool luw = flavour == DatabaseFlavour::Db2Luw;
  if (flavour == DatabaseFlavour::None) return {};
  if (type == "VIEW")
    return luw ? "select text from syscat.views where " + Names("viewschema", schema, "viewname", name)
               : "select statement from sysibm.sysviews where " + Names("creator", schema, "name", name) +
                     " and type = 'V'";
  if (routine)
    return luw ? "select text from syscat.routines where " +
                     Names("routineschema", schema, "specificname", specificName)
               : "select text from sysibm.sysroutines where " + Names("schema", schema, "specificname", specificName);
  if (type == "TRIGGER")
    return luw ? "select text from syscat.triggers where " + Names("trigschema", schema, "trigname", name)
               : "select statement from sysibm.systriggers where " + Names("schema", schema, "name", name);
  return {};
}

}  // namespace zuno
