// The catalog SELECTs behind a table's details and a schema's views,
// routines and triggers, by Database Flavour. Every flavour's statement
// gives the same columns in the same order, so one reader takes them all.
#pragma once

#include <string>
#include <string_view>

#include "db/database_flavour.h"

namespace zuno {

struct TableDetailsSql {
  // name, type name, length, scale, nullable (Y/N), default (NULL: none); in column order
  std::string columns;
  // key name, P or U, column name; one row per column in key order
  std::string keys;
  // check name, condition
  std::string checks;
  // index schema, index name, unique rule, column name, order; in key order
  std::string indexes;
  // name, child schema, child table, parent schema, parent table, delete
  // rule, update rule, child column, parent column; the keys of the table
  // and those that refer to it, in key order
  std::string foreignKeys;
};

// Empty texts while no flavour is known.
TableDetailsSql TableDetailsQueries(DatabaseFlavour flavour, std::string_view schema, std::string_view table);

// The views, procedures, functions and triggers of one schema: objschema,
// objname, objtype (VIEW, PROCEDURE, FUNCTION, TRIGGER), specificname.
std::string SchemaObjectsSql(DatabaseFlavour flavour, std::string_view schema);

// The text the catalog keeps of one object, in one row and column; empty
// for a type that has none. A routine is named by its specific name, as
// an overloaded one shares its name with others.
std::string ObjectSourceSql(DatabaseFlavour flavour, std::string_view type, std::string_view schema,
                            std::string_view name, std::string_view specificName);

}  // namespace zuno
